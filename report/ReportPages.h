#pragma once
// The report's pages laid out before any is painted, so each can say
// "Page 3 of 7": sections take room from the top of the current page's
// body down, and put their drawings there; a block that does not fit goes
// onto a new page.
#include <QRectF>
#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

class ReportPages {
public:
    using Drawing = std::function<void(QPainter&)>;
    // Draws what every page has around its body: page is 1-based.
    using Frame = std::function<void(QPainter&, int page, int count)>;

    explicit ReportPages(const QRectF& body);

    // Room left below the last block on the current page.
    double room() const { return body_.bottom() - y_; }
    bool pageEmpty() const { return y_ == body_.top(); }
    // `height` from the current place down, on a new page when it does not
    // fit (a block higher than a page gets a page of its own and is cut).
    QRectF take(double height);
    // Leaves `height` free, unless the page is at its end.
    void skip(double height);
    void newPage();
    // Draws on the current page.
    void draw(Drawing drawing);

    int count() const { return int(pages_.size()); }
    const QRectF& body() const { return body_; }

    // Paints every page on `device` through `painter` (begun on it), the
    // frame first. False when the device would not take a new page.
    bool paint(QPainter& painter, QPagedPaintDevice& device, const Frame& frame) const;

private:
    QRectF body_;
    double y_;
    std::vector<std::vector<Drawing>> pages_;
};
