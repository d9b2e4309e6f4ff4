#include "chart/StripChartWidget.h"

#include "chart/StripChartColumns.h"
#include "chart/StripChartTime.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QDateTime>
#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QKeyEvent>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

StripChartWidget::StripChartWidget(QWidget* parent, const IClock* clock)
    : QWidget(parent)
    , clock_(clock ? clock : &systemClock_)
    , renderer_(storeSource_, settings_)
    , navigation_(settings_, storeSource_)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 120);
    setFocusPolicy(Qt::StrongFocus);
    store_.setGapDays(kGapSeconds / 86400.0);
    viewButton_ = new QToolButton(this);
    viewButton_->setObjectName(QStringLiteral("chartViewButton"));
    viewButton_->setText(QStringLiteral("Follow live"));
    viewButton_->hide();
    connect(viewButton_, &QToolButton::clicked, this, [this] {
        if (fileView_)
            navigation_.showAll(now());
        else
            navigation_.toNewest();
        viewMoved();
    });
    redrawTimer_.setSingleShot(true);
    connect(&redrawTimer_, &QTimer::timeout, this, &StripChartWidget::showChanges);
}

double StripChartWidget::now() const
{
    return chartDaysFromDateTime(clock_->now());
}

void StripChartWidget::chartChanged(Stale change)
{
    if (change == Stale::All || stale_ == Stale::None)
        stale_ = std::max(stale_, change);
    // Rows arrive by the million during a playback load; one pending repaint
    // covers them all, and asking Qt again for every row costs more than
    // storing the row. A redraw soon after the last one waits for the rest of
    // kMinRedrawMs: the load yields every few milliseconds, and redrawing the
    // chart at each yield would take a third of the load's time.
    if (updatePending_ || redrawTimer_.isActive())
        return;
    const qint64 since = sinceRedraw_.isValid() ? sinceRedraw_.elapsed() : kMinRedrawMs;
    if (since < kMinRedrawMs && isVisible()) {
        redrawTimer_.start(int(kMinRedrawMs - since));
        return;
    }
    showChanges();
}

void StripChartWidget::showChanges()
{
    // New rows patch the picture now and repaint only what they changed;
    // anything else waits for the paint, which may cover several changes.
    if (stale_ == Stale::Rows && isVisible()) {
        update(refreshCache());
        return;
    }
    update();
    updatePending_ = isVisible();
}

void StripChartWidget::AddChannel(const QString& title, uint32_t colour, int valueIndex, int lineWidth)
{
    StripChartChannel channel;
    channel.title = title;
    channel.colour = colour;
    channel.valueIndex = valueIndex;
    channel.lineWidth = lineWidth;
    settings_.channels.push_back(channel);
    chartChanged();
}

void StripChartWidget::ClearChannels()
{
    settings_.channels.clear();
    store_.clearPoints();
    chartChanged();
}

void StripChartWidget::ClearData()
{
    store_.clear();
    chartChanged();
}

int StripChartWidget::ChannelCount() const
{
    return int(settings_.channels.size());
}

void StripChartWidget::SetChannelNames(int channel, const QString& sensor, const QString& value,
                                       const QString& unit, int decimals)
{
    if (channel < 0 || channel >= ChannelCount())
        return;
    StripChartChannel& c = settings_.channels[size_t(channel)];
    c.sensorName = sensor;
    c.valueName = value;
    c.unit = unit;
    c.decimals = std::clamp(decimals, 0, 6);
    chartChanged();
}

void StripChartWidget::SetChannelVisible(int channel, bool visible)
{
    if (channel < 0 || channel >= ChannelCount() || settings_.channels[size_t(channel)].visible == visible)
        return;
    settings_.channels[size_t(channel)].visible = visible;
    chartChanged();
}

bool StripChartWidget::ChannelVisible(int channel) const
{
    return channel >= 0 && channel < ChannelCount() && settings_.channels[size_t(channel)].visible;
}

void StripChartWidget::BeginRow()
{
    store_.closeRow();
}

void StripChartWidget::AddRowNow()
{
    store_.addRow(now());
}

void StripChartWidget::AddRowAt(double x)
{
    store_.addRow(x);
}

void StripChartWidget::SetChannelValue(int channel, int /*row: always the open row*/, double value)
{
    if (channel < ChannelCount())
        store_.setValue(channel, value);
}

void StripChartWidget::EndRow()
{
    store_.closeRow();
    chartChanged(Stale::Rows);
}

void StripChartWidget::AddRowsAt(const double* xs, size_t rows, const int* channels, const double* values,
                                 int valuesPerRow)
{
    store_.addRows(xs, rows, channels, values, valuesPerRow, ChannelCount());
    chartChanged(Stale::Rows);
}

