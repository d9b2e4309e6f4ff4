#pragma once
#include <QString>

// Open and save file dialogs. filter uses the "Description (*.ext)|*.ext|..."
// form; both return the chosen full path, or an empty string on cancel.
class IFileDialog {
public:
    virtual ~IFileDialog() = default;
    virtual QString getOpenFileName(const QString& initialName, const QString& filter) = 0;
    virtual QString getSaveFileName(const QString& initialName, const QString& filter) = 0;
    // A save dialog for a file the program makes: `suffix` (without the dot)
    // is added to a name typed without it, and replacing a file that exists
    // is asked first.
    virtual QString getNewFileName(const QString& initialName, const QString& filter, const QString& suffix)
    {
        (void)suffix;
        return getSaveFileName(initialName, filter);
    }
    // A folder chosen by the person, starting in `initialFolder`; empty on
    // cancel.
    virtual QString getExistingDirectory(const QString& initialFolder)
    {
        (void)initialFolder;
        return {};
    }
};
