#include "uplink/EventLookup.h"

#include "core/LogLine.h"

EventLookup::EventLookup(const QString& installation)
{
    for (int number = Events::FirstCode; number <= Events::LastCode; ++number) {
        const auto code = EventCode(number);
        // Only per-sensor texts change with the sensor.
        const bool perSensor = Events::logfileText(code, 1, installation) != Events::logfileText(code, 2, installation);
        for (int sensor = perSensor ? 1 : 0; sensor <= (perSensor ? 6 : 0); ++sensor) {
            const QString text = Events::logfileText(code, sensor, installation);
            if (!text.isEmpty())
                byText_.insert(LogLine::fileText(text), Event{code, sensor});
        }
    }
    // The line a program that ends while it measures leaves behind.
    byText_.insert(QStringLiteral("Measure Stopped"), Event{EventCode::MeasureStopped, 0});
}

std::optional<EventLookup::Event> EventLookup::find(const QString& text) const
{
    const auto found = byText_.constFind(text);
    if (found == byText_.constEnd())
        return std::nullopt;
    return found.value();
}
