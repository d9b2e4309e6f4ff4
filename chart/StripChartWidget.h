#pragma once
#include "chart/ChartSource.h"
#include "chart/StripChartNavigation.h"
#include "chart/StripChartPrintout.h"
#include "chart/StripChartRenderer.h"
#include "chart/StripChartSettings.h"
#include "chart/StripChartStore.h"
#include "core/IClock.h"
#include "chart/IStripChart.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

class QToolButton;
#include <utility>

// The strip chart on the window (`iStripChartX1`).
//
// The curves, grid and labels are painted into a cached picture that is
// redrawn only when channels or axes change; new rows scroll it and paint
// only the columns they changed, so a live tick costs a few columns, not a
// frame. The data cursor is drawn over it, so dragging the cursor costs a
// copy of the picture and one box.
// The user drags the cursor with the left button (or clicks where it should
// go); a double-click raises the toggle event. Dragging elsewhere pans, the
// wheel zooms the time around the pointer (with Shift the values), and the
// keys Left/Right pan, +/- zoom, Home/End jump to the oldest/newest row.
class StripChartWidget : public QWidget, public IStripChart {
    Q_OBJECT
public:
    // While rows arrive in bulk (a playback load) the chart is redrawn at
    // most this often; a row arriving after a quiet spell shows at once.
    static constexpr int kMinRedrawMs = 200;
    // A channel's line breaks where it has no point for this long.
    static constexpr double kGapSeconds = 60.0;

    // The clock gives AddRowNow its time; without one the system clock is used.
    explicit StripChartWidget(QWidget* parent = nullptr, const IClock* clock = nullptr);

    void AddChannel(const QString& title, uint32_t colour, int valueIndex, int lineWidth) override;
    void ClearChannels() override;
    void ClearData() override;
    int ChannelCount() const override;
    void SetChannelNames(int channel, const QString& sensor, const QString& value, const QString& unit,
                         int decimals) override;
    void SetChannelVisible(int channel, bool visible) override;
    bool ChannelVisible(int channel) const override;

    void BeginRow() override;
    void AddRowNow() override;
    void AddRowAt(double x) override;
    void SetChannelValue(int channel, int row, double value) override;
    void EndRow() override;
    void AddRowsAt(const double* xs, size_t rows, const int* channels, const double* values,
                   int valuesPerRow) override;
    int64_t RowCount() const override;

    void SetBufferSize(int64_t rows) override;
    int64_t BufferSize() const override;
    void SetAutoRowDrop(bool drop) override;
    void SetRowDropTarget(int64_t rows) override;
    void ReserveRows(int64_t rows) override;
    void EndRows() override;

    void SetYAxisRange(double min, double max) override;
    void SetYAxisTickMajorCount(int count) override;
    void SetYAxisTickMinorCount(int count) override;
    void SetXAxisSpan(double days) override;
    double XAxisSpan() const override;
    void SetXAxisOffset(double days) override;
    void ShowAllRows() override;
    void SetFileView(bool fileView) override;
    // Whether the view moves on with new rows.
    bool following() const { return settings_.xFollow && settings_.xOffset == 0.0; }
    // The button over the chart that shows the whole file or follows the
    // live rows again.
    QToolButton* viewButton() const { return viewButton_; }

    int64_t CursorIndex() const override;
    double ChannelValueAt(int64_t index, int channel) const override;
    double XValueAt(int64_t index) const override;
    void ToggleCursor() override;
    bool CursorShown() const { return cursorShown_; }
    // The x (days) at the cursor's line.
    double cursorX() const;
    // Shows the view from `from` to `to` (days), as far as the data allow.
    void showRange(double from, double to);
    // Puts the cursor at x (days) when the view shows it; false otherwise.
    bool placeCursorAt(double x);

    void AddPrinterComment(const QString& text) override;
    void ClearPrinterComments() override;
    void SetPrinterCommentFont(const QFont& font) override;
    void SetPrinterMargins(double left, double right, double top, double bottom) override;
    void SetPrintOrientation(int orientation) override;
    void SetPrintShowDialog(bool show) override;
    bool PrintChart() override;
    bool PrintChartToPdf(const QString& path) override;

