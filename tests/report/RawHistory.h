#pragma once
// The figures of a report worked out straight from the logfiles' lines, the
// plain way (QDateTime for local times, hex read by hand), to hold the
// report's figures against.
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <vector>

class RawHistory {
public:
    explicit RawHistory(const QTimeZone& zone) : zone_(zone) {}
    // Files in day order.
    void addFile(const QString& path);

    struct Figures {
        int min = 0;
        int max = 0;
        qint64 sum = 0;
        qint64 count = 0;
    };
    // Of the records in [from, to), in the records' numbers.
    Figures figures(int sensor, int value, qint64 from, qint64 to) const;
    // UTC minutes of [from, to) with a record of the sensor.
    qint64 coveredMinutes(int sensor, qint64 from, qint64 to) const;

    // "Sensor 2 oil quality main alarm", "Alarm relay 1", "Evaluator lost",
    // "Measurement stopped" from their lines, clipped to [from, to): start
    // and end (-1: still on at `to`), and for alarms the confirmation
    // (-1: none).
    struct Entry {
        QString what;
        qint64 start = 0;
        qint64 end = -1;
        qint64 confirmed = -1;
    };
    std::vector<Entry> entries(qint64 from, qint64 to) const;

private:
    struct Record {
        qint64 instant;
        int sensor;
        int values[5];
    };
    struct Info {
        qint64 instant;
        QString text;
        bool fileStart; // the first line of its file
    };
    std::vector<Entry> episodes() const;

    QTimeZone zone_;
    std::vector<Record> records_;
    std::vector<Info> infos_;
};
