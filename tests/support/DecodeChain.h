#pragma once
// The record decoder and the measurement state wired as the main window
// wires them, with recording stand-ins for the window and the writer:
// `calls` holds "showLatestLine", "showEvaluatorMenu", "showBadLineCount N"
// and "writeDataLine" in the order they happen.
#include "link/MeasurementState.h"
#include "link/RecordDecoder.h"
#include "link/StateUpdater.h"
#include "logging/LogWriter.h"

#include <QStringList>
#include <utility>
#include <vector>

struct DecodeChain {
    explicit DecodeChain(MeasurementState& state, LogWriter* realWriter = nullptr) : updater(state), writer(realWriter)
    {
        QObject::connect(&decoder, &RecordDecoder::recordDecoded, [this](const DecodedRecord& r) {
            latestLine = QString::fromLatin1(r.received);
            calls << QStringLiteral("showLatestLine");
        });
        QObject::connect(&decoder, &RecordDecoder::recordDecoded, &updater, &StateUpdater::apply);
        QObject::connect(&decoder, &RecordDecoder::recordDecoded, [this](const DecodedRecord& r) {
            lines.emplace_back(r.line, r.type);
            calls << QStringLiteral("writeDataLine");
            if (writer)
                writer->writeDataLine(r.line, r.type);
        });
        QObject::connect(&updater, &StateUpdater::parameterRecordReceived,
                         [this] { calls << QStringLiteral("showEvaluatorMenu"); });
        QObject::connect(&updater, &StateUpdater::sensorAbsent, [this](int index) { greyed.push_back(index); });
        QObject::connect(&updater, &StateUpdater::badLineCounted,
                         [this](int count) { calls << QStringLiteral("showBadLineCount %1").arg(count); });
    }
    void decode(const QByteArray& line) { decoder.decodeLine(line); }

    RecordDecoder decoder;
    StateUpdater updater;
    LogWriter* writer;
    QStringList calls;
    QString latestLine;
    std::vector<int> greyed;
    std::vector<std::pair<QByteArray, int>> lines;
};
