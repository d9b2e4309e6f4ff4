#pragma once
// The logger kept running by the packaged systemd user unit, as a test runs
// it: by the user's systemd instance where one answers (systemctl --user),
// else by a small supervisor in the test that follows the unit's own
// ExecStart, Restart and RestartSec lines. Either way the program run is
// the copy under test in its home (in place of the installed one that
// ExecStart names), with the environment given added to the test's.
#include "support/ProgramProcess.h"

#include <QProcessEnvironment>
#include <QString>
#include <memory>

class KeptLogger {
public:
    virtual ~KeptLogger() = default;
    virtual bool start() = 0;
    // The running program's process id; 0 while none runs (between a crash
    // and its restart, or after it ended for good).
    virtual qint64 pid() = 0;
    // It ended and will not be started again.
    virtual bool endedForGood() = 0;
    // Who keeps it running, and why the other way was not taken.
    virtual QString how() const = 0;
};

// The unit as the build configured it for the package.
QString packagedUnitFile();

std::unique_ptr<KeptLogger> keepLoggerRunning(const ProgramHome& home, const QProcessEnvironment& env);

// The process has gone (a zombie counts as gone).
bool processGone(qint64 pid);
