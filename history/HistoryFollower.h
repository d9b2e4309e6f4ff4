#pragma once
// Keeps the summaries of the day's data logfile up to date while a
// measurement writes it: once a minute, within seconds of midnight (so the
// day just over is summarised whole at once) and once more when the
// measurement ends, the lines written since the last time are read on in
// the background (a grown file is read from where its last reading ended),
// so a history opened later finds today summarised.
#include "core/MinuteTimer.h"
#include "history/BuildResult.h"

#include <QObject>
#include <QString>
#include <memory>

class HistoryBuilder;
class IClock;

class HistoryFollower final : public QObject {
    Q_OBJECT
public:
    explicit HistoryFollower(const IClock& clock, QObject* parent = nullptr);
    ~HistoryFollower() override;

    // Follows the logfiles of an installation in a log folder, reading on
    // at once.
    void follow(const QString& logDir, const QString& installation, bool swapDate);
    // One last reading of what was written, then no more.
    void stop();
    // Reads on now unless a reading is under way.
    void updateNow();
    bool following() const { return timer_.isActive(); }

signals:
    // A reading ended; storeError says why the summaries are incomplete.
    void updated(const BuildResult& result);

private:
    const IClock& clock_;
    QString logDir_;
    QString installation_;
    bool swapDate_ = false;
    MinuteTimer timer_;
    std::unique_ptr<HistoryBuilder> builder_;
};