    // The rows given through the row calls above.
    const StripChartStore& store() const { return store_; }
    // Draws from `source` instead of those rows; nullptr goes back to them.
    // The source must outlive its use here.
    void setSource(ChartSource* source);
    ChartSource& source() const { return *source_; }
    // The source's data changed: the chart is drawn again.
    void sourceChanged();
    // The rows the view is drawn from now.
    const StripChartStore& shownRows() const;
    const StripChartSettings& settings() const { return settings_; }
    // Where the curves are drawn, in widget coordinates.
    QRectF plotRect() const;
    // The x range (days) the plot shows now, left edge to right edge.
    std::pair<double, double> visibleXRange() const;
    // What paintEvent paints into `dirty`: the cached chart and the cursor over it.
    void paintFrame(QPainter& painter, const QRect& dirty) { paintFrame(painter, QRegion(dirty)); }
    void paintFrame(QPainter& painter, const QRegion& dirty);
    // The area the last cursor move asked to repaint.
    QRect cursorRepaintArea() const { return cursorRepaint_; }
    // The chart without the cursor, freshly painted into `area`.
    void paintChart(QPainter& painter, const QRectF& area) const;
    // The chart as shown, the cursor and its readout included: into `area`
    // (painted afresh, so as lines and text on a PDF painter), or as the
    // screen's pixels (StripChartWidgetExport.cpp).
    void paintView(QPainter& painter, const QRectF& area) const;
    QImage viewImage();
    // Whether a change is not yet on the screen (painted, or asked to be).
    bool redrawPending() const { return stale_ != Stale::None || redrawTimer_.isActive() || updatePending_; }
    // Brings the cached picture up to date; returns the area that changed,
    // the cursor's readout included.
    // A paint does this itself; a tick's new row does it at once, so that
    // only the changed area is repainted.
    QRegion refreshCache();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What has changed since the cached picture was painted.
    enum class Stale { None, Rows, All };

    double now() const;
    StripChartRenderer::Layout currentLayout() const;
    void chartChanged(Stale change = Stale::All);
    void showChanges();
    void moveCursorTo(double px);
    // After the navigation moved the view: redraw, the button, the readout.
    void viewMoved();
    void placeViewButton();
    double xAtPixel(double px) const;
    bool printTo(QPrinter& printer) const;

    SystemClock systemClock_;
    const IClock* clock_;
    StripChartStore store_;
    StoreSource storeSource_{store_};
    ChartSource* source_ = &storeSource_;
    StripChartSettings settings_;
    StripChartRenderer renderer_;
    StripChartNavigation navigation_;
    QToolButton* viewButton_ = nullptr;
    bool fileView_ = false;
    StripChartPrintout printout_;
    bool printShowDialog_ = true;

    QImage cache_;
    StripChartRenderer::Picture picture_;
    Stale stale_ = Stale::All;
    int64_t drawnRowsEnd_ = 0;   // row numbers (as firstRowNumber() counts) the picture shows
    int64_t drawnFirstRow_ = 0;
    bool updatePending_ = false; // a whole-widget repaint is already asked for
    QElapsedTimer sinceRedraw_;  // since the cached chart was last redrawn
    QTimer redrawTimer_;         // the next redraw, when rows come faster than frames

    QRect cursorArea_;   // what the cursor covered when last painted
    int64_t cursorRow_ = -1; // the row its readout showed, as firstRowNumber() counts
    QRect cursorRepaint_;
    double cursorFraction_ = 0.5; // across the plot, so it stays put while rows scroll by
    bool cursorShown_ = true;
    bool dragging_ = false; // the cursor
    // A drag that pans: where it started and where the view ended then.
    bool panning_ = false;
    bool panMoved_ = false;
    double panStartPx_ = 0;
    double panStartEnd_ = 0;
};
