// evaluator-sim: plays the evaluator on a pseudo-terminal or a serial device,
// or writes a data logfile of any size for playback trials.
#include "EvaluatorModel.h"
#include "HistoryGenerator.h"
#include "LogfileGenerator.h"
#include "SerialOutput.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <csignal>
#include <cstdint>
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

// "SEQ," and the line's number (from 1) in ten digits: a checker of the
// logfile proves order and gaps by it.
std::string sequenceLine(uint64_t number)
{
    char digits[24];
    std::snprintf(digits, sizeof digits, "%010llu", static_cast<unsigned long long>(number));
    return textRecord(std::string("SEQ,") + digits) + "\r\n";
}

// linesPerSecond numbered text records, sent in batches every 10 ms; none is
// dropped: while the line is full (the logger is slow, or not running) the
// sending waits, so the numbers on the line never skip. With a model, its
// records of each second go between them.
int runRate(SerialOutput& output, int linesPerSecond, EvaluatorModel* model)
{
    constexpr uint64_t MaxBatch = 1000;
    timespec start {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    timespec next = start;
    uint64_t sent = 0;
    int seconds = 0;
    while (!stopRequested) {
        timespec now {};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double elapsed = double(now.tv_sec - start.tv_sec) + double(now.tv_nsec - start.tv_nsec) / 1e9;
        const uint64_t due = std::min(uint64_t(elapsed * linesPerSecond) + 1, sent + MaxBatch);
        std::string batch;
        while (model && seconds <= int(elapsed))
            batch += model->outputForSecond(seconds++);
        while (sent < due)
            batch += sequenceLine(++sent);
        if (!output.sendAll(batch, stopRequested))
            break;
        next.tv_nsec += 10 * 1000 * 1000;
        if (next.tv_nsec >= 1000 * 1000 * 1000) {
            next.tv_nsec -= 1000 * 1000 * 1000;
            next.tv_sec += 1;
        }
        sleepUntil(next);
    }
    return 0;
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
// The command line, as --help shows it.
struct Options {
    QCommandLineOption pty{QStringLiteral("pty"),
                           QStringLiteral("Create a pseudo-terminal and print its device path as the first line "
                                          "of standard output.")};
    QCommandLineOption device{QStringLiteral("device"), QStringLiteral("Send to an existing serial device instead."),
                              QStringLiteral("PATH")};
    QCommandLineOption link{QStringLiteral("link"),
                            QStringLiteral("Also make a symbolic link at PATH to the device, for example "
                                           "<home>/serial/COM1 (removed again on exit)."),
                            QStringLiteral("PATH")};
    QCommandLineOption sensors{QStringLiteral("sensors"), QStringLiteral("Number of sensors, 1..6 (default 6)."),
                               QStringLiteral("N"), QStringLiteral("6")};
    QCommandLineOption baud{QStringLiteral("baud"),
                            QStringLiteral("Baud rate of --device: 9600 (default), 19200, 38400, 57600."),
                            QStringLiteral("RATE"), QStringLiteral("9600")};
    QCommandLineOption scenario{QStringLiteral("scenario"),
                                QStringLiteral("What the evaluator does: ") + QLatin1String(scenarioNames())
                                    + QStringLiteral(". Default normal."),
                                QStringLiteral("NAME"), QStringLiteral("normal")};
    QCommandLineOption rate{QStringLiteral("rate"),
                            QStringLiteral("In place of the scenario (or beside it, when --scenario is given), "
                                           "send N numbered text records a second (\":80SEQ,<number>\"), waiting "
                                           "rather than dropping any while nobody reads."),
                            QStringLiteral("N")};
    QCommandLineOption logfile{QStringLiteral("logfile"),
                               QStringLiteral("Write a data logfile to PATH instead of playing the evaluator."),
                               QStringLiteral("PATH")};
    QCommandLineOption bytes{QStringLiteral("bytes"),
                             QStringLiteral("Size of the --logfile in bytes (suffixes k, M, G allowed)."),
                             QStringLiteral("N"), QStringLiteral("10M")};
    QCommandLineOption history{QStringLiteral("history"),
                               QStringLiteral("Write the daily data logfiles of a long measurement into DIR, as the "
                                              "logger would have in this time zone (with --from and --days)."),
                               QStringLiteral("DIR")};
    QCommandLineOption installation{QStringLiteral("installation"),
                                    QStringLiteral("Installation name of --history (default Main_Engine)."),
                                    QStringLiteral("NAME"), QStringLiteral("Main_Engine")};
    QCommandLineOption from{QStringLiteral("from"), QStringLiteral("First day of --history."),
                            QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption days{QStringLiteral("days"), QStringLiteral("Number of days of --history (default 1)."),
                            QStringLiteral("N"), QStringLiteral("1")};
    QCommandLineOption every{QStringLiteral("every-seconds"),
                             QStringLiteral("One record per sensor every N seconds (default 1)."), QStringLiteral("N"),
                             QStringLiteral("1")};
    QCommandLineOption gapDays{QStringLiteral("gap-days"),
                               QStringLiteral("Days without a logfile (the logger was off): dates YYYY-MM-DD or day "
                                              "numbers from 0, comma separated."),
                               QStringLiteral("LIST")};
    QCommandLineOption lost{QStringLiteral("lost"),
                            QStringLiteral("Each day the evaluator is silent for MINUTES at a random time."),
                            QStringLiteral("MINUTES"), QStringLiteral("0")};
    QCommandLineOption alarms{QStringLiteral("alarms"),
                              QStringLiteral("--history writes alarm episodes on some days: an oil-quality main "
                                             "alarm inside a pre-alarm every fourth day, confirmed; a temperature "
                                             "pre-alarm over midnight every seventh, confirmed after its end; a "
                                             "temperature main alarm every ninth.")};
    QCommandLineOption seed{QStringLiteral("seed"), QStringLiteral("Seed of the values (default 1)."),
                            QStringLiteral("N"), QStringLiteral("1")};
    QCommandLineOption drift{QStringLiteral("drift"),
                             QStringLiteral("A value of --history that moves at a set rate since --oil-change: "
                                            "SENSOR:VALUE:START:PERDAY[:NOISE], VALUE one of oil_quality, "
                                            "oil_temperature, loss_factor, tdn, ambient_temperature, the numbers in "
                                            "the readout's unit (1:tdn:1000:-8:40). May be given more than once."),
                             QStringLiteral("DRIFT")};
    QCommandLineOption oilChange{QStringLiteral("oil-change"),
                                 QStringLiteral("The day the oil of the --drift sensors is changed (at 10:00, noted "
                                                "in notes_VELTRA.txt): YYYY-MM-DD or a day number from 0."),
                                 QStringLiteral("DAY")};
    QCommandLineOption levels{QStringLiteral("levels"),
                              QStringLiteral("The alarm levels of the parameter records of --history, raw numbers: "
                                             "MAIN:PRE[:MAINHIGH:PREHIGH] (default 80:60:1300:0, the high ones off)."),
                              QStringLiteral("LEVELS")};
    QCommandLineOption badDay{QStringLiteral("bad-day"),
                              QStringLiteral("A day the --drift values read 0 (a stuck sensor): YYYY-MM-DD or a day "
                                             "number from 0."),
                              QStringLiteral("DAY")};
};

// "2026-03-05,7" -> the dates; false on anything else.
bool readGapDays(const QString& list, const QDate& from, QSet<QDate>& days)
{
    for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool isNumber = false;
        const int number = item.trimmed().toInt(&isNumber);
        const QDate day = isNumber ? from.addDays(number) : QDate::fromString(item.trimmed(), Qt::ISODate);
        if (!day.isValid() || (isNumber && number < 0))
            return false;
        days.insert(day);
    }
    return true;
}

// "300:450" or "300:450:1120:1040"; false on anything else.
bool readLevels(const QString& text, ParameterLevels& out)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 2 && parts.size() != 4)
        return false;
    int* fields[] = {&out.main, &out.pre, &out.mainHigh, &out.preHigh};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        *fields[i] = parts[i].toInt(&ok);
        if (!ok || *fields[i] < 0 || *fields[i] > 0x7FFF)
            return false;
    }
    return true;
}

