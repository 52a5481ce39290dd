#pragma once

// Shared means of the picture generator: a seeded random source, the
// ink-and-parchment palette, paper, brush lettering and file output.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;
class QPainterPath;

// FNV-1a over the UTF-8 bytes: the same name gives the same face on every
// machine and every run (std::hash gives no such promise).
quint32 stableHash(const QString& text);

// Small xorshift source; all variation in a picture is drawn from one of these.
class Rng {
 public:
  explicit Rng(quint32 seed);
  quint32 next();
  double unit();                          // [0, 1)
  double real(double lo, double hi);      // [lo, hi)
  int range(int lo, int hi);              // lo..hi inclusive
  bool chance(double p) { return unit() < p; }

 private:
  quint64 state_;
};

namespace palette {
inline const QColor paper{0xEC, 0xE1, 0xC4};
inline const QColor paperShade{0xD9, 0xC8, 0xA0};
inline const QColor ink{0x2B, 0x21, 0x18};
inline const QColor inkWash{0x5A, 0x50, 0x46};
inline const QColor vermilion{0xA8, 0x32, 0x2A};
inline const QColor gold{0xB8, 0x93, 0x3E};
inline const QColor hairBlack{0x1E, 0x1A, 0x17};
}  // namespace palette

// Blends two colours; t = 0 gives a, t = 1 gives b.
QColor mix(const QColor& a, const QColor& b, double t);

// Moves a colour's hue and value a little, for per-person variety.
QColor vary(const QColor& c, Rng& rng, int hueSpread, int valueSpread);

// Old paper: a warm gradient with a few soft stains (large, smooth shapes keep
// JPEG files small).
void paintParchment(QPainter& p, const QRectF& area, Rng& rng, double stainStrength = 1.0);

// The CJK serif used for names and titles. Looks the font up once; returns
// false with a message when no CJK font can be found, so nothing is lettered in
// empty boxes.
bool loadCjkFont(QString* error);
QFont cjkFont(double pixelSize, bool bold = true);

// Letters `text` centred in `box` like brush writing: a soft bleed under the
// strokes, the strokes themselves, then dry-brush streaks through them.
void drawBrushText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                   const QColor& color, Rng& rng, bool vertical = false);

// A square red seal with one or two characters cut in white.
void drawSeal(QPainter& p, const QRectF& box, const QString& text, Rng& rng);

// JPEG bytes at `quality`, stepping the quality down (not below 60) until the
// file fits in `maxBytes` (0 = no limit). Returns empty bytes and sets `error`
// when it cannot.
QByteArray encodeJpeg(const QImage& image, int quality, int maxBytes, int* usedQuality, QString* error);
QByteArray encodePng(const QImage& image, QString* error);

// Replaces `path` in one step so a stopped run never leaves half a picture.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);