int64_t StripChartWidget::RowCount() const
{
    return store_.rowCount();
}

void StripChartWidget::SetBufferSize(int64_t rows)
{
    store_.setCapacity(rows);
    chartChanged();
}

int64_t StripChartWidget::BufferSize() const
{
    return store_.capacity();
}

void StripChartWidget::SetAutoRowDrop(bool drop)
{
    store_.setAutoDrop(drop);
}

void StripChartWidget::SetRowDropTarget(int64_t rows)
{
    store_.setDropTarget(rows);
}

void StripChartWidget::ReserveRows(int64_t /*rows*/)
{
    // Storage grows chunk by chunk as rows arrive; reserving up front would
    // only hold memory a short file never uses.
}

void StripChartWidget::EndRows()
{
    if (!redrawTimer_.isActive())
        return;
    redrawTimer_.stop();
    showChanges();
}

void StripChartWidget::SetYAxisRange(double min, double max)
{
    if (!std::isfinite(min) || !std::isfinite(max))
        return;
    settings_.yMin = std::min(min, max);
    settings_.yMax = std::max(min, max);
    chartChanged();
}

void StripChartWidget::SetYAxisTickMajorCount(int count)
{
    settings_.yMajorTicks = std::clamp(count, 2, 101);
    chartChanged();
}

void StripChartWidget::SetYAxisTickMinorCount(int count)
{
    settings_.yMinorTicks = std::clamp(count, 0, 20);
    chartChanged();
}

void StripChartWidget::SetXAxisSpan(double days)
{
    if (!(days > 0.0) || !std::isfinite(days))
        return;
    settings_.xSpan = days;
    chartChanged();
    placeViewButton();
}

double StripChartWidget::XAxisSpan() const
{
    return settings_.xSpan;
}

void StripChartWidget::SetXAxisOffset(double days)
{
    if (!std::isfinite(days))
        return;
    settings_.xOffset = days;
    settings_.xFollow = true;
    chartChanged();
    placeViewButton();
}

void StripChartWidget::ShowAllRows()
{
    navigation_.showAll(now());
    chartChanged();
    placeViewButton();
}

void StripChartWidget::SetFileView(bool fileView)
{
    fileView_ = fileView;
    viewButton_->setText(fileView ? (source_ != &storeSource_ ? QStringLiteral("Whole range") : QStringLiteral("Whole file"))
                                  : QStringLiteral("Follow live"));
    placeViewButton();
}

void StripChartWidget::viewMoved()
{
    // A gesture is answered at once, not at the pace of rows in bulk.
    stale_ = Stale::All;
    redrawTimer_.stop();
    showChanges();
    placeViewButton();
    if (cursorShown_ && onCursorChange)
        onCursorChange();
}

void StripChartWidget::placeViewButton()
{
    // In the live view the button only shows while the view stays behind.
    viewButton_->setVisible(fileView_ || !following());
    viewButton_->adjustSize();
    const QRectF plot = plotRect();
    viewButton_->move(int(plot.right()) - viewButton_->width() - 4, int(plot.bottom()) - viewButton_->height() - 4);
}

double StripChartWidget::xAtPixel(double px) const
{
    const auto layout = currentLayout();
    return layout.x0 + (layout.x1 - layout.x0) * (px - layout.plot.left()) / layout.plot.width();
}

StripChartRenderer::Layout StripChartWidget::currentLayout() const
{
    return renderer_.layout(QRectF(rect()), now());
}

QRectF StripChartWidget::plotRect() const
{
    return currentLayout().plot;
}

std::pair<double, double> StripChartWidget::visibleXRange() const
{
    const auto layout = currentLayout();
    return {layout.x0, layout.x1};
}

int64_t StripChartWidget::CursorIndex() const
{
    const auto layout = currentLayout();
    return renderer_.rowAt(layout, layout.plot.left() + cursorFraction_ * layout.plot.width());
}

double StripChartWidget::ChannelValueAt(int64_t index, int channel) const
{
    return shownRows().value(index, channel);
}

double StripChartWidget::XValueAt(int64_t index) const
{
    return shownRows().x(index);
}

void StripChartWidget::setSource(ChartSource* source)
{
    source_ = source ? source : &storeSource_;
    settings_.xInstants = source_->instants();
    renderer_.setSource(*source_);
    navigation_.setSource(*source_);
    SetFileView(fileView_);
    cursorRow_ = -1;
    viewMoved();
}

void StripChartWidget::sourceChanged()
{
    chartChanged();
    if (cursorShown_ && onCursorChange)
        onCursorChange();
}

const StripChartStore& StripChartWidget::shownRows() const
{
    return renderer_.rowsOf(currentLayout());
}

