#pragma once
// Recording stand-ins for the decoder's window and logfile writer; both log
// their calls into one list so tests can check the order.
#include "link/IDecoderView.h"
#include "logging/EventSinks.h"

#include <QStringList>
#include <utility>
#include <vector>

class RecordingDecoderView final : public IDecoderView {
public:
    void showLatestLine(const QString& line) override { latestLine = line; calls << "showLatestLine"; }
    bool extendedMessagesRecording() const override { return recording; }
    QString extendedMessagesText() const override { return extendedText; }
    void setExtendedMessages(const QString& text, int caret) override
    {
        extendedText = text;
        extendedCaret = caret;
        calls << "setExtendedMessages";
    }
    void showEvaluatorMenu() override { calls << "showEvaluatorMenu"; }
    void greyOutSensor(int index) override { greyed.push_back(index); }
    void showBadLineCount(int count) override { calls << QStringLiteral("showBadLineCount %1").arg(count); }

    QString latestLine;
    bool recording = false;
    QString extendedText;
    int extendedCaret = -1;
    std::vector<int> greyed;
    QStringList calls;
};

class RecordingDataLineSink final : public IDataLineSink {
public:
    explicit RecordingDataLineSink(QStringList& calls) : calls_(calls) {}
    void writeDataLine(const QByteArray& line, int recordType) override
    {
        lines.emplace_back(line, recordType);
        calls_ << "writeDataLine";
    }
    std::vector<std::pair<QByteArray, int>> lines;

private:
    QStringList& calls_;
};
