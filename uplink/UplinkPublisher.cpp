#include "uplink/UplinkPublisher.h"

#include "core/LogLine.h"
#include "core/IClock.h"
#include "uplink/Payloads.h"
#include "uplink/QueueStateFile.h"

#include <QSysInfo>
#include <algorithm>

namespace {
// The directory is listed for a new day's file every this many polls.
constexpr int PollsPerListing = 10;
} // namespace

UplinkPublisher::UplinkPublisher(IMqttClient& client, const IClock& clock, QString homeDirectory, QObject* parent)
    : QObject(parent), client_(client), clock_(clock), home_(std::move(homeDirectory))
{
    pollTimer_.setInterval(PollMilliseconds);
    retryTimer_.setSingleShot(true);
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(SaveMilliseconds);
    connect(&pollTimer_, &QTimer::timeout, this, &UplinkPublisher::poll);
    connect(&retryTimer_, &QTimer::timeout, this, &UplinkPublisher::connectNow);
    connect(&saveTimer_, &QTimer::timeout, this, &UplinkPublisher::saveState);
    connect(&client_, &IMqttClient::connected, this, &UplinkPublisher::onConnected);
    connect(&client_, &IMqttClient::closed, this, &UplinkPublisher::onClosed);
    connect(&client_, &IMqttClient::acknowledged, this, &UplinkPublisher::onAcknowledged);
}

UplinkPublisher::~UplinkPublisher()
{
    stop();
}

void UplinkPublisher::setRetryDelays(int firstMilliseconds, int longestMilliseconds)
{
    firstRetry_ = nextRetry_ = firstMilliseconds;
    longestRetry_ = longestMilliseconds;
}

void UplinkPublisher::configure(const UplinkSettings& settings, const QString& logDir, const QString& installation)
{
    const QString as = QStringList{settings.host, QString::number(settings.portInUse()), settings.user,
                                   settings.password, QString::number(settings.tls), settings.caFile, logDir,
                                   installation}
                           .join(QChar(0));
    if (as == configuredAs_ && (queue_ || !settings.enabled()))
        return;
    configuredAs_ = as;
    stop();
    if (settings.enabled())
        start(settings, logDir, installation);
}

void UplinkPublisher::start(const UplinkSettings& settings, const QString& logDir, const QString& installation)
{
    payloads_ = std::make_unique<Payloads>(installation);
    queue_ = std::make_unique<LogfileQueue>(logDir, installation);
    stateFile_ = std::make_unique<QueueStateFile>(QueueStateFile::pathFor(home_, installation));
    const std::optional<QueuePosition> saved = stateFile_->load();
    acked_ = saved_ = saved ? *saved : QueuePosition{queue_->fileOfDay(LogLine::fileDate(clock_.now())), 0};
    queue_->startAt(acked_);

    connection_ = settings.connection(QStringLiteral("veltra-") + Topics::installationLevel(installation)
                                      + QLatin1Char('-') + QSysInfo::machineHostName());
    connection_.answerSeconds = answerSeconds_;
    const MqttMessage offline = statusMessage("offline");
    connection_.willTopic = offline.topic;
    connection_.willPayload = offline.payload;

    nextRetry_ = firstRetry_;
    pollTimer_.start();
    connectNow();
}

void UplinkPublisher::stop()
{
    pollTimer_.stop();
    retryTimer_.stop();
    saveTimer_.stop();
    if (queue_) {
        saveState();
        client_.close(connected_ ? statusMessage("offline") : MqttMessage{});
    }
    connected_ = false;
    sent_.clear();
    queue_.reset();
    payloads_.reset();
    stateFile_.reset();
    reason_.clear();
    note_.clear();
    updateState();
}

MqttMessage UplinkPublisher::statusMessage(const char* text) const
{
    MqttMessage m;
    m.topic = payloads_ ? payloads_->topics().status : QByteArray();
    m.payload = text;
    m.retain = true;
    return m;
}

void UplinkPublisher::connectNow()
{
    if (!queue_)
        return;
    client_.open(connection_);
    updateState();
}

void UplinkPublisher::onConnected()
{
    if (!queue_)
        return;
    connected_ = true;
    nextRetry_ = firstRetry_;
    reason_.clear();
    client_.publish({statusMessage("online")});
    send();
    updateState();
}

void UplinkPublisher::onClosed(const QString& reason)
{
    if (!queue_)
        return;
    connected_ = false;
    reason_ = reason;
    // What was on its way is sent again from the last acknowledged line.
    sent_.clear();
    queue_->rewindTo(acked_);
    retryTimer_.start(nextRetry_);
    nextRetry_ = std::min(nextRetry_ * 2, longestRetry_);
    updateState();
}

void UplinkPublisher::onAcknowledged(const QList<quint64>& tags)
{
    if (sent_.empty())
        return;
    for (const quint64 tag : tags) {
        const quint64 first = sent_.front().tag;
        if (tag >= first && tag - first < sent_.size())
            sent_[size_t(tag - first)].acknowledged = true;
    }
    const QueuePosition before = acked_;
    while (!sent_.empty() && sent_.front().acknowledged) {
        acked_ = sent_.front().end;
        sent_.pop_front();
    }
    if (!(acked_ == before) && !saveTimer_.isActive())
        saveTimer_.start();
    send();
}

void UplinkPublisher::poll()
{
    if (!queue_)
        return;
    queue_->refresh(++polls_ % PollsPerListing == 0);
    send();
    updateState();
}

void UplinkPublisher::send()
{
    const int room = Window - int(sent_.size());
    // Refilled in batches, so a busy broker is not sent one line at a time.
    if (!connected_ || room <= 0 || (room < Window / 4 && !sent_.empty()))
        return;
    const QList<QueuedLine> lines = queue_->take(room);
    if (lines.isEmpty())
        return;
    QList<MqttMessage> messages;
    messages.reserve(lines.size());
    for (const QueuedLine& line : lines) {
        MqttMessage m = payloads_->messageFor(line);
        m.tag = nextTag_++;
        sent_.push_back(Sent{m.tag, QueuePosition{line.file, line.end}, false});
        messages.append(std::move(m));
    }
    client_.publish(messages);
}

void UplinkPublisher::saveState()
{
    if (!stateFile_ || acked_ == saved_)
        return;
    const QString error = stateFile_->save(acked_);
    if (error.isEmpty())
        saved_ = acked_;
    note_ = error.isEmpty() ? QString() : QStringLiteral("position not saved: ") + error;
    updateState();
}

void UplinkPublisher::updateState()
{
    UplinkState next;
    if (queue_) {
        next.mode = connected_           ? UplinkState::Mode::Connected
                    : !reason_.isEmpty() ? UplinkState::Mode::Down
                                         : UplinkState::Mode::Connecting;
        next.reason = connected_ ? QString() : reason_;
        next.note = note_;
        next.waiting = qint64(sent_.size()) + queue_->unreadLines();
        next.sending = queue_->unreadLines() > 0;
    }
    if (next == state_)
        return;
    state_ = next;
    emit stateChanged(state_);
}
