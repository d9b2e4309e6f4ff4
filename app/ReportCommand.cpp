#include "app/ReportCommand.h"

#include "app/FrmReport.h"
#include "config/ConfigValues.h"
#include "core/IClock.h"
#include "platform/IDialogRunner.h"
#include "platform/IFileDialog.h"
#include "platform/IMessageBox.h"
#include "playback/HistoryController.h"
#include "playback/PlaybackState.h"
#include "report/DueReports.h"
#include "report/ReportWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>

ReportCommand::ReportCommand(Parts parts, QObject* parent) : QObject(parent), p_(parts) {}

ReportCommand::~ReportCommand()
{
    if (worker_.joinable())
        worker_.join();
}

ReportRequest ReportCommand::requestFor(const QDate& from, const QDate& to) const
{
    ReportRequest request;
    const bool history = p_.history && p_.history->active();
    request.logDir = history ? p_.history->shown().folder : p_.config.LOGDIR;
    request.installation = history ? p_.history->shown().installation : p_.config.INSTALLATION;
    request.from = from;
    request.to = to;
    request.swapDate = p_.playback.swapDate;
    request.printedAt = p_.clock.now().toSecsSinceEpoch();
    for (int s = 1; s <= 6; ++s)
        request.sensorNames << p_.config.sensorLabel(s).trimmed();
    return request;
}

void ReportCommand::MenuFileReport_Click()
{
    if (writing_) {
        emit statusMessage(QStringLiteral("A report is being written; the next one can follow it."));
        return;
    }
    std::optional<ReportRange::Days> history;
    if (p_.history && p_.history->active())
        history = ReportRange::Days{p_.history->shown().days.from, p_.history->shown().days.to};
    FrmReport dialog(p_.clock.now().date().addDays(-1), history, p_.window);
    if (p_.dialogs.exec(dialog) != QDialog::Accepted)
        return;
    const ReportRange::Days days = dialog.days();
    const ReportRequest request = requestFor(days.from, days.to);
    const QString suggested = QDir(DueReports::folderOf(request.logDir))
                                  .filePath(ReportFiles::fileName(request.installation, days.from, days.to));
    QString path = p_.files.getNewFileName(suggested, QStringLiteral("PDF document (*.pdf)|*.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    write(request, path);
}

void ReportCommand::write(const ReportRequest& request, const QString& path)
{
    if (writing_.exchange(true))
        return;
    if (worker_.joinable())
        worker_.join();
    QDir().mkpath(QFileInfo(path).absolutePath());
    emit statusMessage(QStringLiteral("Writing the report %1 ...").arg(QDir::toNativeSeparators(path)));
    worker_ = std::thread([this, request, path] {
        QString error;
        writeReport(request, path, &error);
        QMetaObject::invokeMethod(this, [this, path, error] { ended(path, error); }, Qt::QueuedConnection);
    });
}

void ReportCommand::ended(const QString& path, const QString& error)
{
    writing_ = false;
    if (error.isEmpty())
        emit statusMessage(QStringLiteral("Report written to %1").arg(QDir::toNativeSeparators(path)));
    else
        p_.messages.show(QStringLiteral("Report"),
                         QStringLiteral("The report could not be written to\n%1\n\n%2")
                             .arg(QDir::toNativeSeparators(path), error),
                         MessageIcon::Error);
    emit finished(path, error);
}
