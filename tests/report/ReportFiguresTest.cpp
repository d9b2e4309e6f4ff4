// A report of a simulated history with alarms, made by the real
// veltra-history, read back with pdftotext and held against the figures
// worked out from the logfiles' lines.
#include "Programs.h"
#include "RawHistory.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <cmath>

namespace {

const QString Berlin = QStringLiteral("Europe/Berlin");
const QDate From(2026, 3, 22); // the clocks go forward on the 29th
const QDate To(2026, 4, 2);
const char* const Values[5] = {"Oil quality", "Oil temperature (°C)", "Loss factor (%)", "TDN number",
                               "Ambient temperature (°C)"};

QString timeText(qint64 instant)
{
    return QDateTime::fromSecsSinceEpoch(instant, QTimeZone(Berlin.toLatin1()))
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString durationText(qint64 s)
{
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg(s / 3600 % 24, 2, 10, QLatin1Char('0'))
                              .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                              .arg(s % 60, 2, 10, QLatin1Char('0'));
    return s >= 86400 ? QStringLiteral("%1 d ").arg(s / 86400) + clock : clock;
}

// One simulated history and its report, shared by the tests.
class ReportFigures : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        const QString logs = dir->filePath(QStringLiteral("logs"));
        const Programs::Run sim = Programs::run(
            Programs::simulator(),
            {QStringLiteral("--history"), logs, QStringLiteral("--from"), QStringLiteral("2026-03-18"),
             QStringLiteral("--days"), QStringLiteral("16"), QStringLiteral("--every-seconds"), QStringLiteral("60"),
             QStringLiteral("--sensors"), QStringLiteral("3"), QStringLiteral("--lost"), QStringLiteral("20"),
             QStringLiteral("--gap-days"), QStringLiteral("2026-03-25"), QStringLiteral("--alarms"),
             QStringLiteral("--seed"), QStringLiteral("5"), QStringLiteral("--drift"), QStringLiteral("2:tdn:700:-15"),
             QStringLiteral("--oil-change"), QStringLiteral("0"), QStringLiteral("--levels"),
             QStringLiteral("280:400")},
            Berlin);
        ASSERT_EQ(sim.exitCode, 0) << sim.err.constData();
        QFile notes(logs + QStringLiteral("/notes_VELTRA.txt"));
        ASSERT_TRUE(notes.open(QIODevice::Append)); // after the simulator's oil change
        notes.write("#03-20-2026 09:00:00 Note \"Main_Engine\" Sensor 1: Before the range\r\n"
                    "#03-24-2026 10:15:00 Note \"Main_Engine\" Sensor 2: Oil changed\r\n"
                    "#03-30-2026 14:00:00 Note \"Main_Engine\" all sensors: Sample taken\r\n");
        notes.close();
        pdf = dir->filePath(QStringLiteral("report.pdf"));
        const Programs::Run report = Programs::run(
            Programs::historyTool(),
            {QStringLiteral("report"), QStringLiteral("--logdir"), logs, QStringLiteral("--installation"),
             QStringLiteral("Main_Engine"), QStringLiteral("--from"), From.toString(Qt::ISODate),
             QStringLiteral("--to"), To.toString(Qt::ISODate), QStringLiteral("--output"), pdf},
            Berlin);
        ASSERT_EQ(report.exitCode, 0) << report.err.constData();
        pages = Programs::pdfPages(pdf);
        const Programs::Run forecast = Programs::run(
            Programs::historyTool(),
            {QStringLiteral("forecast"), QStringLiteral("--logdir"), logs, QStringLiteral("--installation"),
             QStringLiteral("Main_Engine"), QStringLiteral("--at"), To.toString(Qt::ISODate)},
            Berlin);
        ASSERT_EQ(forecast.exitCode, 0) << forecast.err.constData();
        forecasts = QJsonDocument::fromJson(forecast.out).array();
        raw = new RawHistory(QTimeZone(Berlin.toLatin1()));
        for (const QString& name : QDir(logs).entryList({QStringLiteral("*.vlg")}, QDir::Files, QDir::Name))
            raw->addFile(logs + QLatin1Char('/') + name);
    }
    static void TearDownTestSuite()
    {
        delete raw;
        delete dir;
    }
    static qint64 startOf(const QDate& day)
    {
        return QDateTime(day, QTime(0, 0), QTimeZone(Berlin.toLatin1())).toSecsSinceEpoch();
    }
    static qint64 from() { return startOf(From); }
    static qint64 to() { return startOf(To.addDays(1)); }
    // The lines of every page from one heading to the next (or the end).
    static QStringList linesBetween(const QString& first, const QString& last)
    {
        const QString all = pages.join(QLatin1Char('\n'));
        const qsizetype a = all.indexOf(first), b = last.isEmpty() ? -1 : all.indexOf(last, a + 1);
        return all.mid(a, b < 0 ? -1 : b - a).split(QLatin1Char('\n'));
    }