double StripChartWidget::cursorX() const
{
    const auto layout = currentLayout();
    return layout.x0 + (layout.x1 - layout.x0) * cursorFraction_;
}

void StripChartWidget::showRange(double from, double to)
{
    navigation_.showRange(from, to, now());
    viewMoved();
}

bool StripChartWidget::placeCursorAt(double x)
{
    const auto layout = currentLayout();
    if (!(x >= layout.x0 && x <= layout.x1))
        return false;
    if (!cursorShown_)
        ToggleCursor();
    moveCursorTo(StripChartColumns::pixelOfX(layout, x));
    return true;
}

void StripChartWidget::ToggleCursor()
{
    cursorShown_ = !cursorShown_;
    dragging_ = false;
    update();
}

void StripChartWidget::AddPrinterComment(const QString& text)
{
    printout_.addComment(text);
}

void StripChartWidget::ClearPrinterComments()
{
    printout_.clearComments();
}

void StripChartWidget::SetPrinterCommentFont(const QFont& font)
{
    printout_.setCommentFont(font);
}

void StripChartWidget::SetPrinterMargins(double left, double right, double top, double bottom)
{
    printout_.setMargins(left, right, top, bottom);
}

void StripChartWidget::SetPrintOrientation(int orientation)
{
    printout_.setOrientation(orientation);
}

void StripChartWidget::SetPrintShowDialog(bool show)
{
    printShowDialog_ = show;
}

bool StripChartWidget::printTo(QPrinter& printer) const
{
    return printout_.print(printer, [this](QPainter& painter, const QRectF& area) { paintChart(painter, area); });
}

bool StripChartWidget::PrintChart()
{
    QPrinter printer(QPrinter::HighResolution);
    printout_.setUp(printer);
    // Without a printer the dialog opens on its PDF file, so a page can
    // always be printed.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir::current().filePath(
            QDateTime::currentDateTime().toString(QStringLiteral("'xy-diagram-'yyyyMMdd-HHmmss'.pdf'"))));
    }
    if (printShowDialog_) {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    } else if (printer.outputFormat() != QPrinter::PdfFormat && QPrinterInfo::defaultPrinter().isNull()) {
        return false;
    }
    return printTo(printer);
}

bool StripChartWidget::PrintChartToPdf(const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printout_.setUp(printer);
    return printTo(printer);
}

void StripChartWidget::paintChart(QPainter& painter, const QRectF& area) const
{
    renderer_.paintChart(painter, renderer_.layout(area, now()), area);
}

QRegion StripChartWidget::refreshCache()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    const StripChartRenderer::Layout layout = currentLayout();
    std::optional<QRegion> changed;
    if (stale_ == Stale::Rows && cache_.size() == pixels && source_ == &storeSource_)
        changed = renderer_.patchImage(cache_, picture_, layout, drawnRowsEnd_ - store_.firstRowNumber(),
                                       store_.firstRowNumber() != drawnFirstRow_);
    if (!changed && stale_ != Stale::None) {
        if (cache_.size() != pixels) {
            cache_ = QImage(pixels, QImage::Format_RGB32);
            cache_.setDevicePixelRatio(ratio);
        }
        if (ratio == 1.0) {
            picture_ = renderer_.paintImage(cache_, layout);
        } else {
            QPainter cachePainter(&cache_);
            renderer_.paintChart(cachePainter, layout, QRectF(rect()));
            picture_ = StripChartRenderer::Picture{layout, -1, false};
        }
        changed = QRegion(rect());
    }
    if (stale_ != Stale::None) {
        stale_ = Stale::None;
        drawnRowsEnd_ = store_.firstRowNumber() + store_.rowCount();
        drawnFirstRow_ = store_.firstRowNumber();
        sinceRedraw_.start();
    }
    // The cursor's readout may now show another row.
    if (changed && cursorShown_) {
        const double px = layout.plot.left() + cursorFraction_ * layout.plot.width();
        const int64_t row = renderer_.rowAt(layout, px);
        if (row + renderer_.rowsOf(layout).firstRowNumber() != cursorRow_)
            *changed |= cursorArea_ | renderer_.cursorArea(layout, px, row).toAlignedRect();
    }
    return changed.value_or(QRegion());
}

