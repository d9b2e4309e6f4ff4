#pragma once
// Records event and info calls in one list, in the order they were made.
#include "logging/EventSinks.h"

#include <QStringList>

class RecordingSinks final : public IEventSink, public IInfoLog {
public:
    void SetEventtext(int code, int sensor) override
    {
        calls << QStringLiteral("event %1/%2").arg(code).arg(sensor);
    }
    void SetInfotext(const QString& text) override { calls << QStringLiteral("info ") + text; }
    void SetEvtInfotext(const QString& text) override { calls << QStringLiteral("evt ") + text; }

    // The three calls one recorded event makes.
    static QStringList event(int code, int sensor, const QString& text)
    {
        return {QStringLiteral("event %1/%2").arg(code).arg(sensor), QStringLiteral("info ") + text,
                QStringLiteral("evt ") + text};
    }
    QStringList take()
    {
        QStringList out;
        out.swap(calls);
        return out;
    }
    QStringList calls;
};
