#include "support/ProgramProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <sys/types.h>

QString builtProgram(const QString& relativePath)
{
    return QStringLiteral(VELTRA_BINARY_DIR "/") + relativePath;
}

bool waitUntil(const std::function<bool()>& condition, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace {
const QString FakeTimeLibrary = QStringLiteral("/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1");
}

bool fakeTimeInstalled()
{
    return QFile::exists(FakeTimeLibrary);
}

QProcessEnvironment withFakeTime(QProcessEnvironment env)
{
    env.insert(QStringLiteral("LD_PRELOAD"), FakeTimeLibrary);
    env.insert(QStringLiteral("DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"), qEnvironmentVariable("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0:") + asan);
    return env;
}

ProgramHome::ProgramHome()
{
    if (!dir_.isValid())
        return;
    QDir home(dir_.path());
    home.mkpath(QStringLiteral("logs"));
    home.mkpath(QStringLiteral("serial"));
    // VELTRA_PROGRAM_UNDER_TEST runs the tests against another build of the
    // program (an older one, to see a test fail without a change).
    const QString other = qEnvironmentVariable("VELTRA_PROGRAM_UNDER_TEST");
    valid_ = QFile::copy(other.isEmpty() ? builtProgram(QStringLiteral("app/veltra-logger")) : other, program());
    for (const char* wave : {"688dv4.wav", "625ppalm.wav"})
        QFile::copy(builtProgram(QStringLiteral("app/")) + QLatin1String(wave), filePath(QLatin1String(wave)));
}

QStringList ProgramHome::defaultConfig(bool autostart) const
{
    QStringList lines{QStringLiteral("[VELTRA-LOGGER Version 1.03_1]"), QStringLiteral("COM=1"),
                      QStringLiteral("BAUDRATE=9600"), QStringLiteral("INSTALLATION=Main_Engine"),
                      QStringLiteral("REFRESH=2"), QStringLiteral("PASSWORD=kesmor"),
                      autostart ? QStringLiteral("AUTOSTART=1") : QStringLiteral("AUTOSTART=0"),
                      QStringLiteral("SWAPDATE=0"), QStringLiteral("LOGDIR=") + logDir() + QLatin1Char('/'),
                      QStringLiteral("DAILYREPORTS=0")};
    for (int s = 1; s <= 6; ++s)
        lines << QStringLiteral("LBL_S%1=Sensor%1").arg(s);
    return lines;
}

void ProgramHome::writeConfig(const QStringList& lines) const
{
    QFile file(configPath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
}

QString ProgramHome::logfile(const QDate& day, const QString& installation) const
{
    return logDir() + QLatin1Char('/') + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("VL_")
        + installation + QStringLiteral(".vlg");
}

QProcessEnvironment ProgramHome::offscreenEnvironment() const
{
    const QString screen = filePath(QStringLiteral("offscreen-screen.json"));
    QFile file(screen);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(R"({"screens":[{"name":"test","x":0,"y":0,"width":1280,"height":800,"logicalDpi":96}]})");
    QProcessEnvironment env;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screen);
    return env;
}

bool SimulatorProcess::start(const QString& linkPath, const QStringList& arguments)
{
    link_ = linkPath;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(builtProgram(QStringLiteral("tools/evaluator-sim")),
                   QStringList{QStringLiteral("--pty"), QStringLiteral("--link"), linkPath} + arguments);
    if (!process_.waitForStarted())
        return false;
    return waitUntil([this] { return QFileInfo(link_).isSymLink(); }, 10000);
}

void SimulatorProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool LoggerProcess::start(const ProgramHome& home, const QProcessEnvironment& env)
{
    QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
    for (const QString& key : env.keys())
        all.insert(key, env.value(key));
    process_.setProcessEnvironment(all);
    process_.setWorkingDirectory(home.path());
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(home.program(), {});
    return process_.waitForStarted();
}

void LoggerProcess::kill()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(process_.processId()), SIGKILL);
    process_.waitForFinished(5000);
}
