#include "config/RdWrConfig.h"

#include "core/OwnerOnlySave.h"
#include "core/WholeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

constexpr qint64 ReadChunk = 64 * 1024;

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

// A line written by the store must stay one line.
QByteArray encodeLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.toUtf8();
}

bool validKey(const QString& key)
{
    return !key.isEmpty() && !key.contains(QLatin1Char('=')) && !key.contains(QLatin1Char('\r'))
        && !key.contains(QLatin1Char('\n'));
}

} // namespace

RdWrConfig::RdWrConfig(QString homeDirectory) : home_(std::move(homeDirectory)) {}

QString RdWrConfig::filePath(const QString& file) const
{
    return QDir(home_).filePath(file);
}

void RdWrConfig::clearTable()
{
    for (QByteArray& line : lines_)
        line.clear();
    count_ = 0;
    restOffset_ = -1;
    restFile_.clear();
}

bool RdWrConfig::fail(Failure failure, const QString& error)
{
    failure_ = failure;
    error_ = error;
    return false;
}

int16_t RdWrConfig::ReadConfigFile(const QString& file)
{
    clearTable();
    QFile in(filePath(file));
    if (!in.open(QIODevice::ReadOnly))
        return 0;

    // Read in chunks and stop after MaxLines lines, so whatever follows them
    // is never loaded.
    QByteArray buffer;
    bool atEnd = false;
    qsizetype lineStart = 0;
    qsizetype scan = 0;
    const auto readMore = [&] {
        const QByteArray more = in.read(ReadChunk);
        if (more.isEmpty())
            atEnd = true;
        else
            buffer += more;
    };
    while (count_ < MaxLines) {
        qsizetype end = -1;
        for (;;) {
            while (scan < buffer.size() && buffer[scan] != '\r' && buffer[scan] != '\n')
                ++scan;
            // A CR at the end of what was read may be the first half of CR LF.
            const bool needMore = scan >= buffer.size() || (buffer[scan] == '\r' && scan + 1 == buffer.size());
            if (!needMore || atEnd) {
                if (scan < buffer.size())
                    end = scan;
                break;
            }
            readMore();
        }
        if (end < 0) {
            if (lineStart < buffer.size())
                lines_[count_++] = buffer.mid(lineStart);
            break;
        }
        lines_[count_++] = buffer.mid(lineStart, end - lineStart);
        lineStart = end + 1;
        if (buffer[end] == '\r' && lineStart < buffer.size() && buffer[lineStart] == '\n')
            ++lineStart;
        scan = lineStart;
    }
    if (count_ == MaxLines && (lineStart < buffer.size() || !atEnd)) {
        restOffset_ = lineStart;
        restFile_ = file;
    }
    return count_;
}

QString RdWrConfig::GetConfigValue(const QString& file, const QString& key)
{
    const int16_t n = ReadConfigFile(file);
    if (!validKey(key))
        return QString();
    const QByteArray prefix = key.toUtf8() + '=';
    for (int i = 0; i < n; ++i) {
        if (!lines_[i].startsWith(prefix))
            continue;
        QString value = decodeText(lines_[i].mid(prefix.size()));
        if (value.size() > MaxValueLength) {
            value.truncate(MaxValueLength);
            if (value.back().isHighSurrogate())
                value.chop(1);
        }
        return value;
    }
    return QString();
}

bool RdWrConfig::SetConfigValue(const QString& file, const QString& key, const QString& value)
{
    const int16_t n = ReadConfigFile(file);
    if (n <= 0)
        return fail(Failure::NoFile, QString());
    if (!validKey(key))
        return fail(Failure::InvalidKey, QString());
    const QByteArray prefix = key.toUtf8() + '=';
    int i = 0;
    while (i < n && !lines_[i].startsWith(prefix))
        ++i;
    if (i >= MaxLines)
        return fail(Failure::TableFull, QString());
    lines_[i] = prefix + encodeLine(value);
    if (i >= n)
        count_ = int16_t(i + 1);
    return WriteConfigFile(file);
}

bool RdWrConfig::CreateConfigFile(const QString& file, const QString& line)
{
    clearTable();
    lines_[0] = encodeLine(line);
    count_ = 1;
    return WriteConfigFile(file);
}

QString RdWrConfig::GetConfigHeader(const QString& file)
{
    if (ReadConfigFile(file) <= 0)
        return QString();
    return decodeText(lines_[0]);
}

bool RdWrConfig::WriteConfigFile(const QString& file)
{
    QByteArray content;
    for (int i = 0; i < count_; ++i) {
        content += lines_[i];
        content += "\r\n";
    }
    QSaveFile out(filePath(file));
    OwnerOnlySave save(out);
    QString error = save.openError();
    if (error.isEmpty())
        error = writeWhole(out, content);
    if (!error.isEmpty())
        return fail(Failure::WriteFailed, error);
    if (restOffset_ >= 0 && restFile_ == file && !copyRest(file, out))
        return false;
    if (!save.commit())
        return fail(Failure::WriteFailed, out.errorString());
    failure_ = Failure::None;
    error_.clear();
    return true;
}

bool RdWrConfig::copyRest(const QString& file, QFileDevice& out)
{
    QFile in(filePath(file));
    if (!in.open(QIODevice::ReadOnly) || !in.seek(restOffset_))
        return fail(Failure::WriteFailed, in.errorString());
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(ReadChunk);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return fail(Failure::WriteFailed, in.errorString());
        if (chunk.isEmpty())
            break;
        if (const QString error = writeWhole(out, chunk); !error.isEmpty())
            return fail(Failure::WriteFailed, error);
    }
    return true;
}

QString RdWrConfig::KeepCopyOfConfigFile(const QString& file)
{
    failure_ = Failure::None;
    error_.clear();
    QFile in(filePath(file));
    if (!in.exists() || in.size() == 0)
        return QString();
    const QString copyPath = copyPathOf(file);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(Failure::WriteFailed, in.errorString());
        return QString();
    }
    QSaveFile out(copyPath);
    OwnerOnlySave save(out);
    if (const QString error = save.openError(); !error.isEmpty()) {
        fail(Failure::WriteFailed, error);
        return QString();
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(ReadChunk);
        const QString error = chunk.isEmpty() ? in.errorString() : writeWhole(out, chunk);
        if (!error.isEmpty()) {
            fail(Failure::WriteFailed, error);
            return QString();
        }
    }
    if (!save.commit()) {
        fail(Failure::WriteFailed, out.errorString());
        return QString();
    }
    return copyPath;
}

QString RdWrConfig::copyPathOf(const QString& file) const
{
    return filePath(file) + QStringLiteral(".bak");
}

void RdWrConfig::NarrowConfigFiles(const QString& file)
{
    narrowToOwner(filePath(file));
    narrowToOwner(copyPathOf(file));
}
