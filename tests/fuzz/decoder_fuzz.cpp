// Feeds arbitrary bytes to the record decoder: once as a single line, then
// split at every LF as a run of lines (so parameter and sensor records meet
// in one state), and through the hex helpers on their own.
#include "link/IDecoderView.h"
#include "link/MeasurementState.h"
#include "link/RecordDecoder.h"
#include "link/SubFunctions.h"
#include "logging/EventSinks.h"

#include <cstdint>
#include <cstdlib>

namespace {

class FuzzView final : public IDecoderView {
public:
    void showLatestLine(const QString&) override {}
    bool extendedMessagesRecording() const override { return true; }
    QString extendedMessagesText() const override { return text; }
    void setExtendedMessages(const QString& t, int caret) override
    {
        if (caret < 0 || caret > t.size() || t.size() > 60000)
            std::abort();
        text = t;
    }
    void showEvaluatorMenu() override {}
    void greyOutSensor(int index) override
    {
        if (index < 0 || index > 5)
            std::abort();
    }
    void showBadLineCount(int count) override
    {
        if (count < 0 || count > 20000)
            std::abort();
    }
    QString text;
};

class FuzzSink final : public IDataLineSink {
public:
    void writeDataLine(const QByteArray&, int recordType) override
    {
        if (recordType < -1 || recordType > 0xFF)
            std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    MeasurementState state;
    FuzzView view;
    FuzzSink sink;
    RecordDecoder decoder(state, view, sink);

    QByteArray whole = input;
    decoder.decodeLine(whole);

    qsizetype from = 0;
    while (from < input.size()) {
        qsizetype lf = input.indexOf('\n', from);
        const qsizetype end = lf < 0 ? input.size() : lf + 1;
        QByteArray line = input.mid(from, end - from);
        decoder.decodeLine(line);
        from = end;
    }
    if (state.sensorCountKnown && state.sensorCount != state.parameterInfo.sensorCount)
        std::abort();

    for (int digits : {2, 4, 0})
        (void)HexToSigned(input, digits);
    QByteArray copy = input;
    const QByteArray cut = SanitizeHex(copy, int(size % 64));
    if (cut.size() > copy.size() || copy.size() != input.size())
        std::abort();
    (void)CutAtLineEnd(input);
    return 0;
}
