#include "platform/QtSound.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

quint32 littleEndian(const QByteArray& bytes, int offset, int size)
{
    quint32 v = 0;
    for (int b = size - 1; b >= 0; --b)
        v = (v << 8) | quint8(bytes.at(offset + b));
    return v;
}

TEST(QtSound, FindsWaveOnlyWhereItIs)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("688dv4.wav")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QtSound sound(dir.path());
    EXPECT_EQ(sound.resolve(QStringLiteral("688dv4.wav")), file.fileName());
    EXPECT_TRUE(sound.resolve(QStringLiteral("625ppalm.wav")).isEmpty());
    EXPECT_TRUE(sound.resolve(QString()).isEmpty());
    sound.playWave(QStringLiteral("625ppalm.wav")); // missing: plays nothing, no error
}

// The shipped alarm sounds: PCM wave files of about one second, not alike.
TEST(AlarmSounds, ShippedFilesArePlayableWavesOfAboutOneSecond)
{
    QByteArray data[2];
    const char* names[] = {"688dv4.wav", "625ppalm.wav"};
    for (int i = 0; i < 2; ++i) {
        QFile file(QStringLiteral(VELTRA_SOURCE_DIR "/app/sounds/") + QLatin1String(names[i]));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << names[i];
        data[i] = file.readAll();
        const QByteArray& d = data[i];
        ASSERT_GT(d.size(), 44) << names[i];
        EXPECT_EQ(d.left(4), QByteArray("RIFF"));
        EXPECT_EQ(d.mid(8, 8), QByteArray("WAVEfmt "));
        EXPECT_EQ(littleEndian(d, 20, 2), 1u); // PCM
        const quint32 byteRate = littleEndian(d, 28, 4);
        const quint32 dataBytes = littleEndian(d, 40, 4);
        ASSERT_GT(byteRate, 0u);
        const double seconds = double(dataBytes) / byteRate;
        EXPECT_GT(seconds, 0.7) << names[i];
        EXPECT_LT(seconds, 1.5) << names[i];
    }
    EXPECT_NE(data[0], data[1]);
}

} // namespace