// The known drifts, their oil change, bad day and levels; false with the
// problem.
bool readDrifts(const QCommandLineParser& parser, const Options& o, HistorySettings& s, QString* problem)
{
    for (const QString& text : parser.values(o.drift)) {
        KnownDrift d;
        if (!readKnownDrift(text, d)) {
            *problem = QStringLiteral("--drift takes SENSOR:VALUE:START:PERDAY[:NOISE], such as 1:tdn:1000:-8:40");
            return false;
        }
        s.drifts.push_back(d);
    }
    QSet<QDate> change, bad;
    const bool changeOk = readGapDays(parser.value(o.oilChange), s.from, change) && change.size() <= 1;
    const bool badOk = readGapDays(parser.value(o.badDay), s.from, bad) && bad.size() <= 1;
    if (!changeOk || !badOk || (s.drifts.empty() != change.isEmpty())) {
        *problem = QStringLiteral("--drift goes with --oil-change DAY, and --oil-change and --bad-day take one day "
                                  "YYYY-MM-DD or a day number");
        return false;
    }
    if (parser.isSet(o.levels) && !readLevels(parser.value(o.levels), s.levels)) {
        *problem = QStringLiteral("--levels takes MAIN:PRE[:MAINHIGH:PREHIGH], whole numbers 0..32767");
        return false;
    }
    s.oilChange = change.isEmpty() ? QDate() : *change.begin();
    s.badDay = bad.isEmpty() ? QDate() : *bad.begin();
    return true;
}

