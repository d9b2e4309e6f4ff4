#pragma once
#include <QString>
#include <QStringList>

// What became of one run of a command.
struct CommandResult {
    bool finished = false; // false: it could not be started, crashed or ran out of time
    int exitCode = -1;
    QString output; // standard output, trimmed
    QString error;  // standard error, trimmed, or why it did not finish

    bool succeeded() const { return finished && exitCode == 0; }
};

// Runs a program of the system (systemctl) to its end and returns what it
// said. It waits, on the calling thread, for at most a few seconds.
class ICommandRunner {
public:
    virtual ~ICommandRunner() = default;
    virtual CommandResult run(const QString& program, const QStringList& arguments) = 0;
};
