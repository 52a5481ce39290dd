#include "ink.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

quint32 stableHash(const QString& text) {
  quint32 h = 2166136261u;
  for (char c : text.toUtf8()) {
    h ^= static_cast<quint8>(c);
    h *= 16777619u;
  }
  return h;
}

Rng::Rng(quint32 seed) : state_(0x9E3779B97F4A7C15ull ^ (quint64(seed) * 0xBF58476D1CE4E5B9ull)) {
  if (state_ == 0) state_ = 0x2545F4914F6CDD1Dull;
  for (int i = 0; i < 4; ++i) next();  // spread nearby seeds apart
}

quint32 Rng::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 7;
  state_ ^= state_ << 17;
  return quint32(state_ >> 16);
}

double Rng::unit() { return next() / 4294967296.0; }
double Rng::real(double lo, double hi) { return lo + (hi - lo) * unit(); }
int Rng::range(int lo, int hi) { return lo + int(unit() * (hi - lo + 1)); }

QColor mix(const QColor& a, const QColor& b, double t) {
  auto m = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                m(a.alpha(), b.alpha()));
}

QColor vary(const QColor& c, Rng& rng, int hueSpread, int valueSpread) {
  int h, s, v, a;
  c.getHsv(&h, &s, &v, &a);
  if (h >= 0) h = (h + rng.range(-hueSpread, hueSpread) + 360) % 360;
  v = std::clamp(v + rng.range(-valueSpread, valueSpread), 0, 255);
  return QColor::fromHsv(h < 0 ? 0 : h, s, v, a);
}

void paintParchment(QPainter& p, const QRectF& area, Rng& rng, double stainStrength) {
  p.save();
  QLinearGradient g(area.topLeft(), area.bottomRight());
  g.setColorAt(0, mix(palette::paper, QColor(0xF3, 0xEA, 0xD2), 0.5));
  g.setColorAt(1, mix(palette::paper, palette::paperShade, 0.55));
  p.fillRect(area, g);
  p.setPen(Qt::NoPen);
  const int stains = 3 + rng.range(0, 2);
  for (int i = 0; i < stains; ++i) {
    const QPointF c(area.left() + rng.unit() * area.width(), area.top() + rng.unit() * area.height());
    const double r = std::max(area.width(), area.height()) * rng.real(0.25, 0.6);
    QRadialGradient rg(c, r);
    QColor s = palette::paperShade.darker(108);
    s.setAlphaF(0.22 * stainStrength);
    rg.setColorAt(0, s);
    s.setAlphaF(0);
    rg.setColorAt(1, s);
    p.setBrush(rg);
    p.drawEllipse(c, r, r);
  }
  // Darkened edges, as paper ages from the rim inwards.
  QRadialGradient vign(area.center(), std::hypot(area.width(), area.height()) * 0.62);
  vign.setColorAt(0.6, QColor(0, 0, 0, 0));
  vign.setColorAt(1.0, QColor(0x6B, 0x4E, 0x2A, int(70 * stainStrength)));
  p.setBrush(vign);
  p.drawRect(area);
  p.restore();
}

namespace {
QString g_cjkFamily;
}

bool loadCjkFont(QString* error) {
  if (!g_cjkFamily.isEmpty()) return true;
  const QStringList wanted = {QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("Noto Sans CJK JP")};
  QStringList families = QFontDatabase::families();
  for (const QString& w : wanted)
    if (families.contains(w)) { g_cjkFamily = w; return true; }
  // Without a font configuration the files can still be added by hand.
  const QStringList files = {QStringLiteral("/usr/share/fonts/opentype/noto/NotoSerifCJK-Bold.ttc"),
                             QStringLiteral("/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc")};
  for (const QString& f : files) {
    const int id = QFontDatabase::addApplicationFont(f);
    if (id < 0) continue;
    const QStringList fams = QFontDatabase::applicationFontFamilies(id);
    for (const QString& w : wanted)
      if (fams.contains(w)) { g_cjkFamily = w; return true; }
    if (!fams.isEmpty()) { g_cjkFamily = fams.first(); return true; }
  }
  if (error)
    *error = QStringLiteral("no CJK font found (looked for Noto Serif CJK JP; install fonts-noto-cjk)");
  return false;
}

