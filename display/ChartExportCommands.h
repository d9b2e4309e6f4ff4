#pragma once
#include "display/ChartCsvExportJob.h"

#include <QObject>
#include <QString>
#include <memory>

class IClock;
class IFileDialog;
class IMessageBox;
class IProgressWindow;
class StripChartWidget;

// File > Export: the chart as shown into a PNG or a PDF, and the rows in its
// visible time range, of its shown channels, into a CSV table. Each asks for
// a file name (a dated default in the user's home; the extension added when
// it is missing). A file that cannot be written is reported with its path
// and the system's reason; a stopped CSV export leaves no file.
class ChartExportCommands : public QObject {
    Q_OBJECT
public:
    struct Parts {
        StripChartWidget& chart;
        IFileDialog& files;
        IMessageBox& messages;
        IProgressWindow& progress;
        const IClock& clock;
    };

    explicit ChartExportCommands(Parts parts, QObject* parent = nullptr);
    ~ChartExportCommands() override;

    void exportPng();
    void exportPdf();
    void exportCsv();
    // CSV tables begin with UTF-8's byte-order mark, for spreadsheets.
    void setForSpreadsheets(bool on) { forSpreadsheets_ = on; }
    bool forSpreadsheets() const { return forSpreadsheets_; }
    bool csvRunning() const { return job_ && job_->running(); }

signals:
    // A line for the status bar: what was written, or that an export stopped.
    void statusMessage(const QString& text);
    // A CSV export has ended (written, stopped or failed).
    void csvFinished(ExportOutcome outcome);

private:
    QString askPath(const QString& filter, const QString& suffix);
    void reportFailure(const QString& what, const QString& path, const QString& reason);
    void endCsv(ExportOutcome outcome, const QString& reason);

    Parts p_;
    std::unique_ptr<ChartCsvExportJob> job_;
    QString csvPath_;
    bool forSpreadsheets_ = true;
};
