#include "app/WindowFit.h"

#include <algorithm>

namespace WindowFit {

QRect fitClient(const QRect& available, const QMargins& frame, const QRect& client)
{
    const QRect room = available.marginsRemoved(frame);
    const QSize size = client.size().boundedTo(room.size()).expandedTo(QSize(1, 1));
    const int left = std::clamp(client.left(), room.left(), std::max(room.left(), room.right() + 1 - size.width()));
    const int top = std::clamp(client.top(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
    return QRect(QPoint(left, top), size);
}

QSize contentSize(WindowShowState state, const QSize& viewport, const QSize& minimum)
{
    if (state == WindowShowState::Maximized)
        return viewport;
    return viewport.expandedTo(minimum);
}

} // namespace WindowFit
