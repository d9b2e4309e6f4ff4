#pragma once
// Works out where an installation's values are heading, in the background,
// one run at a time, once the logfiles it looks at are summarised: the next level each sensor's values reach
// (Forecast::next), from the summary store beside the logfiles, the notes
// and the evaluator's parameter record. The results come on the owner's
// thread with updated().
#include "core/Record.h"
#include "history/LevelForecast.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

class IClock;

class ForecastWatcher final : public QObject {
    Q_OBJECT
public:
    explicit ForecastWatcher(const IClock& clock, QObject* parent = nullptr);
    // Waits for a run under way.
    ~ForecastWatcher() override;

    // Starts a run as of now, unless one is under way; windowDays as
    // ForecastRequest takes it.
    void update(const QString& logDir, const QString& installation, bool swapDate,
                const std::optional<ParameterInfo>& parameters, int windowDays);
    // The last run's forecasts; empty before the first.
    const std::vector<LevelForecast>& latest() const { return latest_; }
    // The one of a sensor (1..6) and value (0..4); null when there is none.
    const LevelForecast* of(int sensor, int value) const;

signals:
    void updated();

private:
    static void summarise(const QString& logDir, bool swapDate, const struct ForecastRequest& request);
    void take(std::vector<LevelForecast> forecasts);

    const IClock& clock_;
    std::thread worker_;
    std::atomic<bool> running_{false};
    std::vector<LevelForecast> latest_;
};
