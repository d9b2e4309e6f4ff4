#pragma once
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

class QPainter;
class QPrinter;
class QFont;

// The strip chart. Channels are numbered from 0 in the order they are added.
// X values are date-time values in days (day 0 is 30 December 1899).
// A row is built by BeginRow, AddRowNow or AddRowAt, SetChannelValue for some
// channels, EndRow; channels not set in a row have no point there.
class IStripChart {
public:
    virtual ~IStripChart() = default;

    // valueIndex is the value 0..4 the channel shows; lineWidth is 2 or 1.
    virtual void AddChannel(const QString& title, uint32_t colour, int valueIndex, int lineWidth) = 0;
    virtual void ClearChannels() = 0;
    virtual void ClearData() = 0;
    virtual int ChannelCount() const = 0;
    // How the readout, legend and exports name a channel: its sensor's name,
    // its value's name and unit, and the decimals its values are shown with.
    virtual void SetChannelNames(int channel, const QString& sensor, const QString& value, const QString& unit,
                                 int decimals)
    {
        (void)channel, (void)sensor, (void)value, (void)unit, (void)decimals;
    }
    virtual void SetChannelVisible(int channel, bool visible) = 0;
    virtual bool ChannelVisible(int channel) const = 0;

    virtual void BeginRow() = 0;
    virtual void AddRowNow() = 0;
    virtual void AddRowAt(double x) = 0;
    // row is always -1 (the row being built). A NaN value means the channel
    // has no value in this row: its line breaks there.
    virtual void SetChannelValue(int channel, int row, double value) = 0;
    virtual void EndRow() = 0;
    // Rows in bulk: row r has the x xs[r] and, for each k below valuesPerRow,
    // the value values[r * valuesPerRow + k] in the channel
    // channels[r * valuesPerRow + k] (none where that channel is negative).
    // The same as building each row with the calls above, at a fraction of
    // the calls; a playback load hands over its rows this way.
    virtual void AddRowsAt(const double* xs, size_t rows, const int* channels, const double* values,
                           int valuesPerRow)
    {
        for (size_t r = 0; r < rows; ++r) {
            BeginRow();
            AddRowAt(xs[r]);
            for (int k = 0; k < valuesPerRow; ++k) {
                const size_t i = r * size_t(valuesPerRow) + size_t(k);
                if (channels[i] >= 0)
                    SetChannelValue(channels[i], -1, values[i]);
            }
            EndRow();
        }
    }
    virtual int64_t RowCount() const = 0;

    // The chart keeps at most bufferSize rows; with AutoRowDrop it drops the
    // oldest to make room, without it further rows are refused.
    virtual void SetBufferSize(int64_t rows) = 0;
    virtual int64_t BufferSize() const = 0;
    virtual void SetAutoRowDrop(bool drop) = 0;
    // When a full chart drops rows, it drops down to this many at once
    // (0: one row at a time). Dropping in bulk keeps a long playback fast.
    virtual void SetRowDropTarget(int64_t rows) { (void)rows; }
    // A hint that about this many rows will follow.
    virtual void ReserveRows(int64_t rows) { (void)rows; }
    // Rows in bulk are complete: the chart shows them now rather than at
    // its next paced redraw.
    virtual void EndRows() {}

    virtual void SetYAxisRange(double min, double max) = 0;
    virtual void SetYAxisTickMajorCount(int count) = 0;
    virtual void SetYAxisTickMinorCount(int count) = 0;
    // Visible X span in days; the view follows the newest row. The offset
    // shifts the view back from the newest row (days).
    virtual void SetXAxisSpan(double days) = 0;
    virtual double XAxisSpan() const = 0;
    virtual void SetXAxisOffset(double days) = 0;
    // Shows every row at once, following the newest.
    virtual void ShowAllRows() {}
    // In the file view the chart offers its whole file; in the live view it
    // offers to follow the newest rows again once the user moved away.
    virtual void SetFileView(bool fileView) { (void)fileView; }

    // Data cursor: index of the row under the cursor (-1 when there is no
    // data), the value of a channel in a row (NaN when that channel has no
    // point there) and the row's x.
    virtual int64_t CursorIndex() const = 0;
    virtual double ChannelValueAt(int64_t index, int channel) const = 0;
    // index outside the rows gives NaN from both.
    virtual double XValueAt(int64_t index) const = 0;
    // Flips the chart's cursor display on or off (the toggle event).
    virtual void ToggleCursor() = 0;

    // Printing.
    virtual void AddPrinterComment(const QString& text) = 0;
    virtual void ClearPrinterComments() = 0;
    virtual void SetPrinterCommentFont(const QFont& font) = 0;
    // Margins in inches.
    virtual void SetPrinterMargins(double left, double right, double top, double bottom) = 0;
    // 0 portrait, 1 landscape.
    virtual void SetPrintOrientation(int orientation) = 0;
    virtual void SetPrintShowDialog(bool show) = 0;
    // Prints the chart with its comment lines; false when nothing was printed.
    virtual bool PrintChart() = 0;
    // The same page into a PDF file, without any dialog.
    virtual bool PrintChartToPdf(const QString& path) { (void)path; return false; }

    // Raised when the user moves the data cursor, and on the toggle event.
    std::function<void()> onCursorChange;
    std::function<void()> onToggle;
};
