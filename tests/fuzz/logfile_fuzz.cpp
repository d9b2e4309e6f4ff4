// Any bytes as a logfile: the reader never crashes, reads every byte, and
// plots only sensors 1..6 at strictly rising x.
#include "playback/LogfileReader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

class CheckingSink final : public ILogfileSink {
public:
    void infoLine(QByteArrayView line) override
    {
        if (size_t(line.size()) > LogfileReader::MaxLineLength)
            std::abort();
    }
    void parameterRecord(const Record::Parameter& record) override
    {
        if (record.info.sensorCount < 0)
            std::abort();
    }
    void plotRow(const PlotRow& row) override
    {
        if (row.sensor < 1 || row.sensor > 6 || !(row.x > lastX) || !std::isfinite(row.x))
            std::abort();
        for (double v : row.value)
            if (!std::isfinite(v))
                std::abort();
        lastX = row.x;
    }
    bool stopRequested() override { return false; }
    void yieldNow(int64_t) override {}
    double lastX = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte picks the settings; the rest is the file.
    const uint8_t flags = size > 0 ? data[0] : 0;
    const QByteArray bytes = size > 0 ? QByteArray(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1))
                                      : QByteArray();
    LogfileReader::Settings settings;
    settings.swapDate = flags & 1;
    settings.bigFileBytes = (flags & 2) ? 0 : LogfileReader::BigFileBytes;
    settings.sensorShown[1 + (flags >> 2) % 6] = !(flags & 0x80);
    settings.blockBytes = 16 + (flags >> 4);
    settings.mapFile = flags & 8;

    static const QString path = QStringLiteral("/tmp/logfile_fuzz_%1.vlg").arg(getpid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(bytes);
    file.close();

    CheckingSink sink;
    LogfileReader reader(settings);
    const LogfileReader::Result result = reader.readFile(path, sink);
    if (!result.opened || result.bytesRead != bytes.size())
        std::abort();
    return 0;
}
