#include "chart/ChartCsvExport.h"

#include "chart/StripChartTime.h"
#include "core/WholeFileWrite.h"

#include <algorithm>
#include <cmath>

namespace {

// A spreadsheet reads a cell that begins with one of these as a formula; a
// sensor name typed that way stays text.
bool looksLikeFormula(const QString& text)
{
    return !text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front());
}

QByteArray number(double value, int decimals)
{
    QByteArray text = QByteArray::number(value, 'f', decimals);
    // -0.004 rounds to "-0.00": zero, written without a sign.
    if (text.startsWith('-') && std::all_of(text.begin() + 1, text.end(), [](char c) { return c == '0' || c == '.'; }))
        text.remove(0, 1);
    return text;
}

} // namespace

ChartCsvExport::ChartCsvExport(const StripChartStore& store, const std::vector<StripChartChannel>& channels,
                               double fromX, double toX)
    : store_(store)
{
    header_ = headerLine(channels);
    const int64_t first = store.firstRowNumber();
    const int64_t from = store.lowerBound(fromX);
    const int64_t to = std::isfinite(toX) ? store.lowerBound(std::nextafter(toX, INFINITY)) : store.rowCount();
    begin_ = first + from;
    end_ = first + std::max(from, to);
    next_ = begin_;
    firstSeen_ = first;
}

QByteArray ChartCsvExport::headerLine(const std::vector<StripChartChannel>& channels)
{
    QByteArray line = "Time";
    for (size_t ch = 0; ch < channels.size(); ++ch) {
        const StripChartChannel& channel = channels[ch];
        if (!channel.visible)
            continue;
        columns_.push_back({int(ch), std::clamp(channel.decimals, 0, 6)});
        QString name = channel.displayName();
        if (!channel.unit.isEmpty())
            name += QStringLiteral(" (") + channel.unit + QLatin1Char(')');
        line += ',' + textField(name);
    }
    return line + "\r\n";
}

QByteArray ChartCsvExport::field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') && !bytes.contains('\r'))
        return bytes;
    bytes.replace('"', "\"\"");
    return '"' + bytes + '"';
}

QByteArray ChartCsvExport::textField(QString text)
{
    if (looksLikeFormula(text))
        text.prepend(QLatin1Char('\''));
    return field(text);
}

bool ChartCsvExport::open(const QString& path)
{
    file_.setFileName(path);
    // Each step's text goes down in one write, so without Qt's buffer a
    // full disk is reported by that write.
    const QString error = openUnbuffered(file_);
    if (!error.isEmpty()) {
        fail(error);
        return false;
    }
    return writeAll(byteOrderMark_ ? ByteOrderMark + header_ : header_);
}

bool ChartCsvExport::writeAll(const QByteArray& bytes)
{
    const QString error = writeWhole(file_, bytes);
    if (!error.isEmpty())
        fail(error);
    return error.isEmpty();
}

bool ChartCsvExport::storeWasCleared() const
{
    // Cleared stores count their rows from 0 again.
    return store_.firstRowNumber() < firstSeen_ || store_.firstRowNumber() + store_.rowCount() < next_;
}

bool ChartCsvExport::writeRows(int64_t rows)
{
    if (failed_ || next_ >= end_)
        return false;
    if (storeWasCleared()) {
        fail(QStringLiteral("The chart was cleared during the export."));
        return false;
    }
    const int64_t first = store_.firstRowNumber();
    firstSeen_ = first;
    if (next_ < first) {
        lost_ += std::min(first, end_) - next_;
        next_ = std::min(first, end_);
    }
    const int64_t stop = std::min(end_, next_ + std::max<int64_t>(rows, 1));
    QByteArray text;
    text.reserve(int((stop - next_) * (24 + 8 * qsizetype(columns_.size()))));
    for (; next_ < stop; ++next_)
        written_ += rowLine(next_ - first, text);
    if (!writeAll(text))
        return false;
    return next_ < end_;
}

bool ChartCsvExport::rowLine(int64_t row, QByteArray& out) const
{
    const qsizetype start = out.size();
    appendTime(store_.x(row), out);
    bool any = false;
    for (const Column& column : columns_) {
        out += ',';
        const double v = store_.value(row, column.channel);
        if (std::isfinite(v)) {
            out += number(v, column.decimals);
            any = true;
        }
    }
    if (!any) {
        out.truncate(start);
        return false;
    }
    out += "\r\n";
    return true;
}

void ChartCsvExport::appendTime(double x, QByteArray& out) const
{
    static const QString format = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");
    const double whole = std::floor(x);
    const qint64 ms = std::isfinite(x) ? qint64(std::llround((x - whole) * 86400000.0)) : -1;
    if (whole != day_.whole) {
        day_.whole = whole;
        const QDateTime midnight = chartDateTimeFromDays(whole);
        const QDateTime last = chartDateTimeFromDays(whole + 86399999.0 / 86400000.0);
        day_.even = midnight.isValid() && last.isValid() && midnight.offsetFromUtc() == last.offsetFromUtc()
                    && midnight.time() == QTime(0, 0);
        day_.date = midnight.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
    }
    if (!day_.even || ms < 0 || ms >= 86400000) {
        out += chartDateTimeFromDays(x).toString(format).toLatin1();
        return;
    }
    char time[14];
    const auto put = [&time](int at, qint64 value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10)
            time[at + i] = char('0' + value % 10);
    };
    time[0] = 'T';
    put(1, ms / 3600000, 2);
    time[3] = ':';
    put(4, ms / 60000 % 60, 2);
    time[6] = ':';
    put(7, ms / 1000 % 60, 2);
    time[9] = '.';
    put(10, ms % 1000, 3);
    out += day_.date;
    out.append(time, 13);
}

bool ChartCsvExport::commit()
{
    if (failed_) {
        cancel();
        return false;
    }
    if (!file_.commit()) {
        fail(file_.errorString());
        return false;
    }
    return true;
}

void ChartCsvExport::cancel()
{
    file_.cancelWriting();
    // Closing the cancelled file removes its temporary file.
    file_.commit();
}

int ChartCsvExport::percent() const
{
    if (end_ <= begin_)
        return 100;
    return int((next_ - begin_) * 100 / (end_ - begin_));
}

void ChartCsvExport::fail(const QString& reason)
{
    if (!failed_)
        error_ = reason;
    failed_ = true;
    file_.cancelWriting();
}
