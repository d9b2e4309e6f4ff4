#include "history/NotesFile.h"

#include "HistoryTestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

Note note(qint64 instant, const QString& installation, int sensor, const QString& text)
{
    return Note{instant, installation, sensor, text};
}

// Written and read back, sorted by instant, one installation's only; the
// file is the event file's line form.
TEST(NotesFile, NotesReadBackAsWrittenInOrderOfTheirInstants)
{
    QTemporaryDir logs;
    const NotesFile notes(logs.path());
    const qint64 base = QDateTime(QDate(2026, 3, 14), QTime(9, 30), QTimeZone::systemTimeZone()).toSecsSinceEpoch();
    const std::vector<Note> written { note(base + 600, QStringLiteral("Main_Engine"), 2, QStringLiteral("Oil changed")),
        note(base, QStringLiteral("Main_Engine"), Note::AllSensors, QStringLiteral("Sample taken")),
        note(base + 60, QStringLiteral("Aux"), 1, QStringLiteral("Sensor replaced")),
        note(base + 300, QStringLiteral("Main_Engine"), 6, QStringLiteral("pump: 3 l, \"cold\"")) };
    for (const Note& n : written) {
        QString reason;
        ASSERT_TRUE(notes.append(n, &reason)) << qPrintable(reason);
    }
    const std::vector<Note> read = notes.read(QStringLiteral("Main_Engine"));
    ASSERT_EQ(read.size(), 3u);
    for (const auto& [got, expected] : {std::pair{read[0], written[1]}, {read[1], written[3]}, {read[2], written[0]}}) {
        EXPECT_EQ(got.instant, expected.instant);
        EXPECT_EQ(got.sensor, expected.sensor);
        EXPECT_EQ(got.text, expected.text);
        EXPECT_EQ(got.installation, expected.installation);
    }
    QFile file(notes.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readLine().startsWith("#03-14-2026 09:40:00 Note \"Main_Engine\" Sensor 2: Oil changed\r\n"));
    EXPECT_EQ(file.readLine(), QByteArray("#03-14-2026 09:30:00 Note \"Main_Engine\" all sensors: Sample taken\r\n"));
}

TEST(NotesFile, DamagedLinesArePassedOver)
{
    QTemporaryDir logs;
    const NotesFile notes(logs.path());
    static const char lines[] =
                      "#03-14-2026 09:30:00 Note \"Main_Engine\" Sensor 2: Oil changed\r\n"
                      "#03-14-2026 09:31:00 Note \"Main_Engine Sensor 2: no closing quote\r\n"
                      "#03-14-2026 09:32:00 Note \"Main_Engine\" Sensor 7: no such sensor\r\n"
                      "#03-14-2026 09:33:00 Note \"Main_Engine\" sensors: neither\r\n"
                      "#02-30-2026 09:34:00 Note \"Main_Engine\" all sensors: no such day\r\n"
                      "#03-14-2026 09:35 Note \"Main_Engine\" all sensors: no seconds\r\n"
                      "\x00\xff\x01 binary\r\n\r\nplain text\r\n"
                      "#03-14-2026 09:36:00 Note \"Main_Engine\" all sensors: Oil topped up\r\n"
                      "#03-14-2026 09:37:00 Note \"Main_Engine\" all sensors: cut off by a power lo";
    ASSERT_TRUE(HistoryTest::writeFile(notes.path(), QByteArray(lines, sizeof lines - 1)));
    const std::vector<Note> read = notes.read(QStringLiteral("Main_Engine"));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].text, QStringLiteral("Oil changed"));
    EXPECT_EQ(read[1].text, QStringLiteral("Oil topped up"));
}

// Any name reads back as the logfiles would hold it, and the notes stay the
// one file in the log folder.
TEST(NotesFile, AHostileInstallationNameStaysInItsLineAndItsFolder)
{
    QTemporaryDir logs;
    const NotesFile notes(logs.path());
    const QString hostile
        = QStringLiteral("../\"Main\" Engine\r\n#01-01-2026 00:00:00 Note \"x\" all sensors: forged\x1b[2J");
    QString reason;
    ASSERT_TRUE(notes.append(note(1767225600, hostile, 3, QStringLiteral("line\nbreak")), &reason))
        << qPrintable(reason);
    ASSERT_TRUE(notes.append(note(1767225660, QStringLiteral("x"), 1, QStringLiteral("real")), &reason));
    const std::vector<Note> read = notes.read(hostile);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].text, QStringLiteral("line break"));
    EXPECT_EQ(read[0].sensor, 3);
    EXPECT_EQ(notes.read(QStringLiteral("x")).size(), 1u) << "a name forged no note";
    EXPECT_EQ(QDir(logs.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("notes_VELTRA.txt")});
}

TEST(NotesFile, AFailedAppendGivesTheSystemsReason)
{
    QTemporaryDir logs;
    const NotesFile notes(logs.filePath(QStringLiteral("missing")));
    QString reason;
    EXPECT_FALSE(notes.append(note(0, QStringLiteral("Main_Engine"), 1, QStringLiteral("Oil changed")), &reason));
    EXPECT_EQ(reason, QStringLiteral("No such file or directory"));
}

} // namespace