int writeHistoryOf(const QCommandLineParser& parser, const Options& o, int sensorCount)
{
    HistorySettings s;
    s.dir = parser.value(o.history);
    s.installation = parser.value(o.installation);
    s.from = QDate::fromString(parser.value(o.from), Qt::ISODate);
    s.sensors = sensorCount;
    s.alarms = parser.isSet(o.alarms);
    bool daysOk = false, everyOk = false, lostOk = false, seedOk = false;
    s.days = parser.value(o.days).toInt(&daysOk);
    s.everySeconds = parser.value(o.every).toInt(&everyOk);
    s.lostMinutes = parser.value(o.lost).toInt(&lostOk);
    s.seed = parser.value(o.seed).toULongLong(&seedOk);
    if (!s.from.isValid())
        return fail(QStringLiteral("--history needs --from YYYY-MM-DD"));
    if (!daysOk || s.days < 1 || !everyOk || s.everySeconds < 1 || s.everySeconds > 3600 || !lostOk
        || s.lostMinutes < 0 || !seedOk)
        return fail(QStringLiteral("--days, --every-seconds (1..3600), --lost and --seed take whole numbers"));
    if (!readGapDays(parser.value(o.gapDays), s.from, s.gapDays))
        return fail(QStringLiteral("--gap-days takes dates YYYY-MM-DD or day numbers, comma separated"));
    QString error;
    if (!readDrifts(parser, o, s, &error))
        return fail(error);
    if (!writeHistory(s, &error))
        return fail(error);
    return 0;
}

// "10M" and the like; -1 when it is no positive size.
qint64 sizeFromText(QString size)
{
    size = size.trimmed();
    qint64 factor = 1;
    if (size.endsWith(QLatin1Char('k')) || size.endsWith(QLatin1Char('K')))
        factor = 1000;
    else if (size.endsWith(QLatin1Char('M')))
        factor = 1000 * 1000;
    else if (size.endsWith(QLatin1Char('G')))
        factor = 1000 * 1000 * 1000;
    if (factor != 1)
        size.chop(1);
    bool ok = false;
    const qint64 count = size.toLongLong(&ok) * factor;
    return ok && count > 0 ? count : -1;
}

