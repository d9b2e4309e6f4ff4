#include "core/LogLine.h"

namespace LogLine {

namespace {

// Control characters other than TAB, CR and LF: C0, DEL and (in text) C1.
bool isControl(char16_t c)
{
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || (c >= 0x7F && c <= 0x9F);
}

} // namespace

QByteArray lineStart(const QDateTime& when)
{
    return QByteArrayLiteral("#") + timeStamp(when).toLatin1() + ' ';
}

QString timeStamp(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%02d-%02d-%04d %02d:%02d:%02d", d.month(), d.day(), d.year(), t.hour(),
                             t.minute(), t.second());
}

QString fileDate(const QDateTime& when)
{
    const QDate d = when.date();
    return QString::asprintf("%04d%02d%02d", d.year(), d.month(), d.day());
}

QString fileText(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
        else if (isControl(c.unicode()))
            c = QLatin1Char(ControlSubstitute);
    }
    return text;
}

QByteArray fileText(QByteArray text)
{
    // Bytes from 0x80 up are left alone: they are text in some code page.
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\r' || byte == '\n')
            c = ' ';
        else if (byte < 0x80 && isControl(byte))
            c = ControlSubstitute;
    }
    return text;
}

QString fileNamePart(QString name)
{
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || isControl(c.unicode()))
            c = QLatin1Char('_');
    }
    while (name.contains(QLatin1String("..")))
        name.replace(QLatin1String(".."), QLatin1String("__"));
    return name;
}

QString logfileName(const QString& logDir, const QString& day, const QString& installation)
{
    return logDir + day + QStringLiteral("VL_") + fileNamePart(installation) + QStringLiteral(".vlg");
}

QString suggestedLogfileName(const QString& logDir, const QString& day, const QString& installation)
{
    return logDir + day + QStringLiteral("Ls_") + fileNamePart(installation) + QStringLiteral(".vlg");
}

QString eventfileName(const QString& logDir)
{
    return logDir + QStringLiteral("events_VELTRA.txt");
}

} // namespace LogLine
