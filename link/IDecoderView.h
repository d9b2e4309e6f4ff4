#pragma once
#include <QString>

// The main window as the record decoder sees it.
class IDecoderView {
public:
    virtual ~IDecoderView() = default;

    // TextMessages: always the latest line, CR LF included.
    virtual void showLatestLine(const QString& line) = 0;

    // The extended messages box. Its text is read back exactly as it was last
    // set, so the box must keep the text itself rather than what a widget
    // makes of CR LF. The caret is a character index into that text.
    virtual bool extendedMessagesRecording() const = 0;
    virtual QString extendedMessagesText() const = 0;
    virtual void setExtendedMessages(const QString& text, int caret) = 0;

    // Makes the "Evaluator" menu visible; harmless when it already is.
    virtual void showEvaluatorMenu() = 0;

    // Gives the controls of sensor index (0..5) their disabled look.
    virtual void greyOutSensor(int index) = 0;

    // Shows the count of lines of unknown record type.
    virtual void showBadLineCount(int count) = 0;
};
