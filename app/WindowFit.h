#pragma once
#include "app/MainLayout.h"

#include <QMargins>
#include <QRect>
#include <QSize>

// Keeps the main window usable on any screen: a restored window fits the
// screen's free area, and its panels, which sit at fixed places, are never
// squeezed out of reach but scrolled to.
namespace WindowFit {

// The client rectangle for a window whose frame adds `frame` around the
// client: as large as `client` but no larger than what fits into
// `available`, moved so that the whole frame lies inside it.
QRect fitClient(const QRect& available, const QMargins& frame, const QRect& client);

// The size the panels are laid out in: the viewport itself when maximized
// (the layout stretches), and at least `minimum` otherwise (scroll bars show
// the rest).
QSize contentSize(WindowShowState state, const QSize& viewport, const QSize& minimum);

} // namespace WindowFit
