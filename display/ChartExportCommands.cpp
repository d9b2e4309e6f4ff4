#include "display/ChartExportCommands.h"

#include "chart/ChartPictureExport.h"
#include "chart/StripChartWidget.h"
#include "core/IClock.h"
#include "core/WholeFileWrite.h"
#include "platform/IFileDialog.h"
#include "platform/IMessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

ChartExportCommands::ChartExportCommands(Parts parts, QObject* parent) : QObject(parent), p_(parts) {}

ChartExportCommands::~ChartExportCommands() = default;

QString ChartExportCommands::askPath(const QString& filter, const QString& suffix)
{
    const QString name = p_.clock.now().toString(QStringLiteral("'chart-'yyyyMMdd-HHmmss'.'")) + suffix;
    QString path = p_.files.getNewFileName(QDir::home().filePath(name), filter, suffix);
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        path += QLatin1Char('.') + suffix;
    return path;
}

void ChartExportCommands::reportFailure(const QString& what, const QString& path, const QString& reason)
{
    p_.messages.show(QStringLiteral("Export"),
                     QStringLiteral("%1 could not be written to\n%2\n\n%3").arg(what, QDir::toNativeSeparators(path),
                                                                            reason),
                     MessageIcon::Error);
}

void ChartExportCommands::exportPng()
{
    const QString path = askPath(QStringLiteral("PNG picture (*.png)|*.png"), QStringLiteral("png"));
    if (path.isEmpty())
        return;
    const QString error = writePngFile(p_.chart.viewImage(), path);
    if (!error.isEmpty())
        reportFailure(QStringLiteral("The chart"), path, error);
    else
        emit statusMessage(QStringLiteral("Chart written to %1").arg(QDir::toNativeSeparators(path)));
}

void ChartExportCommands::exportPdf()
{
    const QString path = askPath(QStringLiteral("PDF document (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    const QSizeF size = p_.chart.size();
    ChartPdfFile pdf(path, size);
    if (pdf.isOpen())
        p_.chart.paintView(pdf.painter(), QRectF(QPointF(0, 0), size));
    if (!pdf.isOpen() || !pdf.commit())
        reportFailure(QStringLiteral("The chart"), path, pdf.errorString());
    else
        emit statusMessage(QStringLiteral("Chart written to %1").arg(QDir::toNativeSeparators(path)));
}

void ChartExportCommands::exportCsv()
{
    if (csvRunning())
        return;
    const QString path = askPath(QStringLiteral("CSV table (*.csv)|*.csv"), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const auto [from, to] = p_.chart.visibleXRange();
    if (const std::optional<QByteArray> table = p_.chart.source().table(from, to)) {
        const QString error =
            writeFileWhole(path, forSpreadsheets_ ? QByteArray(ChartCsvExport::ByteOrderMark) + *table : *table);
        if (!error.isEmpty())
            reportFailure(QStringLiteral("The data"), path, error);
        else
            emit statusMessage(QStringLiteral("Data written to %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    auto csv = std::make_unique<ChartCsvExport>(p_.chart.store(), p_.chart.settings().channels, from, to);
    csv->setByteOrderMark(forSpreadsheets_);
    job_ = std::make_unique<ChartCsvExportJob>(std::move(csv), p_.progress);
    csvPath_ = path;
    connect(job_.get(), &ChartCsvExportJob::finished, this, &ChartExportCommands::endCsv);
    if (!job_->start(path))
        endCsv(ExportOutcome::Failed, job_->errorString());
}

void ChartExportCommands::endCsv(ExportOutcome outcome, const QString& reason)
{
    const QString path = QDir::toNativeSeparators(csvPath_);
    switch (outcome) {
    case ExportOutcome::Written: {
        QString text = QStringLiteral("%1 rows written to %2").arg(job_->csv().rowsWritten()).arg(path);
        if (job_->csv().rowsLost() > 0)
            text += QStringLiteral("; %1 older rows had left the chart before their turn")
                        .arg(job_->csv().rowsLost());
        emit statusMessage(text);
        break;
    }
    case ExportOutcome::Stopped:
        emit statusMessage(QStringLiteral("Export stopped; %1 was not written").arg(path));
        break;
    case ExportOutcome::Failed: reportFailure(QStringLiteral("The data"), csvPath_, reason); break;
    }
    emit csvFinished(outcome);
}
