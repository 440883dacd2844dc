// The kit's window shadow: `size` one-pixel rings round a body rectangle, each fainter than the
// one inside it, with corners rounded by `corner_radius` plus the ring's distance.
//
//   drop_shadow::Paint(painter, body_rect, theme_shadow_colour, 10, 8);
//
// Paint gives the same pixels as PaintRings (at whole-number device pixel ratios) for a
// fraction of the cost: the corners come from a small tile drawn once per colour and scale, the
// straight sides from one-pixel slices of it. UI thread only (the tile is cached).
#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace drop_shadow {

void Paint(QPainter& painter, const QRect& body, const QColor& darkest, int size,
           int corner_radius);

// Every ring stroked anew: what Paint reproduces, and what it falls back to for bodies too small
// for the tile or fractional scales.
void PaintRings(QPainter& painter, const QRect& body, const QColor& darkest, int size,
                int corner_radius);

}  // namespace drop_shadow