int writeLogfileOf(const QString& path, const QString& size, int sensorCount)
{
    const qint64 count = sizeFromText(size);
    if (count <= 0)
        return fail(QStringLiteral("--bytes takes a positive size"));
    QString error;
    const QDateTime start(QDate(2026, 2, 11), QTime(10, 0, 0));
    if (!writeLogfile(path, count, sensorCount, start, QStringLiteral("Main_Engine"), &error))
        return fail(error);
    return 0;
}

int playEvaluator(const QCommandLineParser& parser, const Options& o, int sensorCount)
{
    const std::optional<Scenario> chosen = scenarioFromName(parser.value(o.scenario).toStdString());
    if (!chosen)
        return fail(QStringLiteral("unknown scenario; choose one of ") + QLatin1String(scenarioNames()));
    bool ok = false;
    const int baudRate = parser.value(o.baud).toInt(&ok);
    if (!ok || (baudRate != 9600 && baudRate != 19200 && baudRate != 38400 && baudRate != 57600))
        return fail(QStringLiteral("--baud takes 9600, 19200, 38400 or 57600"));
    const int linesPerSecond = parser.isSet(o.rate) ? parser.value(o.rate).toInt(&ok) : 0;
    if (parser.isSet(o.rate) && (!ok || linesPerSecond < 1 || linesPerSecond > 1000000))
        return fail(QStringLiteral("--rate takes 1..1000000 lines a second"));
    if (parser.isSet(o.pty) == parser.isSet(o.device))
        return fail(QStringLiteral("give either --pty or --device PATH (see --help)"));

    installStopHandlers();
    SerialOutput output;
    std::string error;
    if (parser.isSet(o.pty) ? !output.openPty(&error)
                            : !output.openDevice(parser.value(o.device).toStdString(), baudRate, &error))
        return fail(QString::fromStdString(error));
    const QString devicePath = QString::fromStdString(output.devicePath());
    std::printf("%s\n", output.devicePath().c_str());
    std::fflush(stdout);

    QString linkError;
    if (parser.isSet(o.link) && !makeLink(parser.value(o.link), devicePath, &linkError))
        return fail(linkError);

    EvaluatorModel model(sensorCount, *chosen);
    const int result = linesPerSecond > 0
        ? runRate(output, linesPerSecond, parser.isSet(o.scenario) ? &model : nullptr)
        : runSerial(output, model);
    if (parser.isSet(o.link))
        removeLinkIfOurs(parser.value(o.link), devicePath);
    return result;
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
                       "Alternatively writes a data logfile of a given size (--logfile, --bytes), or the daily "
                       "logfiles of a long measurement (--history)."));
    parser.addHelpOption();
    const Options o;
    parser.addOptions({o.pty, o.device, o.link, o.sensors, o.baud, o.scenario, o.rate, o.logfile, o.bytes, o.history,
                       o.installation, o.from, o.days, o.every, o.gapDays, o.lost, o.alarms, o.seed, o.drift,
                       o.oilChange, o.badDay, o.levels});
    parser.process(app);

    bool ok = false;
    const int sensorCount = parser.value(o.sensors).toInt(&ok);
    if (!ok || sensorCount < 1 || sensorCount > 6)
        return fail(QStringLiteral("--sensors takes 1..6"));
    if (parser.isSet(o.logfile))
        return writeLogfileOf(parser.value(o.logfile), parser.value(o.bytes), sensorCount);
    if (parser.isSet(o.history))
        return writeHistoryOf(parser, o, sensorCount);
    return playEvaluator(parser, o, sensorCount);
}
