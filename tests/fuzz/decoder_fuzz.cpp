// Feeds arbitrary bytes to the record decoder: once as a single line, then
// split at every LF as a run of lines (so parameter and sensor records meet
// in one state), and through the hex helpers on their own.
#include "link/ExtendedMessagesText.h"
#include "link/MeasurementState.h"
#include "link/RecordDecoder.h"
#include "link/StateUpdater.h"
#include "link/SubFunctions.h"

#include <cstdint>
#include <cstdlib>

namespace {

// What the main window does with each record, checked as it goes.
void check(const DecodedRecord& record, ExtendedMessagesText& extended)
{
    if (record.type < -1 || record.type > 0xFF || record.line.size() > record.received.size())
        std::abort();
    extended = ExtendedMessagesText::appended(extended.text, QString::fromLatin1(record.received));
    if (extended.caret < 0 || extended.caret > extended.text.size() || extended.text.size() > 60000)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    MeasurementState state;
    RecordDecoder decoder;
    StateUpdater updater(state);
    ExtendedMessagesText extended;
    QObject::connect(&decoder, &RecordDecoder::recordDecoded, [&](const DecodedRecord& r) { check(r, extended); });
    QObject::connect(&decoder, &RecordDecoder::recordDecoded, &updater, &StateUpdater::apply);
    QObject::connect(&updater, &StateUpdater::sensorAbsent, [](int index) {
        if (index < 0 || index > 5)
            std::abort();
    });
    QObject::connect(&updater, &StateUpdater::badLineCounted, [](int count) {
        if (count < 0 || count > 20000)
            std::abort();
    });

    decoder.decodeLine(input);

    qsizetype from = 0;
    while (from < input.size()) {
        qsizetype lf = input.indexOf('\n', from);
        const qsizetype end = lf < 0 ? input.size() : lf + 1;
        decoder.decodeLine(input.mid(from, end - from));
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
