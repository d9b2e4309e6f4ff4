#pragma once
#include "link/ExtendedMessagesText.h"

#include <QObject>
#include <QString>

struct DecodedRecord;
struct MainControls;

// What the main window shows of the live path: the latest line, the
// extended messages text while its window records, the "Evaluator" menu,
// the greying of absent sensors and the bad-line count.
class DecoderView final : public QObject {
    Q_OBJECT
public:
    explicit DecoderView(MainControls& controls, QObject* parent = nullptr) : QObject(parent), c_(controls) {}

    // The line as received, in TextMessages and (while recording) appended
    // to the extended messages text.
    void showLine(const DecodedRecord& record);
    void showEvaluatorMenu();
    void greyOutSensor(int index);

    // The recording flag shared with the extended messages window, and the
    // text it keeps even while that window is closed.
    bool recording = false;
    ExtendedMessagesText extended;

signals:
    // The extended text changed (the open window shows it).
    void extendedMessagesChanged(const QString& text, int caret);

private:
    MainControls& c_;
};
