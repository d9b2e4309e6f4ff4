#pragma once
// Recognises the logger's own information texts in a data logfile line:
// exactly as the event table writes them (per-sensor ones for sensors 1..6,
// the installation's name taken as it stands), the exit line, and the lines
// a logger writes when it is back after an unexpected end. Anything else
// (sensor names, texts of other programs, damaged lines) is no event.
#include "history/InfoEvent.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <vector>

class InfoLineTexts {
public:
    InfoLineTexts();

    // `text` is the line after its time stamp, without CR LF. Fills kind,
    // code and sensor; for LoggerEnded, `namedTime` gets the time the text
    // names ("MM-DD-YYYY HH:MM:SS" as written). False for any other text.
    bool recognise(QByteArrayView text, InfoEvent& event, QByteArrayView& namedTime) const;

private:
    struct Meaning {
        InfoEvent::Kind kind = InfoEvent::Kind::Event;
        int16_t code = 0;
        int8_t sensor = 0;
    };
    // A text with a free part in its middle (an installation, a time).
    struct Template {
        QByteArray prefix;
        QByteArray suffix;
        Meaning meaning;
    };
    void addEvent(int code);
    void add(const QString& text, Meaning meaning);

    QHash<QByteArray, Meaning> exact_;
    std::vector<Template> templates_;
};
