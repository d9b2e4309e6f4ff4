#pragma once
// Logfile lines in the writer's form and a sink that records what the
// reader finds.
#include "playback/LogfileReader.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <vector>

// "#" + date + " " + time + " " + text, as the logfile writer puts it.
inline QByteArray logLine(const char* date, const char* time, const QByteArray& text)
{
    return QByteArray("#") + date + ' ' + time + ' ' + text + "\r\n";
}

// A full sensor record of sensor 1..6 with the given raw fields.
inline QByteArray sensorRecord(int sensor, const char* fields = "1E0226001900C800EB")
{
    return QByteArray(":0") + QByteArray::number(sensor - 1) + fields + "0021000000000000";
}

inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

class RecordingSink : public ILogfileSink {
public:
    void infoLine(QByteArrayView line) override { infos.push_back(line.toByteArray()); }
    void parameterRecord(const Record::Parameter& record) override { parameters.push_back(record); }
    void plotRow(const PlotRow& row) override { rows.push_back(row); }
    bool stopRequested() override
    {
        ++stopQuestions;
        return stopAfterQuestions >= 0 && stopQuestions > stopAfterQuestions;
    }
    void yieldNow(int64_t bytesRead) override
    {
        yields.push_back(bytesRead);
        if (onYield)
            onYield();
    }

    std::vector<QByteArray> infos;
    std::vector<Record::Parameter> parameters;
    std::vector<PlotRow> rows;
    std::vector<int64_t> yields;
    int stopQuestions = 0;
    int stopAfterQuestions = -1; // -1: never stop
    std::function<void()> onYield;
};
