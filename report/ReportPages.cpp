#include "report/ReportPages.h"

#include <QPagedPaintDevice>
#include <QPainter>

ReportPages::ReportPages(const QRectF& body) : body_(body), y_(body.top()), pages_(1) {}

QRectF ReportPages::take(double height)
{
    if (height > room() && !pageEmpty())
        newPage();
    const QRectF taken(body_.left(), y_, body_.width(), std::min(height, room()));
    y_ += taken.height();
    return taken;
}

void ReportPages::skip(double height)
{
    y_ = std::min(body_.bottom(), y_ + height);
}

void ReportPages::newPage()
{
    pages_.emplace_back();
    y_ = body_.top();
}

void ReportPages::draw(Drawing drawing)
{
    pages_.back().push_back(std::move(drawing));
}

bool ReportPages::paint(QPainter& painter, QPagedPaintDevice& device, const Frame& frame) const
{
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        painter.save();
        frame(painter, int(i + 1), int(pages_.size()));
        painter.restore();
        for (const Drawing& d : pages_[i]) {
            painter.save();
            d(painter);
            painter.restore();
        }
    }
    return true;
}
