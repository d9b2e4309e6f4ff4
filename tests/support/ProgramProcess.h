#pragma once
// The real programs as a user runs them: a copy of veltra-logger in a home
// of its own (it keeps its configuration, logs and serial links beside
// itself), and the evaluator simulator on a pseudo-terminal linked into that
// home as serial/COM<n>.
#include <QDate>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

// The build tree the tests run from.
QString builtProgram(const QString& relativePath);

// Processes events until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int milliseconds);

QByteArray readFileBytes(const QString& path);

// faketime's library, and an environment that preloads it into a program
// with the monotonic clock left real; also for a sanitized build, whose
// runtime otherwise refuses to start behind a preloaded library. Callers
// add FAKETIME or FAKETIME_TIMESTAMP_FILE.
bool fakeTimeInstalled();
QProcessEnvironment withFakeTime(QProcessEnvironment env);

// A temporary folder holding a copy of veltra-logger and its wave files.
class ProgramHome {
public:
    ProgramHome();
    bool isValid() const { return valid_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    QString program() const { return filePath(QStringLiteral("veltra-logger")); }
    QString logDir() const { return filePath(QStringLiteral("logs")); }
    QString serialLink(int port = 1) const { return filePath(QStringLiteral("serial/COM%1").arg(port)); }

    // The default configuration with every key, LOGDIR in this home and the
    // given AUTOSTART, the daily reports off; callers edit the list before
    // writing it.
    QStringList defaultConfig(bool autostart) const;
    void writeConfig(const QStringList& lines) const;
    QString configPath() const { return filePath(QStringLiteral("VELTRA-logger1.ini")); }

    // The data logfile of a day and installation in logDir().
    QString logfile(const QDate& day, const QString& installation = QStringLiteral("Main_Engine")) const;
    QString eventfile() const { return logDir() + QStringLiteral("/events_VELTRA.txt"); }

    // Runs the program without a display, on an offscreen screen of
    // 1280 x 800 (the default offscreen screen is too small to start on).
    QProcessEnvironment offscreenEnvironment() const;

private:
    QTemporaryDir dir_;
    bool valid_ = false;
};

// evaluator-sim playing a scenario on a pseudo-terminal linked at a path.
class SimulatorProcess {
public:
    ~SimulatorProcess() { stop(); }
    // Starts it and waits until the link exists.
    bool start(const QString& linkPath, const QStringList& arguments = {});
    // Ends it (SIGTERM, so it removes its link).
    void stop();
    bool running() const { return process_.state() != QProcess::NotRunning; }

private:
    QProcess process_;
    QString link_;
};

// veltra-logger started from its home.
class LoggerProcess {
public:
    ~LoggerProcess() { kill(); }
    // env adds to (or overrides) the test's own environment, e.g. DISPLAY or
    // QT_QPA_PLATFORM.
    bool start(const ProgramHome& home, const QProcessEnvironment& env = {});
    // SIGKILL, as a power cut or a crash would end it.
    void kill();
    bool running() const { return process_.state() != QProcess::NotRunning; }
    qint64 pid() const { return process_.processId(); }
    QByteArray output() { return process_.readAll(); }
    // Once it has ended: whether by its own exit (not a signal), and its code.
    bool exitedNormally() const { return process_.exitStatus() == QProcess::NormalExit; }
    int exitCode() const { return process_.exitCode(); }

private:
    QProcess process_;
};