void StripChartWidget::paintFrame(QPainter& painter, const QRegion& dirty)
{
    const QSize pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
    if (cache_.size() != pixels)
        stale_ = Stale::All;
    refreshCache();
    const qreal ratio = cache_.devicePixelRatio();
    for (const QRect& r : dirty)
        painter.drawImage(QRectF(r), cache_, QRectF(QRectF(r).topLeft() * ratio, QSizeF(r.size()) * ratio));
    cursorArea_ = QRect();
    const StripChartRenderer::Layout& layout = picture_.layout;
    if (cursorShown_) {
        const double px = layout.plot.left() + cursorFraction_ * layout.plot.width();
        const int64_t row = renderer_.rowAt(layout, px);
        cursorRow_ = row + renderer_.rowsOf(layout).firstRowNumber();
        cursorArea_ = renderer_.paintCursor(painter, layout, px, row).toAlignedRect();
    }
}

void StripChartWidget::paintEvent(QPaintEvent* event)
{
    // A partial paint (the cursor, an uncovered corner) leaves the asked-for
    // whole repaint to come.
    if (event->rect().contains(rect())) {
        updatePending_ = false;
        redrawTimer_.stop();
    }
    QPainter painter(this);
    paintFrame(painter, event->region());
}

void StripChartWidget::resizeEvent(QResizeEvent* event)
{
    stale_ = Stale::All;
    QWidget::resizeEvent(event);
    placeViewButton();
}

void StripChartWidget::moveCursorTo(double px)
{
    const auto layout = currentLayout();
    const QRectF& plot = layout.plot;
    const double fraction = std::clamp((px - plot.left()) / plot.width(), 0.0, 1.0);
    if (fraction == cursorFraction_)
        return;
    cursorFraction_ = fraction;
    // Only the old cursor and the new one need repainting; the box may have
    // moved to the other half of the plot.
    const double newPx = plot.left() + fraction * plot.width();
    const QRect newArea = renderer_.cursorArea(layout, newPx, renderer_.rowAt(layout, newPx)).toAlignedRect();
    cursorRepaint_ = cursorArea_.united(newArea).intersected(rect());
    if (stale_ != Stale::None || cursorArea_.isEmpty())
        cursorRepaint_ = rect();
    update(cursorRepaint_);
    if (onCursorChange)
        onCursorChange();
}

void StripChartWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const double px = event->position().x();
    const QRectF plot = plotRect();
    const double cursorPx = plot.left() + cursorFraction_ * plot.width();
    // On the cursor line it is dragged; anywhere else a drag pans and a
    // click puts the cursor there.
    if (cursorShown_ && std::fabs(px - cursorPx) <= 6.0) {
        dragging_ = true;
        moveCursorTo(px);
        return;
    }
    panning_ = true;
    panMoved_ = false;
    panStartPx_ = px;
    panStartEnd_ = navigation_.viewEnd(now());
}

void StripChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const double px = event->position().x();
    if (dragging_) {
        moveCursorTo(px);
    } else if (panning_ && (panMoved_ || std::fabs(px - panStartPx_) > 3.0)) {
        panMoved_ = true;
        const double daysPerPixel = settings_.xSpan / plotRect().width();
        navigation_.panBy(panStartEnd_ - (px - panStartPx_) * daysPerPixel - navigation_.viewEnd(now()), now());
        setCursor(Qt::ClosedHandCursor);
        viewMoved();
    }
}

void StripChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (panning_ && !panMoved_ && cursorShown_)
        moveCursorTo(event->position().x());
    dragging_ = panning_ = panMoved_ = false;
    unsetCursor();
}

void StripChartWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onToggle)
        onToggle();
}

void StripChartWidget::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    // Some systems turn a wheel with Shift into a sideways one.
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta == 0)
        return;
    const double factor = std::pow(0.8, delta / 120.0);
    if (event->modifiers() & Qt::ShiftModifier) {
        const QRectF plot = plotRect();
        const double share = std::clamp((event->position().y() - plot.top()) / plot.height(), 0.0, 1.0);
        navigation_.zoomValuesAround(settings_.yMax - share * (settings_.yMax - settings_.yMin), factor);
    } else {
        navigation_.zoomAround(xAtPixel(event->position().x()), factor, now());
    }
    viewMoved();
    event->accept();
}

void StripChartWidget::keyPressEvent(QKeyEvent* event)
{
    const double span = settings_.xSpan;
    const double centre = xAtPixel(plotRect().center().x());
    switch (event->key()) {
    case Qt::Key_Left: navigation_.panBy(-span / 10.0, now()); break;
    case Qt::Key_Right: navigation_.panBy(span / 10.0, now()); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: navigation_.zoomAround(centre, 1.0 / 1.5, now()); break;
    case Qt::Key_Minus: navigation_.zoomAround(centre, 1.5, now()); break;
    case Qt::Key_Home: navigation_.toStart(now()); break;
    case Qt::Key_End: navigation_.toNewest(); break;
    default: QWidget::keyPressEvent(event); return;
    }
    viewMoved();
}