    static QTemporaryDir* dir;
    static QString pdf;
    static QStringList pages;
    static RawHistory* raw;
    static QJsonArray forecasts; // veltra-history forecast's as of the range's end
};

QTemporaryDir* ReportFigures::dir = nullptr;
QString ReportFigures::pdf;
QStringList ReportFigures::pages;
RawHistory* ReportFigures::raw = nullptr;
QJsonArray ReportFigures::forecasts;

TEST_F(ReportFigures, TheTitleNamesInstallationRangeEvaluatorAndProgram)
{
    ASSERT_FALSE(pages.isEmpty());
    const QString first = pages.first();
    EXPECT_TRUE(first.contains(QStringLiteral("Report of Main_Engine")));
    EXPECT_TRUE(first.contains(QStringLiteral("2026-03-22 to 2026-04-02")));
    EXPECT_TRUE(first.contains(QStringLiteral("model 07K31, version V2.14 SIM, serial number SIM00001, 3 sensors")))
        << qPrintable(first);
    EXPECT_TRUE(first.contains(QStringLiteral("VELTRA Data Logger Version 1.03_1")));
}

TEST_F(ReportFigures, EverySensorsFiguresCoverageAndAlarmTimesMatchTheRecords)
{
    // sensor (on its first row), value, lowest, mean, highest, coverage, pre-alarm, main alarm
    const QRegularExpression row(QStringLiteral("^\\s*(Sensor \\d)?\\s+(.+?)\\s{2,}(-?[\\d.]+)\\s+(-?[\\d.]+)\\s+"
                                                "(-?[\\d.]+)\\s+([\\d.]+) %\\s+(\\S+)\\s+(\\S+)$"));
    int rows = 0, sensor = 0;
    const std::vector<RawHistory::Entry> entries = raw->entries(from(), to());
    for (const QString& line : linesBetween(QStringLiteral("Figures per sensor"), QStringLiteral("Chart of"))) {
        const QRegularExpressionMatch m = row.match(line);
        if (!m.hasMatch())
            continue;
        if (!m.captured(1).isEmpty())
            sensor = m.captured(1).mid(7).toInt();
        const int value = int(std::find(std::begin(Values), std::end(Values), m.captured(2).toStdString())
                              - std::begin(Values));
        ASSERT_LT(value, 5) << qPrintable(line);
        const RawHistory::Figures f = raw->figures(sensor, value, from(), to());
        const double divisor = value == 0 || value == 3 ? 1 : 10;
        const int decimals = divisor == 1 ? 0 : 1;
        EXPECT_EQ(m.captured(3), QString::number(f.min / divisor, 'f', decimals)) << qPrintable(line);
        EXPECT_NEAR(m.captured(4).toDouble(), double(f.sum) / double(f.count) / divisor,
                    0.5 * std::pow(10.0, -decimals - 1) + 1e-9)
            << qPrintable(line);
        EXPECT_EQ(m.captured(5), QString::number(f.max / divisor, 'f', decimals)) << qPrintable(line);
        const double coverage = 100.0 * double(raw->coveredMinutes(sensor, from(), to())) / double(to() - from()) * 60;
        EXPECT_NEAR(m.captured(6).toDouble(), coverage, 0.05 + 1e-9) << qPrintable(line);
        for (int level = 0; level < 2; ++level) {
            const QString what = QStringLiteral("Sensor %1 %2 %3")
                                     .arg(sensor)
                                     .arg(value == 0 ? QStringLiteral("oil quality") : QStringLiteral("temperature"),
                                          level == 0 ? QStringLiteral("pre-alarm") : QStringLiteral("main alarm"));
            qint64 seconds = 0;
            for (const RawHistory::Entry& e : entries)
                if (e.what == what)
                    seconds += (e.end < 0 ? to() : e.end) - e.start;
            EXPECT_EQ(m.captured(7 + level), value < 2 ? durationText(seconds) : QStringLiteral("\u2013"))
                << qPrintable(line);
        }
        ++rows;
    }
    EXPECT_EQ(rows, 15);
}

