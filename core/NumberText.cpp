#include "core/NumberText.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>

namespace NumberText {

QString general(double value)
{
    if (std::isnan(value) || std::isinf(value))
        return QString();
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, int(result.ptr - buffer));
    return value < 0 ? text : QLatin1Char(' ') + text;
}

QString oneDecimal(double value)
{
    if (std::isnan(value) || std::isinf(value))
        return QString();
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const double rounded = std::round(value * 10.0) / 10.0;
    return locale.toString(rounded == 0.0 ? 0.0 : rounded, 'f', 1);
}

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
    }
    if (i == digitsStart || (i == digitsStart + 1 && text[digitsStart] == QLatin1Char('.')))
        return 0.0;
    qsizetype end = i;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        const qsizetype expDigits = j;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128)
            ++j;
        if (j > expDigits)
            end = j;
    }
    const qsizetype from = text[start] == QLatin1Char('+') ? start + 1 : start;
    const QByteArray latin = text.mid(from, end - from).toLatin1();
    double value = 0.0;
    const auto result = std::from_chars(latin.constData(), latin.constData() + latin.size(), value);
    if (result.ec != std::errc() || std::isnan(value))
        return 0.0;
    return value;
}

int16_t leadingInt16(QStringView text)
{
    const double rounded = std::nearbyint(leadingNumber(text)); // halves to even
    if (rounded >= double(std::numeric_limits<int16_t>::max()))
        return std::numeric_limits<int16_t>::max();
    if (rounded <= double(std::numeric_limits<int16_t>::min()))
        return std::numeric_limits<int16_t>::min();
    return int16_t(rounded);
}

} // namespace NumberText
