#pragma once
#include "platform/HomeLock.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

// One logger per home (the folder of its settings and logs). The program
// started first for a home holds the home's lock (a HomeLock on
// LockFileName in it) and listens on a local socket named after the home,
// in the user's runtime folder and open to that user only. A later start
// for the same home finds the lock taken, asks the running logger through
// the socket to show its window, and ends.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        First,       // this program is the home's logger
        Shown,       // another logger runs for this home and has shown its window
        Unreachable, // another logger holds the home but could not be asked; why() tells
    };
    static const QString LockFileName;

    explicit SingleInstance(const QString& homeDirectory, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Claims the home, trying for up to patienceMs: a logger starting at the
    // same moment may not listen yet, and one that is ending may let go of
    // the home meanwhile. After First, showRequested() reports every later
    // start; a lock or socket that could not be made is then only a missing
    // guard, named by why(), and the logger runs all the same.
    Claim claim(int patienceMs = 5000);
    const QString& why() const { return why_; }

    // The socket of a home's logger: the same home, however its path is
    // spelled, gives the same name, and another home another.
    static QString serverName(const QString& homeDirectory);

signals:
    // Another start for this home wants the window shown.
    void showRequested();

private:
    enum class Ask { Shown, NoServer, NoAnswer };
    Ask askToShow(const QDeadlineTimer& deadline);
    void listen();
    void serve(QLocalSocket* socket);

    QString name_;
    HomeLock lock_;
    QLocalServer server_;
    QString why_;
};