TEST_F(ReportFigures, TheJournalHoldsEveryAlarmLossAndStopOfTheLines)
{
    const QString stamp = QStringLiteral("(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d)");
    const QRegularExpression row(QStringLiteral("^\\s*(\\S.*?)\\s{2,}") + stamp + QStringLiteral("\\s+(?:") + stamp
                                 + QStringLiteral("\\s+)?(?:") + stamp
                                 + QStringLiteral("|\u2013)\\s+((?:\\d+ d )?\\d\\d:\\d\\d:\\d\\d)"));
    QStringList got;
    for (const QString& line : linesBetween(QStringLiteral("Alarm journal"), QStringLiteral("Maintenance notes"))) {
        const QRegularExpressionMatch m = row.match(line);
        if (m.hasMatch())
            got << QStringList{m.captured(1), m.captured(2), m.captured(3), m.captured(4), m.captured(5)}.join(
                QStringLiteral(" | "));
    }
    QStringList expected;
    for (const RawHistory::Entry& e : raw->entries(from(), to()))
        expected << QStringList{e.what, timeText(e.start), e.confirmed < 0 ? QString() : timeText(e.confirmed),
                                e.end < 0 ? QString() : timeText(e.end),
                                durationText((e.end < 0 ? to() : e.end) - e.start)}
                        .join(QStringLiteral(" | "));
    EXPECT_EQ(got, expected);
    EXPECT_GT(expected.size(), 30);
}

TEST_F(ReportFigures, NotesOfTheRangeAndEveryPagesHeaderAndNumber)
{
    const QStringList notes = linesBetween(QStringLiteral("Maintenance notes"), QString());
    const QString text = notes.join(QLatin1Char('\n'));
    const QRegularExpression first(QStringLiteral("1\\s+2026-03-24 10:15:00\\s+Sensor 2\\s+Oil changed"));
    const QRegularExpression second(QStringLiteral("2\\s+2026-03-30 14:00:00\\s+all sensors\\s+Sample taken"));
    EXPECT_TRUE(text.contains(first)) << qPrintable(text);
    EXPECT_TRUE(text.contains(second));
    EXPECT_FALSE(text.contains(QStringLiteral("Before the range")));
    ASSERT_GE(pages.size(), 3);
    for (int i = 0; i < pages.size(); ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Main_Engine \u00B7 2026-03-22 to 2026-04-02"))) << i;
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size()))) << i;
    }
}

// Each evaluator level's row says what the forecast command says of it:
// the date its value reaches the level, or why none can be given.
TEST_F(ReportFigures, TheForecastsAlarmLevelsAreTheForecastCommandsAsOfTheRangesEnd)
{
    const QRegularExpression row(QStringLiteral("^\\s*(Sensor \\d)?\\s+TDN number\\s+(Pre-alarm|Main alarm) [\\d.]+\\s"
                                                ".*?\\s{2,}(\\d{4}-\\d\\d-\\d\\d|[a-z][a-z :0-9]+)"));
    const QRegularExpression sensorName(QStringLiteral("^\\s*Sensor (\\d)\\s"));
    int sensor = 0, rows = 0, dates = 0;
    for (const QString& line : linesBetween(QStringLiteral("Forecast"), QStringLiteral("Alarm journal"))) {
        if (const QRegularExpressionMatch m = sensorName.match(line); m.hasMatch())
            sensor = m.captured(1).toInt();
        const QRegularExpressionMatch m = row.match(line);
        if (!m.hasMatch())
            continue;
        const QString level = m.captured(2) == QLatin1String("Pre-alarm") ? QStringLiteral("pre_alarm")
                                                                           : QStringLiteral("main_alarm");
        QJsonObject expected;
        for (const QJsonValue& v : forecasts) {
            const QJsonObject o = v.toObject();
            if (o[QLatin1String("sensor")].toInt() == sensor
                && o[QLatin1String("value")].toString() == QLatin1String("tdn")
                && o[QLatin1String("level")].toString() == level)
                expected = o;
        }
        ASSERT_FALSE(expected.isEmpty()) << qPrintable(line);
        const QString said = expected[QLatin1String("crossing")].isNull()
            ? expected[QLatin1String("reason")].toString()
            : expected[QLatin1String("crossing")].toString().left(10);
        EXPECT_TRUE(said.startsWith(m.captured(3).trimmed())) << qPrintable(line) << " / " << qPrintable(said);
        dates += expected[QLatin1String("crossing")].isNull() ? 0 : 1;
        ++rows;
    }
    EXPECT_EQ(rows, 6); // two levels of three sensors
    EXPECT_GE(dates, 1); // sensor 2's drifting TDN number
}

} // namespace
