#include "platform/widgets/drop_shadow.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStringBuilder>

#include <cmath>

namespace drop_shadow {

namespace {

// Ring d's rounded corner reaches corner_radius + 0.5 px into the body from the body's corner;
// antialiasing may touch one pixel more.
int CornerReach(int corner_radius) { return corner_radius + 2; }

QPixmap Tile(const QColor& darkest, int size, int corner_radius, qreal dpr) {
  // Looked up on every paint of the window (each frame of a loading shimmer): one allocation,
  // where each arg() would parse the pattern again.
  const QString key = QLatin1String("velmo_drop_shadow:") % QString::number(darkest.rgba()) %
                      QLatin1Char(':') % QString::number(size) % QLatin1Char(':') %
                      QString::number(corner_radius) % QLatin1Char(':') % QString::number(dpr);
  QPixmap tile;
  if (QPixmapCache::find(key, &tile)) return tile;
  const int reach = CornerReach(corner_radius);
  // A body with one straight pixel between its corners on each side.
  const QRect body(size, size, 2 * reach + 1, 2 * reach + 1);
  const int side = body.width() + 2 * size;
  tile = QPixmap(side * dpr, side * dpr);
  tile.setDevicePixelRatio(dpr);
  tile.fill(Qt::transparent);
  {
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing, true);
    PaintRings(painter, body, darkest, size, corner_radius);
  }
  QPixmapCache::insert(key, tile);
  return tile;
}

}  // namespace

void PaintRings(QPainter& painter, const QRect& body, const QColor& darkest, int size,
                int corner_radius) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  for (int d = 1; d <= size; ++d) {
    const qreal falloff = 1.0 - qreal(d) / (size + 1);
    QColor ring = darkest;
    ring.setAlphaF(darkest.alphaF() * falloff * falloff);
    painter.setPen(QPen(ring, 1));
    const QRectF r = QRectF(body).adjusted(-d + 0.5, -d + 0.5, d - 0.5, d - 0.5);
    painter.drawRoundedRect(r, corner_radius + d, corner_radius + d);
  }
  painter.restore();
}

void Paint(QPainter& painter, const QRect& body, const QColor& darkest, int size,
           int corner_radius) {
  if (size <= 0 || body.isEmpty()) return;
  const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  const int reach = CornerReach(corner_radius);
  const bool whole_scale = dpr >= 1 && std::floor(dpr) == dpr;
  if (!whole_scale || body.width() < 2 * reach + 1 || body.height() < 2 * reach + 1 ||
      painter.transform().type() > QTransform::TxTranslate) {
    PaintRings(painter, body, darkest, size, corner_radius);
    return;
  }
  const QPixmap tile = Tile(darkest, size, corner_radius, dpr);
  // Tile coordinates (logical): corner pieces are `corner` wide, the slice at `corner` is the
  // straight part; the body's edges sit `size` in from the tile's.
  const int corner = size + reach;
  const int far = corner + 1;  // where the far corner pieces start
  const int left = body.left() - size, top = body.top() - size;
  const int right = body.left() + body.width() - reach;  // far pieces' left edge
  const int bottom = body.top() + body.height() - reach;
  const int middle_w = right - (left + corner), middle_h = bottom - (top + corner);
  const auto piece = [&](int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
    if (w <= 0 || h <= 0) return;
    painter.drawPixmap(QRectF(x, y, w, h), tile, QRectF(sx * dpr, sy * dpr, sw * dpr, sh * dpr));
  };
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  piece(left, top, corner, corner, 0, 0, corner, corner);
  piece(right, top, corner, corner, far, 0, corner, corner);
  piece(left, bottom, corner, corner, 0, far, corner, corner);
  piece(right, bottom, corner, corner, far, far, corner, corner);
  piece(left + corner, top, middle_w, corner, corner, 0, 1, corner);
  piece(left + corner, bottom, middle_w, corner, corner, far, 1, corner);
  piece(left, top + corner, corner, middle_h, 0, corner, corner, 1);
  piece(right, top + corner, corner, middle_h, far, corner, corner, 1);
  painter.restore();
}

}  // namespace drop_shadow
