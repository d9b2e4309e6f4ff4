#pragma once
#include <QString>
#include <QStringList>

// Where the program keeps its files.
struct ProgramFolders {
    // The configuration file, the default log directory and the serial/ links.
    QString home;
    // Read-only files that come with the program: the alarm sounds.
    QString data;
    // The program is the installed one (in one of the install layout's
    // program folders), which the packaged user unit starts.
    bool installed = false;
};

// Where an installed program lives: the folders of programs that a package
// manager owns (/usr/bin, the build's install folder), and its data folder
// relative to them (../share/veltra-logger).
struct InstallLayout {
    QStringList programDirs;
    QString dataDirFromProgramDir;
};

// The layout of the build's install prefix, plus /usr/bin and /usr/local/bin.
InstallLayout installLayout();

// Decides from where the program runs. An installed program (programDir is
// one of layout.programDirs) keeps its home in userDataDir and its data in
// the installed data folder, even for root, who can write to /usr/bin. Any
// other copy is portable: home and data are its own folder, except that a
// read-only copy keeps its home in userDataDir.
ProgramFolders programFoldersFor(const QString& programDir, bool programDirWritable, const QString& userDataDir,
                                 const InstallLayout& layout);

// The running program's folders, the home created when missing. Only main()
// calls this; parts take the folders as constructor arguments.
ProgramFolders programFolders();
