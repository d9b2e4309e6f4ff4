#pragma once
#include "link/ExtendedMessagesText.h"
#include "link/IDecoderView.h"

#include <functional>

struct MainControls;

// The main window as the record decoder sees it: the latest line box, the
// extended messages text and its recording flag, the "Evaluator" menu, the
// greying of absent sensors and the bad-line count.
class DecoderView final : public IDecoderView {
public:
    explicit DecoderView(MainControls& controls) : c_(controls) {}

    void showLatestLine(const QString& line) override;
    bool extendedMessagesRecording() const override { return recording; }
    QString extendedMessagesText() const override { return extended.text; }
    void setExtendedMessages(const QString& text, int caret) override;
    void showEvaluatorMenu() override;
    void greyOutSensor(int index) override;
    void showBadLineCount(int count) override;

    // The recording flag shared with the extended messages window.
    bool recording = false;
    ExtendedMessagesText extended;
    // Told when the extended text changes (the open window shows it).
    std::function<void(const QString& text, int caret)> onExtendedMessages;
    // Told of every new bad-line count (the software info window).
    std::function<void(int count)> onBadLineCount;

private:
    MainControls& c_;
};
