#include "scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

#include "ink.h"

namespace {

QColor withAlpha(QColor c, double a) {
  c.setAlphaF(a);
  return c;
}

// A ridge line across [x0, x1] by midpoint displacement, closed down to `floor`.
QPainterPath ridgePath(Rng& rng, double x0, double x1, double base, double rough, double floor) {
  QList<QPointF> pts{{x0, base + rng.real(-rough, rough) * 0.5}, {x1, base + rng.real(-rough, rough) * 0.5}};
  double r = rough;
  for (int level = 0; level < 6; ++level) {
    QList<QPointF> next;
    for (qsizetype i = 0; i + 1 < pts.size(); ++i) {
      next << pts[i];
      const QPointF m = (pts[i] + pts[i + 1]) / 2;
      next << QPointF(m.x(), m.y() + rng.real(-r, r));
    }
    next << pts.last();
    pts = next;
    r *= 0.55;
  }
  QPainterPath path;
  path.moveTo(x0, floor);
  for (const QPointF& pt : pts) path.lineTo(pt);
  path.lineTo(x1, floor);
  path.closeSubpath();
  return path;
}

void paintRange(QPainter& p, const QPainterPath& range, const QColor& ink, double top, double bottom) {
  QLinearGradient g(QPointF(0, top), QPointF(0, bottom));
  g.setColorAt(0, ink);
  g.setColorAt(1, withAlpha(ink, 0.0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(range);
}

void paintSkyAndSun(QPainter& p, const QRectF& r, const QColor& upper, const QColor& lower, QPointF sun, double sunR,
                    double opacity = 1.0) {
  QLinearGradient sky(r.topLeft(), r.bottomLeft());
  sky.setColorAt(0, withAlpha(upper, opacity));
  sky.setColorAt(0.7, withAlpha(lower, opacity));
  sky.setColorAt(1, withAlpha(lower, opacity));
  p.fillRect(r, sky);
  QRadialGradient glow(sun, sunR * 3);
  glow.setColorAt(0, withAlpha(QColor(0xF4, 0xC8, 0x8A), 0.55));
  glow.setColorAt(1, withAlpha(QColor(0xF4, 0xC8, 0x8A), 0.0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(sun, sunR * 3, sunR * 3);
  p.setBrush(withAlpha(palette::vermilion, 0.85));
  p.drawEllipse(sun, sunR, sunR);
}

// Pagoda-like roof with upturned eaves, centred on x at eave height y.
void paintRoof(QPainter& p, double x, double y, double half, double height, const QColor& tile) {
  QPainterPath roof;
  roof.moveTo(x - half - 4, y - 3);
  roof.quadTo(QPointF(x - half + 2, y), QPointF(x - half * 0.6, y - height * 0.35));
  roof.lineTo(x - half * 0.35, y - height);
  roof.lineTo(x + half * 0.35, y - height);
  roof.lineTo(x + half * 0.6, y - height * 0.35);
  roof.quadTo(QPointF(x + half - 2, y), QPointF(x + half + 4, y - 3));
  roof.closeSubpath();
  p.setPen(QPen(palette::ink, 1.0));
  p.setBrush(tile);
  p.drawPath(roof);
}

void paintFortress(QPainter& p, double x, double y, double scale) {
  const QColor wall(0x8A, 0x7A, 0x62), wallDark(0x5E, 0x52, 0x44), tile(0x36, 0x32, 0x30);
  const double w = 170 * scale, h = 26 * scale;
  // Walls with crenels.
  p.setPen(QPen(palette::ink, 1.0));
  p.setBrush(wall);
  p.drawRect(QRectF(x - w / 2, y - h, w, h));
  p.setBrush(wallDark);
  for (double cxp = x - w / 2; cxp < x + w / 2 - 1; cxp += 8 * scale)
    p.drawRect(QRectF(cxp, y - h - 4 * scale, 4.5 * scale, 4 * scale));
  // Gate.
  p.setBrush(palette::ink);
  QPainterPath gate;
  gate.moveTo(x - 9 * scale, y);
  gate.lineTo(x - 9 * scale, y - 12 * scale);
  gate.quadTo(QPointF(x, y - 20 * scale), QPointF(x + 9 * scale, y - 12 * scale));
  gate.lineTo(x + 9 * scale, y);
  gate.closeSubpath();
  p.drawPath(gate);
  // Gate tower: two storeys.
  const double ty = y - h - 4 * scale;
  p.setBrush(QColor(0x7A, 0x2E, 0x24));
  p.drawRect(QRectF(x - 22 * scale, ty - 14 * scale, 44 * scale, 14 * scale));
  p.setPen(QPen(palette::ink, 0.8));
  for (int i = -2; i <= 2; ++i) p.drawLine(QPointF(x + i * 8 * scale, ty - 14 * scale), QPointF(x + i * 8 * scale, ty));
  paintRoof(p, x, ty - 13 * scale, 30 * scale, 12 * scale, tile);
  p.setBrush(QColor(0x7A, 0x2E, 0x24));
  p.drawRect(QRectF(x - 14 * scale, ty - 34 * scale, 28 * scale, 9 * scale));
  paintRoof(p, x, ty - 33 * scale, 21 * scale, 11 * scale, tile);
  // Corner towers.
  for (int s : {-1, 1}) {
    const double tx = x + s * (w / 2 - 8 * scale);
    p.setBrush(wall.darker(108));
    p.setPen(QPen(palette::ink, 1.0));
    p.drawRect(QRectF(tx - 9 * scale, ty - 10 * scale, 18 * scale, 10 * scale));
    paintRoof(p, tx, ty - 9 * scale, 13 * scale, 8 * scale, tile);
  }
  // Banners on the wall.
  for (int i = -2; i <= 2; ++i) {
    if (i == 0) continue;
    const double bx = x + i * 30 * scale;
    p.setPen(QPen(palette::ink, 1.0));
    p.drawLine(QPointF(bx, ty), QPointF(bx, ty - 22 * scale));
    QPainterPath flag;
    flag.moveTo(bx, ty - 22 * scale);
    flag.quadTo(QPointF(bx + 7 * scale, ty - 24 * scale), QPointF(bx + 13 * scale, ty - 20 * scale));
    flag.lineTo(bx + 12 * scale, ty - 14 * scale);
    flag.quadTo(QPointF(bx + 6 * scale, ty - 17 * scale), QPointF(bx, ty - 15 * scale));
    flag.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(palette::vermilion);
    p.drawPath(flag);
  }
}

void paintPine(QPainter& p, Rng& rng, QPointF root, double size) {
  QPainterPath trunk;
  trunk.moveTo(root + QPointF(-size * 0.05, 0));
  trunk.cubicTo(root + QPointF(-size * 0.15, -size * 0.4), root + QPointF(size * 0.2, -size * 0.6),
                root + QPointF(-size * 0.05, -size));
  trunk.lineTo(root + QPointF(size * 0.01, -size));
  trunk.cubicTo(root + QPointF(size * 0.26, -size * 0.6), root + QPointF(-size * 0.05, -size * 0.4),
                root + QPointF(size * 0.07, 0));
  trunk.closeSubpath();
  p.setPen(QPen(palette::ink, 1.0));
  p.setBrush(QColor(0x4A, 0x3A, 0x2C));
  p.drawPath(trunk);
  // Branches with flat needle clouds.
  for (int i = 0; i < 5; ++i) {
    const double t = 0.35 + i * 0.15;
    const QPointF at = root + QPointF(size * 0.05 * std::sin(t * 5), -size * t);
    const double dir = (i % 2 ? 1 : -1);
    const QPointF end = at + QPointF(dir * size * rng.real(0.25, 0.45), -size * rng.real(0.02, 0.1));
    p.setPen(QPen(QColor(0x3A, 0x2E, 0x24), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(at, end);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(QColor(0x2E, 0x40, 0x34), 0.92));
    const double rw = size * rng.real(0.16, 0.24);
    p.drawEllipse(end, rw, rw * 0.38);
    p.drawEllipse(end + QPointF(-dir * rw * 0.7, rw * 0.1), rw * 0.7, rw * 0.3);
  }
  p.setBrush(withAlpha(QColor(0x2E, 0x40, 0x34), 0.92));
  p.drawEllipse(root + QPointF(0, -size * 1.02), size * 0.22, size * 0.08);
}

// Clusters of ink dots along a slope, the painter's shorthand for shrubs.
void paintMossDots(QPainter& p, Rng& rng, const QPainterPath& slope, int count) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const QPointF at = slope.pointAtPercent(rng.real(0.05, 0.95)) + QPointF(rng.real(-3, 3), rng.real(1, 9));
    p.setBrush(withAlpha(palette::ink, rng.real(0.45, 0.85)));
    const double r = rng.real(0.8, 2.2);
    p.drawEllipse(at, r * 1.4, r);
  }
}

// The title written one character at a time, each a little tilted and
// shifted as a hand would set them.
void paintTitleLetters(QPainter& p, Rng& rng, const QRectF& box, const QString& text, double size) {
  const QFont f = cjkFont(size, true);
  const QFontMetricsF fm(f);
  QList<double> advances;
  double total = 0;
  for (const QChar c : text) {
    const double a = c == u'・' ? size * 0.6 : fm.horizontalAdvance(c) + size * 0.04;
    advances << a;
    total += a;
  }
  double x = box.center().x() - total / 2;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QPointF centre(x + advances[i] / 2, box.center().y() + rng.real(-3, 3));
    p.save();
    p.translate(centre);
    p.rotate(rng.real(-3.5, 3.5));
    const double scale = rng.real(0.96, 1.05);
    p.scale(scale, scale);
    drawBrushText(p, QRectF(-advances[i] / 2, -size * 0.7, advances[i], size * 1.4), QString(text[i]), f,
                  palette::ink, rng);
    p.restore();
    x += advances[i];
  }
}

void paintBirds(QPainter& p, Rng& rng, const QRectF& area, int count) {
  p.setPen(QPen(palette::ink, 1.1, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < count; ++i) {
    const QPointF c(area.left() + rng.unit() * area.width(), area.top() + rng.unit() * area.height());
    const double s = rng.real(3, 6);
    QPainterPath b;
    b.moveTo(c + QPointF(-s, -s * 0.3));
    b.quadTo(c + QPointF(-s * 0.4, -s * 0.6), c);
    b.quadTo(c + QPointF(s * 0.4, -s * 0.6), c + QPointF(s, -s * 0.3));
    p.drawPath(b);
  }
}

// A standing warrior in silhouette, feet at `foot`, `h` tall. `pose` picks the
// weapon: 0 a long glaive, 1 a serpent spear, 2 two swords raised.
void paintHero(QPainter& p, QPointF foot, double h, int pose, const QColor& ink) {
  const double u = h / 10.0;
  QPainterPath body;
  // Legs apart, long robe and armour skirt.
  body.moveTo(foot + QPointF(-2.2 * u, 0));
  body.lineTo(foot + QPointF(-1.6 * u, -3.5 * u));
  body.lineTo(foot + QPointF(-1.9 * u, -6.2 * u));
  body.quadTo(foot + QPointF(-2.2 * u, -7.4 * u), foot + QPointF(-1.0 * u, -7.8 * u));
  body.lineTo(foot + QPointF(1.0 * u, -7.8 * u));
  body.quadTo(foot + QPointF(2.2 * u, -7.4 * u), foot + QPointF(1.9 * u, -6.2 * u));
  body.lineTo(foot + QPointF(1.6 * u, -3.5 * u));
  body.lineTo(foot + QPointF(2.2 * u, 0));
  body.lineTo(foot + QPointF(0.9 * u, 0));
  body.lineTo(foot + QPointF(0.2 * u, -3.0 * u));
  body.lineTo(foot + QPointF(-0.6 * u, 0));
  body.closeSubpath();
  body.addEllipse(foot + QPointF(0, -8.6 * u), 0.75 * u, 0.85 * u);
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  p.drawPath(body);
  // Cloak streaming in the wind.
  QPainterPath cloak;
  cloak.moveTo(foot + QPointF(-1.0 * u, -7.6 * u));
  cloak.cubicTo(foot + QPointF(-3.5 * u, -7.0 * u), foot + QPointF(-4.5 * u, -4.5 * u), foot + QPointF(-5.5 * u, -3.2 * u));
  cloak.lineTo(foot + QPointF(-1.8 * u, -4.8 * u));
  cloak.closeSubpath();
  p.setBrush(withAlpha(palette::vermilion.darker(130), 0.95));
  p.drawPath(cloak);
  p.setBrush(ink);
  p.setPen(QPen(ink, std::max(1.0, 0.35 * u), Qt::SolidLine, Qt::RoundCap));
  switch (pose) {
    case 0: {  // glaive held upright, the long beard of the eldest
      const QPointF hand = foot + QPointF(2.4 * u, -6.0 * u);
      p.drawLine(foot + QPointF(1.4 * u, -7.2 * u), hand);
      p.drawLine(foot + QPointF(2.8 * u, 0.3 * u), foot + QPointF(2.8 * u, -11.8 * u));
      QPainterPath blade;
      blade.moveTo(foot + QPointF(2.8 * u, -11.6 * u));
      blade.quadTo(foot + QPointF(4.4 * u, -12.2 * u), foot + QPointF(3.6 * u, -14.0 * u));
      blade.lineTo(foot + QPointF(2.7 * u, -12.8 * u));
      blade.closeSubpath();
      p.setPen(Qt::NoPen);
      p.drawPath(blade);
      QPainterPath beard;
      beard.moveTo(foot + QPointF(-0.5 * u, -8.2 * u));
      beard.lineTo(foot + QPointF(0.5 * u, -8.2 * u));
      beard.lineTo(foot + QPointF(0.1 * u, -6.6 * u));
      beard.closeSubpath();
      p.drawPath(beard);
      break;
    }
    case 1: {  // serpent spear levelled forward
      p.drawLine(foot + QPointF(1.3 * u, -7.0 * u), foot + QPointF(2.5 * u, -5.6 * u));
      p.drawLine(foot + QPointF(-3.5 * u, -3.4 * u), foot + QPointF(6.5 * u, -8.6 * u));
      QPainterPath tip;
      tip.moveTo(foot + QPointF(6.3 * u, -8.5 * u));
      tip.cubicTo(foot + QPointF(6.9 * u, -8.0 * u), foot + QPointF(7.0 * u, -9.4 * u), foot + QPointF(8.2 * u, -9.4 * u));
      p.setBrush(Qt::NoBrush);
      p.drawPath(tip);
      break;
    }
    default: {  // twin swords raised
      for (int s : {-1, 1}) {
        const QPointF shoulder = foot + QPointF(s * 1.1 * u, -7.4 * u);
        const QPointF hand = foot + QPointF(s * 2.4 * u, -9.4 * u);
        p.drawLine(shoulder, hand);
        p.setPen(QPen(ink, std::max(0.8, 0.22 * u), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(hand, hand + QPointF(s * 1.2 * u, -3.0 * u));
        p.setPen(QPen(ink, std::max(1.0, 0.35 * u), Qt::SolidLine, Qt::RoundCap));
      }
      break;
    }
  }
}

void paintBanner(QPainter& p, QPointF foot, double h, const QString& text, Rng& rng) {
  p.setPen(QPen(palette::ink, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(foot, foot + QPointF(0, -h));
  QPainterPath flag;
  const QPointF top = foot + QPointF(0, -h + 2);
  flag.moveTo(top);
  flag.cubicTo(top + QPointF(10, -3), top + QPointF(18, 3), top + QPointF(26, -1));
  flag.lineTo(top + QPointF(25, 24));
  flag.cubicTo(top + QPointF(17, 27), top + QPointF(9, 21), top + QPointF(0, 24));
  flag.closeSubpath();
  p.setPen(QPen(palette::ink, 0.8));
  p.setBrush(QColor(0xB0, 0x3A, 0x2C));
  p.drawPath(flag);
  drawBrushText(p, QRectF(top + QPointF(3, 2), QSizeF(20, 20)), text, cjkFont(15, true), palette::paper, rng);
}

void paintBlossomBranch(QPainter& p, Rng& rng, QPointF from, QPointF to) {
  p.setPen(QPen(QColor(0x3A, 0x2A, 0x22), 2.4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath branch;
  branch.moveTo(from);
  branch.quadTo((from + to) / 2 + QPointF(0, 10), to);
  p.drawPath(branch);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 14; ++i) {
    const double t = rng.unit();
    const QPointF at = from + (to - from) * t + QPointF(rng.real(-6, 6), 10 * 4 * t * (1 - t) * 0.5 + rng.real(-6, 6));
    p.setBrush(withAlpha(QColor(0xE6, 0x9A, 0xA4), 0.9));
    p.drawEllipse(at, 2.6, 2.6);
    p.setBrush(withAlpha(QColor(0xB8, 0x3A, 0x4A), 0.9));
    p.drawEllipse(at, 0.9, 0.9);
  }
}

}  // namespace

QImage paintHeroesScene() {
  const int w = 240, h = 180;
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Rng rng(stableHash(QStringLiteral("桃園の英雄")));
  const QRectF r(0, 0, w, h);
  paintSkyAndSun(p, r, QColor(0xE8, 0xD0, 0xA8), QColor(0xEE, 0xC0, 0x86), QPointF(150, 86), 17);
  paintRange(p, ridgePath(rng, 0, w, 96, 22, h), withAlpha(QColor(0x8A, 0x72, 0x66), 0.55), 70, 140);
  paintRange(p, ridgePath(rng, 0, w, 118, 14, h), withAlpha(QColor(0x5A, 0x46, 0x3E), 0.7), 100, 160);
  paintBirds(p, rng, QRectF(40, 30, 90, 30), 4);
  // The hill the heroes stand on.
  QPainterPath hill;
  hill.moveTo(0, h);
  hill.lineTo(0, 150);
  hill.cubicTo(QPointF(50, 138), QPointF(80, 134), QPointF(120, 136));
  hill.cubicTo(QPointF(170, 138), QPointF(210, 148), QPointF(w, 146));
  hill.lineTo(w, h);
  hill.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2E, 0x26, 0x20));
  p.drawPath(hill);
  paintBanner(p, QPointF(52, 142), 66, QStringLiteral("漢"), rng);
  paintBanner(p, QPointF(196, 144), 58, QStringLiteral("義"), rng);
  const QColor ink(0x22, 0x1C, 0x18);
  paintHero(p, QPointF(120, 137), 46, 0, ink);
  paintHero(p, QPointF(88, 139), 40, 1, ink);
  paintHero(p, QPointF(154, 139), 41, 2, ink);
  paintBlossomBranch(p, rng, QPointF(-4, 6), QPointF(86, 24));
  paintBlossomBranch(p, rng, QPointF(w + 4, 10), QPointF(176, 30));
  // Frame.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(palette::ink, 3.0));
  p.drawRect(QRectF(1.5, 1.5, w - 3, h - 3));
  p.setPen(QPen(palette::gold.darker(130), 1.0));
  p.drawRect(QRectF(4.5, 4.5, w - 9, h - 9));
  drawSeal(p, QRectF(w - 26, h - 28, 18, 18), QStringLiteral("義"), rng);
  p.end();
  return img;
}

QImage toMonochrome(const QImage& image) {
  // Luminance with a slight lift, so the print looks faded rather than black.
  QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
  for (int y = 0; y < grey.height(); ++y) {
    uchar* line = grey.scanLine(y);
    for (int x = 0; x < grey.width(); ++x) line[x] = uchar(24 + line[x] * 215 / 255);
  }
  return grey;
}

QImage paintTitleSplash() {
  const int w = 640, h = 400;
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Rng rng(stableHash(QStringLiteral("鼎陣記・治世巻")));
  const QRectF r(0, 0, w, h);
  paintParchment(p, r, rng, 0.35);
  paintSkyAndSun(p, r, QColor(0xF0, 0xE6, 0xCC), QColor(0xE4, 0xD2, 0xAA), QPointF(498, 150), 26, 0.45);
  // Distant ranges fade into the mist.
  paintRange(p, ridgePath(rng, 0, w, 190, 70, h), withAlpha(QColor(0x7C, 0x86, 0x8A), 0.45), 120, 260);
  paintRange(p, ridgePath(rng, 0, w, 225, 55, h), withAlpha(QColor(0x56, 0x5E, 0x60), 0.55), 160, 290);
  paintBirds(p, rng, QRectF(360, 150, 120, 50), 5);
  // The hill of the fortress, left of centre.
  QPainterPath hill;
  hill.moveTo(40, h);
  hill.cubicTo(QPointF(70, 300), QPointF(130, 262), QPointF(215, 258));
  hill.cubicTo(QPointF(300, 262), QPointF(350, 300), QPointF(390, h));
  hill.closeSubpath();
  paintRange(p, hill, withAlpha(QColor(0x4A, 0x4C, 0x44), 0.85), 250, 380);
  paintMossDots(p, rng, hill, 60);
  paintFortress(p, 212, 268, 0.9);
  // The river winds from the foreground into the distance.
  QPainterPath river;
  river.moveTo(360, h);
  river.cubicTo(QPointF(420, 350), QPointF(560, 330), QPointF(520, 300));
  river.cubicTo(QPointF(490, 280), QPointF(420, 282), QPointF(452, 262));
  river.lineTo(462, 262);
  river.cubicTo(QPointF(440, 282), QPointF(520, 284), QPointF(552, 300));
  river.cubicTo(QPointF(600, 330), QPointF(520, 360), QPointF(540, h));
  river.closeSubpath();
  QLinearGradient water(QPointF(0, 262), QPointF(0, h));
  water.setColorAt(0, QColor(0xB8, 0xC4, 0xC0));
  water.setColorAt(1, QColor(0x8C, 0xA0, 0xA0));
  p.setPen(QPen(withAlpha(palette::inkWash, 0.6), 1.0));
  p.setBrush(water);
  p.drawPath(river);
  p.save();
  p.setClipPath(river);
  p.setPen(QPen(withAlpha(QColor(0xF4, 0xF0, 0xE4), 0.7), 1.0));
  for (int i = 0; i < 14; ++i) {
    const double y = 268 + i * 9.5;
    const double x = 400 + rng.real(-20, 120);
    p.drawLine(QPointF(x, y), QPointF(x + rng.real(10, 30) * (1 + i * 0.1), y));
  }
  p.restore();
  // A boat with a sail on the river.
  p.setPen(QPen(palette::ink, 1.0));
  p.setBrush(palette::ink);
  QPainterPath boat;
  boat.moveTo(486, 318);
  boat.quadTo(QPointF(500, 326), QPointF(516, 318));
  boat.closeSubpath();
  p.drawPath(boat);
  p.drawLine(QPointF(500, 320), QPointF(500, 298));
  p.setBrush(withAlpha(QColor(0xD8, 0xC8, 0xA8), 0.95));
  p.drawRect(QRectF(501, 300, 9, 14));
  // Foreground bank and rocks in dark ink, a pine on the right.
  QPainterPath bank;
  bank.moveTo(0, h);
  bank.lineTo(0, 340);
  bank.cubicTo(QPointF(60, 330), QPointF(110, 352), QPointF(170, 372));
  bank.cubicTo(QPointF(220, 388), QPointF(300, 392), QPointF(340, h));
  bank.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2E, 0x2C, 0x28));
  p.drawPath(bank);
  QPainterPath rightBank;
  rightBank.moveTo(w, h);
  rightBank.lineTo(w, 330);
  rightBank.cubicTo(QPointF(610, 332), QPointF(580, 360), QPointF(560, h));
  rightBank.closeSubpath();
  p.drawPath(rightBank);
  paintPine(p, rng, QPointF(606, 340), 130);
  // The title in brush letters, with its seal.
  Rng ink(stableHash(QStringLiteral("題字")));
  const QString title = QStringLiteral("鼎陣記・治世巻");
  paintTitleLetters(p, ink, QRectF(40, 24, 560, 96), title, 70);
  drawSeal(p, QRectF(560, 112, 34, 34), QStringLiteral("治世"), ink);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(palette::ink, 4.0));
  p.drawRect(QRectF(2, 2, w - 4, h - 4));
  p.setPen(QPen(palette::gold.darker(130), 1.2));
  p.drawRect(QRectF(7.5, 7.5, w - 15, h - 15));
  p.end();
  return img;
}

QImage paintProgramIcon() {
  const int s = 256;
  QImage img(s, s, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Rng rng(stableHash(QStringLiteral("鼎")));
  const QRectF seal(8, 8, s - 16, s - 16);
  QLinearGradient red(seal.topLeft(), seal.bottomRight());
  red.setColorAt(0, QColor(0xB8, 0x3C, 0x30));
  red.setColorAt(1, QColor(0x7A, 0x1E, 0x18));
  p.setPen(QPen(QColor(0x4A, 0x12, 0x0E), 4));
  p.setBrush(red);
  p.drawRoundedRect(seal, 34, 34);
  p.setPen(QPen(palette::paper, 6));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(seal.adjusted(16, 16, -16, -16), 20, 20);
  // Bronze cauldron: bowl, two ear handles and three legs.
  const QColor bronze(0xC8, 0x9C, 0x48), bronzeDark(0x7A, 0x5A, 0x24);
  QPainterPath bowl;
  bowl.moveTo(60, 104);
  bowl.lineTo(196, 104);
  bowl.cubicTo(QPointF(196, 170), QPointF(170, 186), QPointF(128, 186));
  bowl.cubicTo(QPointF(86, 186), QPointF(60, 170), QPointF(60, 104));
  bowl.closeSubpath();
  QLinearGradient metal(QPointF(60, 0), QPointF(196, 0));
  metal.setColorAt(0, bronzeDark);
  metal.setColorAt(0.4, bronze.lighter(115));
  metal.setColorAt(1, bronzeDark);
  QPen outline(QColor(0x2A, 0x1A, 0x10), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(outline);
  p.setBrush(metal);
  for (double x : {84.0, 128.0, 172.0}) {
    QPainterPath leg;
    leg.moveTo(x - 9, 176);
    leg.lineTo(x - 6, 216);
    leg.lineTo(x + 6, 216);
    leg.lineTo(x + 9, 176);
    leg.closeSubpath();
    p.drawPath(leg);
  }
  for (int side : {-1, 1}) {
    QPainterPath ear;
    const double x = 128 + side * 52;
    ear.addRoundedRect(QRectF(x - 14, 60, 28, 40), 6, 6);
    ear.addRoundedRect(QRectF(x - 6, 68, 12, 24), 3, 3);
    ear.setFillRule(Qt::OddEvenFill);
    p.drawPath(ear);
  }
  p.drawPath(bowl);
  p.setBrush(bronzeDark);
  p.drawRect(QRectF(54, 96, 148, 12));
  // The character cast on the belly.
  drawBrushText(p, QRectF(92, 110, 72, 66), QStringLiteral("鼎"), cjkFont(56, true), QColor(0x3A, 0x24, 0x12), rng);
  p.end();
  return img;
}
