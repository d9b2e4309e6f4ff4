#pragma once
#include <QString>

// An exclusive lock on a file, held for as long as this object lives. The
// system drops it when the holder ends in any way (kill -9 included), so a
// lock never outlives its program and nothing stale is ever left to clean
// up; the file itself stays. Two tries at once: exactly one gets it.
//
// The lock file is made readable by everyone: it holds nothing, and a user
// who only may read it must still see that another user's program holds it.
class HomeLock {
public:
    enum class State {
        Held,        // this object holds the lock
        HeldByOther, // another program (or another HomeLock) holds it
        Failed,      // the file cannot be opened or locked; error() tells why
    };

    explicit HomeLock(QString path) : path_(std::move(path)) {}
    ~HomeLock();
    HomeLock(const HomeLock&) = delete;
    HomeLock& operator=(const HomeLock&) = delete;

    // Tries once, without waiting. Once held, later calls return Held.
    State tryLock();
    const QString& error() const { return error_; }
    const QString& path() const { return path_; }

private:
    QString path_;
    QString error_;
    int fd_ = -1;
};
