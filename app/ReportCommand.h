#pragma once
// File › "Report…": asks for the days and the PDF file, then writes the
// report in the background; statusMessage() says when it is there, a
// message box with the path and the reason when it could not be written.
#include "report/ReportRequest.h"

#include <QObject>
#include <atomic>
#include <thread>

class HistoryController;
class IClock;
class IDialogRunner;
class IFileDialog;
class IMessageBox;
class QWidget;
struct ConfigValues;
struct PlaybackState;

class ReportCommand final : public QObject {
    Q_OBJECT
public:
    struct Parts {
        const ConfigValues& config;
        const PlaybackState& playback;
        IDialogRunner& dialogs;
        IFileDialog& files;
        IMessageBox& messages;
        const IClock& clock;
        const HistoryController* history; // its range is offered while shown; may be null
        QWidget* window;
    };

    explicit ReportCommand(Parts parts, QObject* parent = nullptr);
    ~ReportCommand() override; // waits for a report being written

    void MenuFileReport_Click();
    // Writes the report of `request` into `path` in the background.
    void write(const ReportRequest& request, const QString& path);
    bool writing() const { return writing_; }

signals:
    void statusMessage(const QString& text);
    void finished(const QString& path, const QString& error);

private:
    ReportRequest requestFor(const QDate& from, const QDate& to) const;
    void ended(const QString& path, const QString& error);

    Parts p_;
    std::thread worker_;
    std::atomic<bool> writing_{false};
};
