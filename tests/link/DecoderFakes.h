#pragma once
// Recording stand-ins for the decoder's window and logfile writer.
#include "link/IDecoderView.h"
#include "logging/EventSinks.h"

#include <QStringList>
#include <utility>
#include <vector>

class RecordingDecoderView final : public IDecoderView {
public:
    void showLatestLine(const QString& line) override
    {
        latestLine = line;
        calls << QStringLiteral("showLatestLine");
    }
    bool extendedMessagesRecording() const override { return recording; }
    QString extendedMessagesText() const override { return extendedText; }
    void setExtendedMessages(const QString& text, int caret) override
    {
        extendedText = text;
        extendedCaret = caret;
        calls << QStringLiteral("setExtendedMessages");
    }
    void showEvaluatorMenu() override
    {
        evaluatorMenuShown = true;
        calls << QStringLiteral("showEvaluatorMenu");
    }
    void greyOutSensor(int index) override
    {
        greyed.push_back(index);
        calls << QStringLiteral("greyOutSensor %1").arg(index);
    }
    void showBadLineCount(int count) override
    {
        shownBadLineCount = count;
        calls << QStringLiteral("showBadLineCount %1").arg(count);
    }

    QString latestLine;
    bool recording = false;
    QString extendedText;
    int extendedCaret = -1;
    bool evaluatorMenuShown = false;
    std::vector<int> greyed;
    int shownBadLineCount = -1;
    QStringList calls;
};

class RecordingDataLineSink final : public IDataLineSink {
public:
    void writeDataLine(const QByteArray& line, int recordType) override
    {
        lines.emplace_back(line, recordType);
        if (calls)
            *calls << QStringLiteral("writeDataLine");
    }
    QStringList* calls = nullptr; // shared with the view to check the order
    std::vector<std::pair<QByteArray, int>> lines;
};
