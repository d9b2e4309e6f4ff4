// evaluator-sim: plays the evaluator on a pseudo-terminal or a serial device,
// or writes a data logfile of any size for playback trials.
#include "EvaluatorModel.h"
#include "LogfileGenerator.h"
#include "SerialOutput.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <ctime>

namespace {
volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

void installStopHandlers()
{
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: the sleep must end on a signal
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

int fail(const QString& text)
{
    std::fprintf(stderr, "evaluator-sim: %s\n", qPrintable(text));
    return 2;
}

// Points a symbolic link at the device, replacing an older link there.
bool makeLink(const QString& linkPath, const QString& target, QString* error)
{
    const QFileInfo link(linkPath);
    QDir().mkpath(link.absolutePath());
    if (link.isSymLink()) {
        QFile::remove(linkPath);
    } else if (link.exists()) {
        *error = linkPath + QStringLiteral(" exists and is not a symbolic link");
        return false;
    }
    if (!QFile::link(target, linkPath)) {
        *error = QStringLiteral("cannot create the link ") + linkPath;
        return false;
    }
    return true;
}

void removeLinkIfOurs(const QString& linkPath, const QString& target)
{
    const QFileInfo link(linkPath);
    if (link.isSymLink() && link.symLinkTarget() == QFileInfo(target).absoluteFilePath())
        QFile::remove(linkPath);
}

void sleepUntil(const timespec& when)
{
    while (!stopRequested && clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &when, nullptr) != 0) {
    }
}

int runSerial(SerialOutput& output, EvaluatorModel& model)
{
    timespec next {};
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (int t = 0; !stopRequested; ++t) {
        output.send(model.outputForSecond(t));
        next.tv_sec += 1;
        sleepUntil(next);
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("evaluator-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays the oil-condition evaluator: a parameter record, then every second one sensor "
                       "record per sensor, on a new pseudo-terminal or an existing serial device.\n"
                       "Alternatively writes a data logfile of a given size (--logfile, --bytes)."));
    parser.addHelpOption();
    const QCommandLineOption pty(QStringLiteral("pty"),
                                 QStringLiteral("Create a pseudo-terminal and print its device path as the "
                                                "first line of standard output."));
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Send to an existing serial device instead."),
                                    QStringLiteral("PATH"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Also make a symbolic link at PATH to the device, for example "
                                                 "<home>/serial/COM1 (removed again on exit)."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption sensors(QStringLiteral("sensors"), QStringLiteral("Number of sensors, 1..6 (default 6)."),
                                     QStringLiteral("N"), QStringLiteral("6"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Baud rate of --device: 9600 (default), 19200, 38400, 57600."),
                                  QStringLiteral("RATE"), QStringLiteral("9600"));
    const QCommandLineOption scenario(QStringLiteral("scenario"),
                                      QStringLiteral("What the evaluator does: ") + QLatin1String(scenarioNames())
                                          + QStringLiteral(". Default normal."),
                                      QStringLiteral("NAME"), QStringLiteral("normal"));
    const QCommandLineOption logfile(QStringLiteral("logfile"),
                                     QStringLiteral("Write a data logfile to PATH instead of playing the evaluator."),
                                     QStringLiteral("PATH"));
    const QCommandLineOption bytes(QStringLiteral("bytes"),
                                   QStringLiteral("Size of the --logfile in bytes (suffixes k, M, G allowed)."),
                                   QStringLiteral("N"), QStringLiteral("10M"));
    parser.addOptions({pty, device, link, sensors, baud, scenario, logfile, bytes});
    parser.process(app);

    bool ok = false;
    const int sensorCount = parser.value(sensors).toInt(&ok);
    if (!ok || sensorCount < 1 || sensorCount > 6)
        return fail(QStringLiteral("--sensors takes 1..6"));

    if (parser.isSet(logfile)) {
        QString size = parser.value(bytes).trimmed();
        qint64 factor = 1;
        if (size.endsWith(QLatin1Char('k')) || size.endsWith(QLatin1Char('K')))
            factor = 1000;
        else if (size.endsWith(QLatin1Char('M')))
            factor = 1000 * 1000;
        else if (size.endsWith(QLatin1Char('G')))
            factor = 1000 * 1000 * 1000;
        if (factor != 1)
            size.chop(1);
        const qint64 count = size.toLongLong(&ok) * factor;
        if (!ok || count <= 0)
            return fail(QStringLiteral("--bytes takes a positive size"));
        QString error;
        const QDateTime start(QDate(2026, 2, 11), QTime(10, 0, 0));
        if (!writeLogfile(parser.value(logfile), count, sensorCount, start, QStringLiteral("Main_Engine"), &error))
            return fail(error);
        return 0;
    }

    const std::optional<Scenario> chosen = scenarioFromName(parser.value(scenario).toStdString());
    if (!chosen)
        return fail(QStringLiteral("unknown scenario; choose one of ") + QLatin1String(scenarioNames()));
    const int rate = parser.value(baud).toInt(&ok);
    if (!ok || (rate != 9600 && rate != 19200 && rate != 38400 && rate != 57600))
        return fail(QStringLiteral("--baud takes 9600, 19200, 38400 or 57600"));
    if (parser.isSet(pty) == parser.isSet(device))
        return fail(QStringLiteral("give either --pty or --device PATH (see --help)"));

    installStopHandlers();
    SerialOutput output;
    std::string error;
    if (parser.isSet(pty) ? !output.openPty(&error)
                          : !output.openDevice(parser.value(device).toStdString(), rate, &error))
        return fail(QString::fromStdString(error));
    const QString devicePath = QString::fromStdString(output.devicePath());
    std::printf("%s\n", output.devicePath().c_str());
    std::fflush(stdout);

    QString linkError;
    if (parser.isSet(link) && !makeLink(parser.value(link), devicePath, &linkError))
        return fail(linkError);

    EvaluatorModel model(sensorCount, *chosen);
    const int result = runSerial(output, model);
    if (parser.isSet(link))
        removeLinkIfOurs(parser.value(link), devicePath);
    return result;
}