QFont cjkFont(double pixelSize, bool bold) {
  QFont f(g_cjkFamily);
  f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
  f.setWeight(bold ? QFont::Black : QFont::Normal);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

namespace {

QPainterPath textPath(const QRectF& box, const QString& text, const QFont& font, bool vertical) {
  QPainterPath path;
  const QFontMetricsF fm(font);
  if (!vertical) {
    path.addText(0, 0, font, text);
  } else {
    double y = 0;
    for (const QChar c : text) {
      const QString s(c);
      path.addText(-fm.horizontalAdvance(s) / 2, y, font, s);
      y += fm.height() * 0.92;
    }
  }
  const QRectF b = path.boundingRect();
  path.translate(box.center() - b.center());
  return path;
}

}  // namespace

void drawBrushText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                   const QColor& color, Rng& rng, bool vertical) {
  const QPainterPath path = textPath(box, text, font, vertical);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  // Bleed: the ink spreads a little into the paper around each stroke.
  QColor bleed = color;
  bleed.setAlphaF(0.18);
  p.setPen(QPen(bleed, std::max(1.0, font.pixelSize() * 0.06), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 2; ++i) {
    QColor c = color;
    c.setAlphaF(0.35);
    p.setBrush(c);
    p.drawPath(path.translated(rng.real(-0.6, 0.6), rng.real(-0.6, 0.6)));
  }
  p.setBrush(color);
  p.drawPath(path);
  // Dry brush: a few fine streaks of paper across the heavier strokes.
  if (font.pixelSize() >= 28) {
    p.setClipPath(path);
    const QRectF b = path.boundingRect();
    QColor streak = palette::paper;
    const int lines = int(b.height() / 5);
    for (int i = 0; i < lines; ++i) {
      streak.setAlphaF(rng.real(0.10, 0.30));
      p.setPen(QPen(streak, rng.real(0.6, 1.4)));
      const double y = b.top() + rng.unit() * b.height();
      const double x0 = b.left() + rng.unit() * b.width() * 0.6;
      p.drawLine(QPointF(x0, y), QPointF(x0 + rng.real(0.2, 0.5) * b.width(), y + rng.real(-2, 2)));
    }
  }
  p.restore();
}

void drawSeal(QPainter& p, const QRectF& box, const QString& text, Rng& rng) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QColor red = palette::vermilion;
  red.setAlphaF(0.88);
  p.setPen(Qt::NoPen);
  p.setBrush(red);
  p.drawRoundedRect(box, box.width() * 0.08, box.width() * 0.08);
  QColor cut = palette::paper;
  p.setPen(QPen(cut, std::max(0.8, box.width() * 0.06)));
  p.setBrush(Qt::NoBrush);
  const double in = box.width() * 0.1;
  p.drawRect(box.adjusted(in, in, -in, -in));
  const double size = text.size() > 1 ? box.height() * 0.36 : box.height() * 0.62;
  QFont f = cjkFont(size, true);
  drawBrushText(p, box.adjusted(in, in, -in, -in), text, f, cut, rng, text.size() > 1);
  p.restore();
}

QByteArray encodeJpeg(const QImage& image, int quality, int maxBytes, int* usedQuality, QString* error) {
  const QImage rgb = image.format() == QImage::Format_Grayscale8 ? image : image.convertToFormat(QImage::Format_RGB888);
  for (int q = quality;; q -= 5) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImageWriter w(&buf, "jpeg");
    w.setQuality(q);
    w.setOptimizedWrite(true);
    if (!w.write(rgb)) {
      if (error) *error = QStringLiteral("JPEG encoding failed: %1").arg(w.errorString());
      return {};
    }
    if (maxBytes <= 0 || bytes.size() <= maxBytes) {
      if (usedQuality) *usedQuality = q;
      return bytes;
    }
    if (q - 5 < 60) {
      if (error)
        *error = QStringLiteral("picture needs %1 bytes at quality %2, more than the %3 allowed")
                     .arg(bytes.size()).arg(q).arg(maxBytes);
      return {};
    }
  }
}

QByteArray encodePng(const QImage& image, QString* error) {
  QByteArray bytes;
  QBuffer buf(&bytes);
  buf.open(QIODevice::WriteOnly);
  QImageWriter w(&buf, "png");
  w.setQuality(0);  // for PNG, quality 0 is the strongest compression
  if (!w.write(image)) {
    if (error) *error = QStringLiteral("PNG encoding failed: %1").arg(w.errorString());
    return {};
  }
  return bytes;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
    if (error) *error = QStringLiteral("%1: cannot be written (%2)").arg(path, f.errorString());
    return false;
  }
  return true;
}
