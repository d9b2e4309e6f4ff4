#include "playback/ReadAhead.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A read left while it waits at a yield, or while its pieces pile up, must
// not leave its thread behind or block the window that drops it.
TEST(ReadAhead, DroppedMidReadEndsItsThread)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.vlg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(400000, '\n')); // twenty yields of event list lines
    file.close();
    const bool shown[7] = {false, true, true, true, true, true, true};
    for (int taken = 0; taken < 3; ++taken) {
        ReadAhead read(LogfileReader::Settings(), ReadAhead::Targets(), 2, 60000);
        read.start(path);
        std::deque<ReadPiece> pieces;
        for (int i = 0; i < taken && read.take(pieces); ++i)
            read.resume(false, shown);
    }
}
