#include "LogfileGenerator.h"

#include "EvaluatorModel.h"

#include <QFile>
#include <string>

namespace {
void appendTwoDigits(std::string& out, int value)
{
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

class LineFormatter {
public:
    explicit LineFormatter(const QDateTime& start)
        : date_(start.date())
        , seconds_(start.time().msecsSinceStartOfDay() / 1000)
    {
        buildDatePrefix();
    }

    // Returns true when the step crossed midnight.
    bool advanceSecond()
    {
        if (++seconds_ < 86400)
            return false;
        seconds_ = 0;
        date_ = date_.addDays(1);
        buildDatePrefix();
        return true;
    }

    void begin(std::string& out) const
    {
        out += datePrefix_;
        appendTwoDigits(out, seconds_ / 3600);
        out.push_back(':');
        appendTwoDigits(out, seconds_ / 60 % 60);
        out.push_back(':');
        appendTwoDigits(out, seconds_ % 60);
        out.push_back(' ');
    }

    void line(std::string& out, const std::string& text) const
    {
        begin(out);
        out += text;
        out += "\r\n";
    }

private:
    void buildDatePrefix()
    {
        datePrefix_ = "#" + date_.toString(QStringLiteral("MM-dd-yyyy ")).toStdString();
    }

    QDate date_;
    int seconds_;
    std::string datePrefix_;
};
} // namespace

bool writeLogfile(const QString& path, qint64 bytes, int sensorCount, const QDateTime& start,
                  const QString& installation, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    const std::string place = installation.toStdString();
    const std::string started = "Measure Started at " + place + " !";
    const std::string connected = "Evaluator connected at " + place + " !";
    const std::string lost = "Evaluator not connected at " + place + " !";

    EvaluatorModel model(sensorCount, Scenario::Normal);
    LineFormatter format(start);
    std::string out;
    constexpr size_t FlushSize = 1 << 22;
    out.reserve(FlushSize + 4096);
    qint64 written = 0;

    auto header = [&] {
        format.line(out, started);
        for (int s = 1; s <= 6; ++s)
            format.line(out, "lbl_S" + std::to_string(s) + " Sensor" + std::to_string(s));
    };
    header();
    for (int t = 0; written + static_cast<qint64>(out.size()) < bytes; ++t) {
        if (t > 0 && format.advanceSecond())
            header();
        model.step();
        if (t % 60 == 0)
            format.line(out, parameterRecord(model.sensorCount()));
        for (int sensor = 1; sensor <= model.sensorCount(); ++sensor) {
            format.begin(out);
            appendSensorRecord(out, sensor, model.reading(sensor, t));
            out += "\r\n";
        }
        if (t % 3600 == 0)
            format.line(out, connected);
        else if (t % 3600 == 3599)
            format.line(out, lost);
        if (out.size() >= FlushSize) {
            if (file.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size())) {
                *error = file.errorString();
                return false;
            }
            written += static_cast<qint64>(out.size());
            out.clear();
        }
    }
    if (file.write(out.data(), static_cast<qint64>(out.size())) != static_cast<qint64>(out.size())) {
        *error = file.errorString();
        return false;
    }
    return true;
}
