#pragma once
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

class QFileDevice;

// The configuration file store: a small text file of KEY=VALUE lines in the
// program's home directory. Every operation reads the file again; nothing is
// cached between calls. Lines are kept as the bytes read, so lines nobody
// asks for are written back unchanged and in their places. Keys are looked
// up in the first MaxLines lines only; lines after them are never read as
// settings, but a rewrite copies them back as they are.
//
// Values are decoded as UTF-8 when they are valid UTF-8, otherwise as
// Latin-1 (a file edited in an 8-bit code page still reads sensibly).
// Values and lines written by the store are encoded as UTF-8.
//
// The file and its copy hold the stop password and the broker's password:
// the store makes and rewrites them readable and writable by their owner
// alone (0600), whatever the umask.
//
// Only the user-interface thread may use a store.
class RdWrConfig {
public:
    static constexpr int MaxLines = 30;        // including the header line
    static constexpr int MaxValueLength = 100; // a get returns at most this many characters

    enum class Failure {
        None,
        NoFile,      // the file is missing, unreadable or empty
        TableFull,   // a new key, but the file already holds MaxLines lines
        InvalidKey,  // empty, or holding '=', CR or LF
        WriteFailed, // the file could not be written; the old file is kept
    };

    explicit RdWrConfig(QString homeDirectory);

    const QString& homeDirectory() const { return home_; }
    // Full path of the bare file name inside the home directory.
    QString filePath(const QString& file) const;

    // Reads up to MaxLines lines into the line table; 0 when the file cannot
    // be read. Lines end at CR LF, a lone CR or a lone LF.
    int16_t ReadConfigFile(const QString& file);

    // Text after "key=" on the first line that begins with exactly that
    // (case-sensitive, nothing trimmed), cut to MaxValueLength characters;
    // "" when no line matches.
    QString GetConfigValue(const QString& file, const QString& key);

    // Replaces the first "key=" line, or appends one when none matches, then
    // rewrites the whole file. Returns true only when the new line is in the
    // file. With no file nothing is created; with a full table and a new key
    // the file is left unchanged. CR and LF inside the value become blanks,
    // so a value can never add lines of its own.
    bool SetConfigValue(const QString& file, const QString& key, const QString& value);

    // Replaces the file (or creates it) with the single line given.
    bool CreateConfigFile(const QString& file, const QString& line);

    // The file's first line, or "" when it has none.
    QString GetConfigHeader(const QString& file);

    // Rewrites the file from the line table, followed by whatever came after
    // the table's lines when it was last read from this file. The file is
    // replaced only once every line is on disk, so a crash or a full disk
    // leaves the old file.
    bool WriteConfigFile(const QString& file);

    // Copies the file to file + ".bak" beside it, replacing an older copy,
    // before the caller replaces it. Returns the copy's full path; "" when
    // there is nothing to keep (no file, or an empty one) or when the copy
    // failed (lastFailure() tells which).
    QString KeepCopyOfConfigFile(const QString& file);

    // Narrows the file and its copy to their owner when they are readable by
    // others (left so by an older program or by hand). Best effort: a file
    // system without modes (a FAT stick) or another user's file stays as it is.
    void NarrowConfigFiles(const QString& file);

    // Why the last set, create, write or copy failed (None after a success),
    // and the system's words for it ("Read-only file system").
    Failure lastFailure() const { return failure_; }
    const QString& lastError() const { return error_; }

private:
    void clearTable();
    bool fail(Failure failure, const QString& error);
    bool copyRest(const QString& file, QFileDevice& out);
    QString copyPathOf(const QString& file) const;

    QString home_;
    std::array<QByteArray, MaxLines> lines_;
    int16_t count_ = 0;
    // Where the lines after the table begin in the file last read; -1 when
    // the table holds the whole file.
    qint64 restOffset_ = -1;
    QString restFile_;
    Failure failure_ = Failure::None;
    QString error_;
};
