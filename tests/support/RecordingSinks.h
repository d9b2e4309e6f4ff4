#pragma once
// Records event and info calls in one list, in the order they were made:
// "event 5/0", "info <text>", "evt <text>". Given a journal, writes there
// instead, so a test can interleave other parts' calls in one order.
#include "logging/EventSinks.h"

#include <QStringList>
#include <functional>
#include <vector>

class RecordingSinks final : public IEventSink, public IInfoLog {
public:
    RecordingSinks() : journal_(&calls) {}
    explicit RecordingSinks(QStringList& journal) : journal_(&journal) {}

    void SetEventtext(EventCode code, int sensor) override
    {
        codes.push_back(Events::number(code));
        *journal_ << QStringLiteral("event %1/%2").arg(Events::number(code)).arg(sensor);
        if (onEvent)
            onEvent(code);
    }
    void SetInfotext(const QString& text) override { *journal_ << QStringLiteral("info ") + text; }
    void SetEvtInfotext(const QString& text) override { *journal_ << QStringLiteral("evt ") + text; }

    // The three calls one recorded event makes.
    static QStringList event(int code, int sensor, const QString& text)
    {
        return {QStringLiteral("event %1/%2").arg(code).arg(sensor), QStringLiteral("info ") + text,
                QStringLiteral("evt ") + text};
    }
    QStringList take()
    {
        QStringList out;
        out.swap(*journal_);
        return out;
    }

    QStringList calls;
    std::vector<int> codes; // every event's number, in order
    std::function<void(EventCode)> onEvent;

private:
    QStringList* journal_;
};
