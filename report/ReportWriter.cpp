#include "report/ReportWriter.h"

#include "core/LogLine.h"
#include "core/Version.h"
#include "report/ForecastSection.h"
#include "report/ReportData.h"
#include "report/ReportPages.h"
#include "report/ReportSections.h"
#include "report/ReportStyle.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// The header and footer of every page.
ReportPages::Frame frameOf(const ReportData& d, const ReportStyle& style)
{
    const QString left = d.request.installation + QStringLiteral(" \u00B7 ") + ReportSections::rangeText(d);
    const QString printed = QStringLiteral("Printed %1 \u00B7 VELTRA Data Logger %2")
                                .arg(ReportSections::timeText(d.request.printedAt), QLatin1String(Version::Text));
    return [=, &style](QPainter& p, int page, int count) {
        const QRectF header = style.header(), footer = style.footer();
        p.setFont(style.text());
        p.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, left);
        p.drawText(header, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Report"));
        p.setPen(QPen(ReportStyle::rule(), style.mm(0.25)));
        p.drawLine(header.bottomLeft(), header.bottomRight());
        p.drawLine(footer.topLeft(), footer.topRight());
        p.setPen(Qt::black);
        p.setFont(style.small());
        p.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, printed);
        p.setFont(style.text());
        p.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Page %1 of %2").arg(page).arg(count));
    };
}

bool paintReport(const ReportData& d, QPdfWriter& writer, QString* error)
{
    const ReportStyle style(writer);
    ReportPages pages(style.body());
    ReportSections::title(pages, d, style);
    ReportSections::figures(pages, d, style);
    ReportSections::chart(pages, d, style);
    ForecastSection::layOut(pages, d.forecasts, d.request.sensorNames, style);
    ReportSections::journal(pages, d, style);
    ReportSections::notes(pages, d, style);
    QPainter painter;
    if (!painter.begin(&writer)) {
        *error = QStringLiteral("cannot begin the PDF");
        return false;
    }
    const bool painted = pages.paint(painter, writer, frameOf(d, style));
    painter.end();
    if (!painted)
        *error = QStringLiteral("cannot add a page to the PDF");
    return painted;
}

} // namespace

bool writeReport(const ReportRequest& request, const QString& pdfPath, QString* error)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        *error = QStringLiteral("a report needs a QGuiApplication for its fonts");
        return false;
    }
    ReportData data;
    if (!ReportGathering::gather(request, data, error))
        return false;
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1: %2").arg(pdfPath, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setTitle(QStringLiteral("Report of %1, %2").arg(request.installation, ReportSections::rangeText(data)));
        writer.setCreator(QStringLiteral("VELTRA Data Logger %1").arg(QLatin1String(Version::Text)));
        QString problem;
        if (!paintReport(data, writer, &problem)) {
            *error = QStringLiteral("cannot write %1: %2").arg(pdfPath, problem);
            return false;
        }
    }
    if (!file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(pdfPath, file.errorString());
        return false;
    }
    return true;
}

namespace ReportFiles {

QString fileName(const QString& installation, const QDate& from, const QDate& to)
{
    const QString days = from == to ? from.toString(QStringLiteral("yyyyMMdd"))
                                    : from.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('_')
            + to.toString(QStringLiteral("yyyyMMdd"));
    return QStringLiteral("report_") + LogLine::fileNamePart(installation) + QLatin1Char('_') + days
        + QStringLiteral(".pdf");
}

} // namespace ReportFiles
