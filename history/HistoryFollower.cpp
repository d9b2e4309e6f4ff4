#include "history/HistoryFollower.h"

#include "core/FreedMemory.h"
#include "core/IClock.h"
#include "history/HistoryBuilder.h"
#include "history/LogfileCatalog.h"
#include "history/SummaryStore.h"

HistoryFollower::HistoryFollower(const IClock& clock, QObject* parent)
    : QObject(parent), clock_(clock), timer_(clock)
{
    connect(&timer_, &MinuteTimer::timeout, this, &HistoryFollower::updateNow);
    connect(this, &HistoryFollower::updated, this, [] { FreedMemory::giveBack(); });
}

HistoryFollower::~HistoryFollower() = default;

void HistoryFollower::follow(const QString& logDir, const QString& installation, bool swapDate)
{
    logDir_ = logDir;
    installation_ = installation;
    swapDate_ = swapDate;
    timer_.start();
    updateNow();
}

void HistoryFollower::stop()
{
    if (!timer_.isActive())
        return;
    timer_.stop();
    updateNow();
}

void HistoryFollower::updateNow()
{
    if (builder_ && builder_->isRunning())
        return;
    // Yesterday's file too: its last lines may have come just before midnight.
    const QDate today = clock_.now().date();
    const QList<LogfileInfo> files = LogfileCatalog(logDir_).files(installation_, today.addDays(-1), today);
    if (files.isEmpty())
        return;
    // One reading thread: a minute of lines is small, and the window's
    // thread shares the machine.
    builder_ = std::make_unique<HistoryBuilder>(
        HistoryBuilder::Settings{SummaryStore::defaultPath(logDir_), logDir_, installation_, swapDate_, 1});
    connect(builder_.get(), &HistoryBuilder::finished, this, &HistoryFollower::updated, Qt::QueuedConnection);
    builder_->start(files);
}
