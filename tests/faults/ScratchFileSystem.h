#pragma once
// A small file system of its own for fault trials: a tmpfs mounted on a
// temporary folder (so it can be filled or made read-only), and the
// immutable flag that keeps even root from changing a file. Both need root;
// a trial that cannot have them skips and says why.
#include <QString>
#include <QTemporaryDir>

class ScratchFileSystem {
public:
    // Mounts a tmpfs of the given size on a new temporary folder.
    explicit ScratchFileSystem(qint64 bytes);
    ~ScratchFileSystem();
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    // Why it could not be mounted.
    const QString& error() const { return error_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

    bool remountReadOnly();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString error_;
};

// Sets or clears the immutable attribute of a file; false with the reason in
// *error when the file system or the user's rights do not allow it.
bool setImmutable(const QString& path, bool on, QString* error);
