#pragma once
// A level on a value's scale that a trend can be heading for: an alarm level
// of the evaluator, or an end between two coloured sections of the value's
// gauge scale.
#include <QString>
#include <cstdint>

struct AlarmLevel {
    // "pre_alarm", "main_alarm", "pre_alarm_high", "main_alarm_high" (the
    // evaluator's) or "section_end" (the gauge's).
    QString name;
    double value = 0; // in the readout's unit
    // Where the alarm lies: +1 above the level, -1 below it, 0 on neither
    // side in particular (a section end: crossing it either way counts).
    int side = 0;
    // A section end: the colours of the gauge's sections below and above it
    // (red in the low byte, as the gauges take them); unused for the
    // evaluator's levels.
    uint32_t colourBelow = 0;
    uint32_t colourAbove = 0;

    bool isSectionEnd() const { return name == sectionEnd(); }

    static QString preAlarm() { return QStringLiteral("pre_alarm"); }
    static QString mainAlarm() { return QStringLiteral("main_alarm"); }
    static QString preAlarmHigh() { return QStringLiteral("pre_alarm_high"); }
    static QString mainAlarmHigh() { return QStringLiteral("main_alarm_high"); }
    static QString sectionEnd() { return QStringLiteral("section_end"); }
};
