#include "report/ReportSections.h"

#include "core/Version.h"
#include "history/JournalText.h"
#include "history/LogfileClock.h"
#include "report/ReportChart.h"
#include "report/ReportTable.h"
#include "report/ReportValues.h"

#include <QDateTime>
#include <QPainter>

namespace ReportSections {

namespace {

// Label and value lines of the title block.
void facts(ReportPages& pages, const ReportStyle& style, const std::vector<std::pair<QString, QString>>& lines)
{
    const QFont label = style.bold(), text = style.text();
    const double column = style.mm(34);
    for (const auto& [name, value] : lines) {
        const double width = pages.body().width() - column;
        const double height = std::max(style.lineHeight(label), style.height(text, value, width)) + style.mm(0.8);
        const QRectF r = pages.take(height);
        pages.draw([=](QPainter& p) {
            p.setFont(label);
            p.drawText(QRectF(r.left(), r.top(), column, r.height()), Qt::AlignLeft | Qt::AlignTop, name);
            p.setFont(text);
            p.drawText(r.adjusted(column, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, value);
        });
    }
}

QString evaluatorText(const ReportData& d)
{
    if (!d.parameters)
        return QStringLiteral("no parameter record logged up to the range's end");
    const ParameterInfo& p = *d.parameters;
    const QString source = d.parametersLive
        ? QStringLiteral("as the logger receives it now")
        : QStringLiteral("parameter record logged %1").arg(timeText(d.parametersInstant));
    return QStringLiteral("model %1, version %2, serial number %3, %4 sensors (%5)")
        .arg(p.modelCode.trimmed(), p.versionText.trimmed(), p.serialNumber.trimmed())
        .arg(p.sensorCount)
        .arg(source);
}

QString alarmTime(const ReportData& d, int sensor, int value, AlarmStage level)
{
    const AlarmQuantity quantity = value == 0 ? AlarmQuantity::OilQuality
        : value == 1                          ? AlarmQuantity::Temperature
                                              : AlarmQuantity::None;
    if (quantity == AlarmQuantity::None)
        return QStringLiteral("\u2013");
    return JournalText::duration(d.alarmTimes.of(sensor, quantity, level));
}

QStringList figureRow(const ReportData& d, int sensor, int value)
{
    const SeriesSummary& s = d.figures[Series::index(sensor, value)];
    const QString unit = ReportValues::unit(value);
    QStringList row{value == 0 ? d.sensorName(sensor) : QString(),
                    ReportValues::name(value) + (unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unit))};
    if (s.count == 0)
        row << QStringLiteral("no records") << QString() << QString();
    else
        row << ReportValues::number(value, Series::inUnits(value, s.min))
            << ReportValues::number(value, Series::inUnits(value, double(s.sum) / double(s.count)), 1)
            << ReportValues::number(value, Series::inUnits(value, s.max));
    row << QString::number(d.coverage(sensor), 'f', 1) + QStringLiteral(" %")
        << alarmTime(d, sensor, value, AlarmStage::PreAlarm) << alarmTime(d, sensor, value, AlarmStage::MainAlarm);
    return row;
}

} // namespace

QString timeText(int64_t instant)
{
    if (instant == JournalEntry::None)
        return QString();
    const QDateTime local = QDateTime::fromSecsSinceEpoch(instant, LogfileClock().zone());
    return local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString rangeText(const ReportData& d)
{
    const ReportRequest& r = d.request;
    QString text = r.from == r.to ? r.from.toString(Qt::ISODate)
                                  : r.from.toString(Qt::ISODate) + QStringLiteral(" to ") + r.to.toString(Qt::ISODate);
    LogfileClock clock;
    if (d.to < clock.startOfDay(QDate(1970, 1, 1).daysTo(r.to.addDays(1))))
        text += QStringLiteral(", until %1").arg(timeText(d.to));
    return text;
}

void heading(ReportPages& pages, const ReportStyle& style, const QString& text, double keep)
{
    const QFont font = style.heading();
    const double height = style.lineHeight(font) + style.mm(2);
    if (!pages.pageEmpty() && pages.room() < height + keep)
        pages.newPage();
    const QRectF r = pages.take(height);
    pages.draw([=](QPainter& p) {
        p.setFont(font);
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
    });
}

void paragraph(ReportPages& pages, const ReportStyle& style, const QString& text)
{
    const QFont font = style.small();
    const QRectF r = pages.take(style.height(font, text, pages.body().width()) + style.mm(1.5));
    pages.draw([=](QPainter& p) {
        p.setFont(font);
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    });
}

void title(ReportPages& pages, const ReportData& d, const ReportStyle& style)
{
    const QFont font = style.title();
    const QRectF r = pages.take(style.lineHeight(font) + style.mm(3));
    const QString text = QStringLiteral("Report of %1").arg(d.request.installation);
    pages.draw([=](QPainter& p) {
        p.setFont(font);
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop, text);
    });
    facts(pages, style,
          {{QStringLiteral("Installation"), d.request.installation},
           {QStringLiteral("Range"), rangeText(d)},
           {QStringLiteral("Evaluator"), evaluatorText(d)},
           {QStringLiteral("Printed"), timeText(d.request.printedAt)},
           {QStringLiteral("Program"), QStringLiteral("VELTRA Data Logger %1").arg(QLatin1String(Version::Text))},
           {QStringLiteral("Journal"), QStringLiteral("%1 entries, %2 maintenance notes")
                                           .arg(d.journal.size())
                                           .arg(d.notes.size())}});
    pages.skip(style.mm(4));
}

void figures(ReportPages& pages, const ReportData& d, const ReportStyle& style)
{
    heading(pages, style, QStringLiteral("Figures per sensor and value"), style.mm(30));
    paragraph(pages, style,
              QStringLiteral("Lowest, mean and highest record of the range in the readouts' units. Coverage: the "
                             "share of the range's minutes with at least one record of the sensor. Pre-alarm and "
                             "main alarm: the time the alarm journal shows for the sensor's oil quality and "
                             "temperature (a pre-alarm held under a main alarm counts as pre-alarm time too)."));
    const double mm = style.mm(1);
    const double value = style.width(style.text(), QStringLiteral("Ambient temperature (\u00B0C)")) + 3 * mm;
    ReportTable table(style, {{QStringLiteral("Sensor"), 24 * mm},
                              {QStringLiteral("Value"), value},
                              {QStringLiteral("Lowest"), 16 * mm, Qt::AlignRight},
                              {QStringLiteral("Mean"), 17 * mm, Qt::AlignRight},
                              {QStringLiteral("Highest"), 16 * mm, Qt::AlignRight},
                              {QStringLiteral("Coverage"), 18 * mm, Qt::AlignRight},
                              {QStringLiteral("Pre-alarm"), 22 * mm, Qt::AlignRight},
                              {QStringLiteral("Main alarm"), 0, Qt::AlignRight}});
    for (const int s : d.sensors)
        for (int v = 0; v < Series::kValues; ++v)
            table.addRow(figureRow(d, s, v), v == 0);
    if (table.empty())
        paragraph(pages, style, QStringLiteral("No records in the range."));
    table.layOut(pages);
}

void chart(ReportPages& pages, const ReportData& d, const ReportStyle& style)
{
    pages.newPage();
    heading(pages, style, QStringLiteral("Chart of the range"), style.mm(100));
    paragraph(pages, style,
              QStringLiteral("Per sensor, the band runs from the lowest to the highest record of each column's "
                             "time and the line joins the columns' means; a break is a time without records. "
                             "Dashed: the maintenance notes, numbered as listed at the end."));
    const QRectF area = pages.take(pages.room());
    const ReportChart chart(d, style);
    pages.draw([chart, area](QPainter& p) { chart.paint(p, area); });
}

void journal(ReportPages& pages, const ReportData& d, const ReportStyle& style)
{
    heading(pages, style, QStringLiteral("Alarm journal"), style.mm(20));
    if (d.journal.empty()) {
        paragraph(pages, style, QStringLiteral("No alarm, no evaluator loss, no stop in the range."));
        return;
    }
    const QFont font = style.small();
    const double time = style.width(font, QStringLiteral("0000-00-00 00:00:00")) + style.mm(2.5);
    ReportTable table(style,
                      {{QStringLiteral("What"), style.width(font, QStringLiteral("Sensor 6 temperature main alarm"))
                                                    + style.mm(3)},
                       {QStringLiteral("Start"), time},
                       {QStringLiteral("Confirmed"), time},
                       {QStringLiteral("End"), time},
                       {QStringLiteral("Duration"), style.width(font, QStringLiteral("00 d 00:00:00")) + style.mm(3),
                        Qt::AlignRight},
                       {QStringLiteral("Remarks"), 0}},
                      font);
    for (const JournalEntry& e : d.journal)
        table.addRow({JournalText::what(e, d.request.sensorNames), timeText(e.start), timeText(e.confirmed),
                      e.open ? QStringLiteral("\u2013") : timeText(e.end), JournalText::duration(e.duration()),
                      JournalText::remarks(e)});
    table.layOut(pages);
    pages.skip(style.mm(4));
}

void notes(ReportPages& pages, const ReportData& d, const ReportStyle& style)
{
    heading(pages, style, QStringLiteral("Maintenance notes"), style.mm(15));
    if (d.notes.empty()) {
        paragraph(pages, style, QStringLiteral("No notes in the range."));
        return;
    }
    const double mm = style.mm(1);
    const double time = style.width(style.text(), QStringLiteral("0000-00-00 00:00:00")) + 3 * mm;
    ReportTable table(style, {{QStringLiteral("No."), 10 * mm, Qt::AlignRight},
                              {QStringLiteral("Time"), time},
                              {QStringLiteral("Sensor"), 30 * mm},
                              {QStringLiteral("Note"), 0}});
    for (size_t i = 0; i < d.notes.size(); ++i) {
        const Note& n = d.notes[i];
        table.addRow({QString::number(i + 1), timeText(n.instant),
                      n.sensor == Note::AllSensors ? QStringLiteral("all sensors") : d.sensorName(n.sensor), n.text});
    }
    table.layOut(pages);
}

} // namespace ReportSections
