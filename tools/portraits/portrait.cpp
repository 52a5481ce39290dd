#include "portrait.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

#include "ink.h"

namespace {

constexpr int kSoldier = -1;  // job code of the nameless foot soldier

enum Job { None = 0, Civil = 1, Officer = 2, Adviser = 3, General = 4, Lord = 5, Strategist = 6 };

const QRectF kWindow(7, 7, 106, 112);
const QRectF kPlate(7, 123, 106, 21);
constexpr double cx = 60.0;

// Everything about one face, drawn once from the name so every part agrees.
struct Traits {
  int job = 0;
  int age = 1;  // 0 young, 1 grown, 2 old
  double hy = 63, hw = 18, hh = 46;  // head centre y, half width, height
  double chin = 8;                    // half width of the chin: small is pointed, large square
  QColor skin, hair, robe, trim, tint;
  int eyeStyle = 0;
  double eyeSlant = 0.1, eyeGap = 8.5, eyeY = 62;
  double browWidth = 2.2, browSlant = 0.2, browLift = 6.5;
  int mouthMood = 0;  // -1 stern, 0 plain, 1 mild
  int beard = 0;
  int gear = 0;       // headgear variant within the job
  int helmet = 0;     // 0 plumed dome, 1 feathers or tall spike, 2 winged
  QColor plume, metal, cape;

  double top() const { return hy - hh * 0.55; }
  double hairline() const { return hy - hh * 0.20; }
  double chinY() const { return hy + hh * 0.5; }
};

QColor withAlpha(QColor c, double a) {
  c.setAlphaF(a);
  return c;
}

int weighted(Rng& rng, std::initializer_list<int> weights) {
  int total = 0;
  for (int w : weights) total += w;
  int roll = rng.range(0, total - 1), i = 0;
  for (int w : weights) {
    if (roll < w) return i;
    roll -= w;
    ++i;
  }
  return 0;
}

Traits drawTraits(int job, Rng& rng, const PortraitLook& look) {
  Traits t;
  t.job = job;
  switch (job) {
    case Lord: t.age = weighted(rng, {2, 5, 3}); break;
    case Civil: t.age = weighted(rng, {2, 4, 4}); break;
    case Strategist:
    case Adviser: t.age = weighted(rng, {3, 5, 2}); break;
    case kSoldier: t.age = 0; break;
    default: t.age = weighted(rng, {4, 5, 1}); break;
  }
  t.hy = 63 + rng.range(-2, 2);
  t.hw = rng.real(16.5, 19.5);
  t.hh = rng.real(43, 48);
  t.chin = rng.real(3.5, 11);
  t.skin = vary(QColor(0xE8, 0xC8, 0x9E), rng, 4, 14);
  if (job == Officer || job == General) t.skin = t.skin.darker(104);
  t.hair = t.age == 2 ? QColor(0x8A, 0x86, 0x80) : palette::hairBlack;
  if (t.age == 1 && rng.chance(0.15)) t.hair = QColor(0x4A, 0x44, 0x40);

  const bool martial = job == Officer || job == General || job == kSoldier;
  t.eyeStyle = martial ? weighted(rng, {3, 3, 4}) : weighted(rng, {6, 4, 1});
  t.eyeSlant = martial ? rng.real(0.12, 0.38) : rng.real(-0.08, 0.22);
  t.eyeGap = rng.real(7.6, 9.4);
  t.eyeY = t.hy - 1 + rng.range(-1, 1);
  t.browWidth = martial ? rng.real(2.4, 3.6) : rng.real(1.4, 2.5);
  t.browSlant = martial ? rng.real(0.25, 0.55) : rng.real(-0.05, 0.3);
  t.browLift = rng.real(5.5, 7.5);
  t.mouthMood = martial ? weighted(rng, {5, 4, 1}) - 1 : weighted(rng, {2, 5, 3}) - 1;

  if (look.beard >= 0) t.beard = look.beard;
  else if (job == kSoldier) t.beard = 0;
  else if (t.age == 0) t.beard = weighted(rng, {6, 3, 1, 0, 0, 0});
  else if (martial) t.beard = weighted(rng, {1, 2, 2, 2, 2, 3});
  else if (job == Lord) t.beard = weighted(rng, {0, 2, 3, 3, 2, 1});
  else t.beard = weighted(rng, {1, 3, 3, 3, 1, 0});

  // Dress by post: muted dyes, as on old silk.
  QColor base;
  switch (job) {
    case Civil: {
      const QColor dyes[] = {QColor(0x3E, 0x5A, 0x78), QColor(0x2F, 0x48, 0x5E), QColor(0x4E, 0x5E, 0x3E),
                             QColor(0x6A, 0x4E, 0x3A), QColor(0x5A, 0x5A, 0x6A)};
      base = dyes[rng.range(0, 4)];
      t.trim = QColor(0x22, 0x2A, 0x36);
      break;
    }
    case Officer: {
      const QColor dyes[] = {QColor(0x5C, 0x5A, 0x3A), QColor(0x6A, 0x3A, 0x2E), QColor(0x3E, 0x4A, 0x56)};
      base = dyes[rng.range(0, 2)];
      t.trim = QColor(0x3A, 0x30, 0x24);
      break;
    }
    case Adviser: {
      const QColor dyes[] = {QColor(0x4A, 0x6A, 0x66), QColor(0x55, 0x60, 0x6A), QColor(0x5E, 0x54, 0x40),
                             QColor(0x3E, 0x4E, 0x5E)};
      base = dyes[rng.range(0, 3)];
      t.trim = QColor(0x26, 0x32, 0x30);
      break;
    }
    case General: base = QColor(0x7A, 0x2E, 0x24); t.trim = palette::gold; break;
    case Lord: base = rng.chance(0.5) ? QColor(0x6A, 0x22, 0x30) : QColor(0x36, 0x30, 0x5C); t.trim = palette::gold; break;
    case Strategist: base = QColor(0xDA, 0xD5, 0xC6); t.trim = QColor(0x2E, 0x2C, 0x2A); break;
    case kSoldier: base = QColor(0x6E, 0x58, 0x3E); t.trim = QColor(0x3C, 0x2E, 0x22); break;
    default: base = QColor(0x7A, 0x6A, 0x52); t.trim = QColor(0x44, 0x38, 0x2C); break;
  }
  t.robe = vary(base, rng, 8, 14);
  t.tint = mix(palette::paper, base, job == Strategist ? 0.1 : 0.22);
  t.gear = rng.range(0, 1);
  t.helmet = rng.range(0, 2);
  const QColor metals[] = {QColor(0x58, 0x54, 0x4E), QColor(0x7A, 0x64, 0x44), QColor(0x3A, 0x36, 0x32),
                           QColor(0x7A, 0x3A, 0x2E)};
  t.metal = job == kSoldier ? QColor(0x6A, 0x55, 0x3C) : metals[rng.range(0, job == General ? 3 : 2)];
  const QColor capes[] = {QColor(0x8E, 0x22, 0x1C), QColor(0x2E, 0x3A, 0x5A), QColor(0x2A, 0x28, 0x26),
                          QColor(0x3E, 0x5A, 0x3E)};
  t.cape = capes[weighted(rng, {4, 2, 2, 1})];
  const int plume = rng.range(0, 5);
  t.plume = plume < 4 ? QColor(0xA8, 0x2E, 0x26) : plume == 4 ? QColor(0xEE, 0xE8, 0xDA) : QColor(0x2A, 0x26, 0x24);
  return t;
}

QPen inkPen(double w, QColor c = palette::ink) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// ---- background, body ----------------------------------------------------

void paintWindowGround(QPainter& p, const Traits& t, Rng& rng) {
  QLinearGradient g(kWindow.topLeft(), kWindow.bottomLeft());
  g.setColorAt(0, mix(palette::paper, t.tint, 0.35));
  g.setColorAt(1, t.tint);
  p.fillRect(kWindow, g);
  // A pale halo behind the head, like light on the scroll.
  QRadialGradient halo(QPointF(cx, t.hy - 4), 46);
  halo.setColorAt(0, withAlpha(QColor(0xFA, 0xF3, 0xE0), 0.75));
  halo.setColorAt(1, withAlpha(QColor(0xFA, 0xF3, 0xE0), 0.0));
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(QPointF(cx, t.hy - 4), 46, 46);
  // A faint distant ridge in wash.
  QPainterPath ridge;
  ridge.moveTo(kWindow.left(), 100);
  double x = kWindow.left();
  while (x < kWindow.right()) {
    const double nx = x + rng.real(12, 24);
    ridge.quadTo(QPointF((x + nx) / 2, 100 - rng.real(6, 18)), QPointF(nx, 100 - rng.real(0, 6)));
    x = nx;
  }
  ridge.lineTo(kWindow.right(), kWindow.bottom());
  ridge.lineTo(kWindow.left(), kWindow.bottom());
  ridge.closeSubpath();
  p.setBrush(withAlpha(palette::inkWash, 0.12));
  p.drawPath(ridge);
}

QPainterPath robePath() {
  QPainterPath robe;
  robe.moveTo(cx - 10, 92);
  robe.quadTo(cx - 30, 94, cx - 45, 106);
  robe.quadTo(cx - 54, 114, cx - 57, 125);
  robe.lineTo(cx + 57, 125);
  robe.quadTo(cx + 54, 114, cx + 45, 106);
  robe.quadTo(cx + 30, 94, cx + 10, 92);
  robe.closeSubpath();
  return robe;
}

void paintCape(QPainter& p, const Traits& t) {
  QPainterPath cape;
  cape.moveTo(cx - 26, 96);
  cape.quadTo(cx - 58, 100, cx - 60, 125);
  cape.lineTo(cx + 60, 125);
  cape.quadTo(cx + 58, 100, cx + 26, 96);
  cape.closeSubpath();
  p.setPen(inkPen(1.0));
  p.setBrush(t.cape);
  p.drawPath(cape);
}

void paintScales(QPainter& p, const QPainterPath& area, double top, const QColor& metal, bool gilded) {
  p.save();
  p.setClipPath(area, Qt::IntersectClip);
  p.setPen(inkPen(0.7, metal.darker(160)));
  int row = 0;
  for (double y = top; y < 124; y += 4.5, ++row) {
    const double off = (row % 2) * 3.0;
    for (double x = cx - 60 + off; x < cx + 60; x += 6.0) {
      p.setBrush(row % 2 ? metal : metal.lighter(112));
      p.drawRoundedRect(QRectF(x, y, 6.0, 5.5), 2.5, 2.5);
    }
  }
  if (gilded) {
    p.setPen(inkPen(1.4, palette::gold));
    for (double y = top + 9; y < 124; y += 9) p.drawLine(QPointF(cx - 60, y), QPointF(cx + 60, y));
  }
  p.restore();
}

void paintBody(QPainter& p, const Traits& t) {
  const bool armoured = t.job == Officer || t.job == General;
  if (t.job == General) paintCape(p, t);
  const QPainterPath robe = robePath();
  p.setPen(inkPen(1.2));
  p.setBrush(t.robe);
  p.drawPath(robe);
  // Fold lines of the cloth.
  p.setPen(inkPen(0.8, withAlpha(palette::ink, 0.45)));
  p.drawLine(QPointF(cx - 34, 104), QPointF(cx - 40, 122));
  p.drawLine(QPointF(cx + 34, 104), QPointF(cx + 41, 122));

  if (armoured || t.job == kSoldier) {
    const QColor metal = t.metal;
    QPainterPath chest;
    chest.addRect(QRectF(cx - 30, 100, 60, 26));
    paintScales(p, robe.intersected(chest), 101, metal, t.job == General);
    // Shoulder guards.
    for (int s : {-1, 1}) {
      QPainterPath guard;
      guard.moveTo(cx + s * 24, 97);
      guard.quadTo(cx + s * 44, 96, cx + s * 52, 112);
      guard.lineTo(cx + s * 36, 116);
      guard.quadTo(cx + s * 32, 104, cx + s * 24, 101);
      guard.closeSubpath();
      p.setPen(inkPen(1.0));
      p.setBrush(metal.lighter(110));
      p.drawPath(guard);
      paintScales(p, guard, 97, metal.lighter(105), false);
      if (t.job == General) {
        p.setPen(inkPen(1.3, palette::gold));
        p.setBrush(Qt::NoBrush);
        p.drawPath(guard);
      }
    }
    // Gorget round the neck.
    p.setPen(inkPen(1.0));
    p.setBrush(t.job == General ? palette::gold.darker(115) : metal.darker(110));
    p.drawRoundedRect(QRectF(cx - 15, 91, 30, 8), 4, 4);
    if (t.job == General) {  // a bronze mirror guards the heart
      p.setBrush(palette::gold);
      p.drawEllipse(QPointF(cx, 110), 5.5, 5.5);
      p.setBrush(Qt::NoBrush);
      p.setPen(inkPen(0.7, palette::gold.darker(170)));
      p.drawEllipse(QPointF(cx, 110), 3.2, 3.2);
    }
    return;
  }
  // Crossed collar, left over right, with the white under-collar showing.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0xF2, 0xEC, 0xDC), 7, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(cx - 9, 92), QPointF(cx + 3, 108));
  p.setPen(QPen(t.trim, 5.5, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(cx + 10, 92), QPointF(cx - 14, 121));
  p.setPen(inkPen(0.9));
  p.drawLine(QPointF(cx + 13, 93), QPointF(cx - 10, 121));
  p.drawLine(QPointF(cx + 7, 91), QPointF(cx - 17, 120));
  if (t.job == Lord) {  // a gold roundel of rank on the breast
    p.setBrush(withAlpha(palette::gold, 0.85));
    p.setPen(inkPen(0.8));
    p.drawEllipse(QPointF(cx + 24, 112), 6, 6);
    p.drawEllipse(QPointF(cx - 26, 112), 6, 6);
  }
}

// ---- head ----------------------------------------------------------------

QPainterPath facePath(const Traits& t) {
  QPainterPath face;
  const double l = cx - t.hw, r = cx + t.hw, y = t.hy;
  face.moveTo(l, y);
  face.arcTo(QRectF(l, t.top(), 2 * t.hw, t.hh * 1.1), 180, -180);
  face.cubicTo(QPointF(r, y + t.hh * 0.28), QPointF(cx + t.chin, t.chinY()), QPointF(cx, t.chinY()));
  face.cubicTo(QPointF(cx - t.chin, t.chinY()), QPointF(l, y + t.hh * 0.28), QPointF(l, y));
  face.closeSubpath();
  return face;
}

void paintNeckAndEars(QPainter& p, const Traits& t) {
  p.setPen(inkPen(1.0));
  p.setBrush(t.skin.darker(108));
  p.drawRect(QRectF(cx - 7.5, t.hy + t.hh * 0.25, 15, 94 - (t.hy + t.hh * 0.25)));
  p.setBrush(t.skin);
  for (int s : {-1, 1}) p.drawEllipse(QPointF(cx + s * (t.hw + 0.5), t.hy + 1), 3.8, 6);
}

void paintFace(QPainter& p, const Traits& t) {
  const QPainterPath face = facePath(t);
  QRadialGradient shade(QPointF(cx - 4, t.hy - 6), t.hh * 0.75);
  shade.setColorAt(0, t.skin.lighter(106));
  shade.setColorAt(1, t.skin.darker(110));
  p.setPen(inkPen(1.2));
  p.setBrush(shade);
  p.drawPath(face);
  // Faint warmth on the cheeks.
  p.setPen(Qt::NoPen);
  for (int s : {-1, 1}) {
    QRadialGradient blush(QPointF(cx + s * 11, t.eyeY + 8), 6);
    blush.setColorAt(0, withAlpha(QColor(0xC8, 0x6A, 0x50), 0.16));
    blush.setColorAt(1, withAlpha(QColor(0xC8, 0x6A, 0x50), 0.0));
    p.setBrush(blush);
    p.drawEllipse(QPointF(cx + s * 11, t.eyeY + 8), 6, 6);
  }
}

void paintHair(QPainter& p, const Traits& t) {
  QPainterPath hair;
  const double l = cx - t.hw - 1.2, r = cx + t.hw + 1.2;
  hair.moveTo(l, t.hy + 2);
  hair.arcTo(QRectF(l, t.top() - 1.5, r - l, t.hh * 1.1), 180, -180);
  hair.lineTo(r, t.hy + 2);
  hair.quadTo(QPointF(r - 2, t.hairline() + 1), QPointF(cx + t.hw * 0.55, t.hairline()));
  hair.quadTo(QPointF(cx, t.hairline() - 3), QPointF(cx - t.hw * 0.55, t.hairline()));
  hair.quadTo(QPointF(l + 2, t.hairline() + 1), QPointF(l, t.hy + 2));
  hair.closeSubpath();
  p.setPen(inkPen(1.0));
  p.setBrush(t.hair);
  p.drawPath(hair);
}

void paintEyes(QPainter& p, const Traits& t) {
  for (int s : {-1, 1}) {
    p.save();
    p.translate(cx + s * t.eyeGap, t.eyeY);
    p.rotate(-s * t.eyeSlant * 57.2958);
    const QColor white(0xF6, 0xF0, 0xE2);
    switch (t.eyeStyle) {
      case 0: {  // almond
        QPainterPath eye;
        eye.moveTo(-4.6, 0.3);
        eye.cubicTo(-2.5, -2.8, 2.5, -2.8, 4.6, 0);
        eye.cubicTo(2.5, 1.8, -2.5, 1.8, -4.6, 0.3);
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        p.drawPath(eye);
        p.setBrush(palette::hairBlack);
        p.drawEllipse(QPointF(-s * 0.3, -0.3), 1.7, 1.7);
        p.setPen(inkPen(1.4));
        p.setBrush(Qt::NoBrush);
        QPainterPath lid;
        lid.moveTo(-4.8, 0.4);
        lid.cubicTo(-2.5, -3.0, 2.5, -3.0, 4.9, 0);
        p.drawPath(lid);
        break;
      }
      case 1: {  // narrow and stern
        p.setPen(Qt::NoPen);
        p.setBrush(palette::hairBlack);
        p.drawEllipse(QPointF(-s * 0.3, 0.2), 1.5, 1.1);
        p.setPen(inkPen(1.9));
        p.drawLine(QPointF(-4.8, 0.0), QPointF(4.6, -0.8));
        p.setPen(inkPen(0.7, withAlpha(palette::ink, 0.6)));
        p.drawLine(QPointF(-3.0, 1.5), QPointF(3.0, 1.3));
        break;
      }
      default: {  // wide and glaring
        p.setPen(inkPen(0.9));
        p.setBrush(white);
        p.drawEllipse(QPointF(0, 0), 4.2, 2.6);
        p.setPen(Qt::NoPen);
        p.setBrush(palette::hairBlack);
        p.drawEllipse(QPointF(0, -0.2), 1.9, 1.9);
        p.setPen(inkPen(1.6));
        p.drawLine(QPointF(-4.6, -1.2), QPointF(4.6, -2.4));
        break;
      }
    }
    p.restore();
  }
  // Brows: heavy at the inner end, thinning outwards.
  for (int s : {-1, 1}) {
    p.save();
    p.translate(cx + s * (t.eyeGap + 0.5), t.eyeY - t.browLift);
    p.rotate(-s * t.browSlant * 57.2958);
    QPainterPath brow;
    brow.moveTo(-s * 5.0, t.browWidth * 0.5);
    brow.quadTo(QPointF(0, -t.browWidth * 0.9), QPointF(s * 5.5, -0.4));
    brow.quadTo(QPointF(0, t.browWidth * 0.2), QPointF(-s * 5.0, -t.browWidth * 0.5));
    brow.closeSubpath();
    p.setPen(inkPen(0.6, t.hair));
    p.setBrush(t.hair);
    p.drawPath(brow);
    p.restore();
  }
}

void paintNoseMouth(QPainter& p, const Traits& t) {
  const double y = t.eyeY;
  QPainterPath nose;
  nose.moveTo(cx - 0.5, y + 2);
  nose.quadTo(QPointF(cx - 3.2, y + 9), QPointF(cx - 2.6, y + 11));
  nose.quadTo(QPointF(cx, y + 12.6), QPointF(cx + 3, y + 11));
  p.setPen(inkPen(1.1, palette::inkWash));
  p.setBrush(Qt::NoBrush);
  p.drawPath(nose);
  if (t.age == 2) {
    p.setPen(inkPen(0.8, withAlpha(palette::inkWash, 0.7)));
    for (int s : {-1, 1}) p.drawLine(QPointF(cx + s * 5, y + 10.5), QPointF(cx + s * 7.5, y + 17.5));
    p.drawLine(QPointF(cx - 6, t.hairline() + 3.5), QPointF(cx + 6, t.hairline() + 3.5));
  }
  const double my = y + 16.5, mw = 4.2;
  QPainterPath mouth;
  mouth.moveTo(cx - mw, my + (t.mouthMood < 0 ? 0.8 : t.mouthMood > 0 ? -0.6 : 0));
  mouth.quadTo(QPointF(cx, my + (t.mouthMood > 0 ? 1.4 : -0.4)),
               QPointF(cx + mw, my + (t.mouthMood < 0 ? 0.8 : t.mouthMood > 0 ? -0.6 : 0)));
  p.setPen(inkPen(1.3, QColor(0x6A, 0x2E, 0x24)));
  p.drawPath(mouth);
}

void paintMoustache(QPainter& p, const Traits& t, double width) {
  const double y = t.eyeY + 13.6;
  p.setPen(inkPen(width, t.hair));
  p.setBrush(Qt::NoBrush);
  for (int s : {-1, 1}) {
    QPainterPath m;
    m.moveTo(cx + s * 1.0, y);
    m.quadTo(QPointF(cx + s * 6, y - 0.6), QPointF(cx + s * 8.5, y + 5));
    p.drawPath(m);
  }
}

void paintBeard(QPainter& p, const Traits& t, Rng& rng) {
  const double cy = t.chinY();
  switch (t.beard) {
    case 0: return;
    case 1: paintMoustache(p, t, 1.3); return;
    case 2: {
      paintMoustache(p, t, 1.8);
      QPainterPath tuft;
      tuft.moveTo(cx - 3.5, cy - 2.5);
      tuft.quadTo(QPointF(cx, cy - 0.5), QPointF(cx + 3.5, cy - 2.5));
      tuft.lineTo(cx + rng.real(-1, 1), cy + 7);
      tuft.closeSubpath();
      p.setPen(inkPen(0.7, t.hair));
      p.setBrush(t.hair);
      p.drawPath(tuft);
      return;
    }
    case 3:
    case 4: {
      const bool flowing = t.beard == 4;
      const double len = flowing ? rng.real(28, 36) : rng.real(14, 20);
      const double side = flowing ? t.hw - 1.5 : 7.0;
      const double start = flowing ? t.hy + 5 : t.eyeY + 19.5;
      QPainterPath beard;
      beard.moveTo(cx - side, start);
      beard.cubicTo(QPointF(cx - side, cy), QPointF(cx - 8, cy + len * 0.5), QPointF(cx + rng.real(-2, 2), cy + len));
      beard.cubicTo(QPointF(cx + 8, cy + len * 0.5), QPointF(cx + side, cy), QPointF(cx + side, start));
      // Keep the lips clear: the top edge passes below the mouth.
      beard.quadTo(QPointF(cx + 5, t.eyeY + 17), QPointF(cx, t.eyeY + 19.5));
      beard.quadTo(QPointF(cx - 5, t.eyeY + 17), QPointF(cx - side, start));
      beard.closeSubpath();
      p.setPen(inkPen(0.8));
      p.setBrush(t.hair);
      p.drawPath(beard);
      p.save();
      p.setClipPath(beard, Qt::IntersectClip);
      p.setPen(inkPen(0.7, t.hair.lighter(t.age == 2 ? 125 : 260)));
      for (int i = 0; i < 7; ++i) {
        const double x = cx + rng.real(-side * 0.8, side * 0.8);
        p.drawLine(QPointF(x, cy - 4 + rng.real(0, 6)), QPointF(x * 0.85 + cx * 0.15, cy + len * rng.real(0.5, 0.9)));
      }
      p.restore();
      paintMoustache(p, t, 2.0);
      return;
    }
    default: {  // bristling whiskers round the jaw
      p.setPen(inkPen(1.1, t.hair));
      for (int i = 0; i < 26; ++i) {
        const double a = 0.15 + i * (3.14159 - 0.3) / 25.0;
        const double rx = t.hw * 0.96, ry = t.hh * 0.5;
        const QPointF base(cx + std::cos(a) * rx, t.hy + std::sin(a) * ry * 0.98);
        const double len = rng.real(3.5, 7.0);
        p.drawLine(base, base + QPointF(std::cos(a) * len * 0.7, std::sin(a) * len));
      }
      paintMoustache(p, t, 2.4);
      return;
    }
  }
}

// ---- headgear --------------------------------------------------------------

void paintTopknot(QPainter& p, const Traits& t, const QColor& wrap) {
  p.setPen(inkPen(1.0));
  p.setBrush(wrap);
  p.drawEllipse(QPointF(cx, t.top() - 2.5), 6.5, 5.5);
}

// The cap's strings run down behind the cheeks and show only along the jaw,
// so they are painted before the face.
void paintCapStrings(QPainter& p, const Traits& t) {
  p.setPen(inkPen(1.0, QColor(0x7A, 0x2A, 0x22)));
  for (int s : {-1, 1})
    p.drawLine(QPointF(cx + s * (t.hw + 0.8), t.hairline() + 6), QPointF(cx + s * 3, t.chinY() + 1.8));
}

void paintScholarCap(QPainter& p, const Traits& t) {
  const QColor black(0x22, 0x20, 0x1E);
  // The rising back plate, leaning backwards; one to three ridges show the rank.
  QPainterPath plate;
  plate.moveTo(cx - 13, t.top() + 4);
  plate.lineTo(cx - 6, t.top() - 19);
  plate.quadTo(QPointF(cx + 6, t.top() - 23), QPointF(cx + 15, t.top() - 14));
  plate.lineTo(cx + 12, t.top() + 4);
  plate.closeSubpath();
  p.setPen(inkPen(1.0));
  p.setBrush(black);
  p.drawPath(plate);
  p.setPen(inkPen(1.0, QColor(0x6A, 0x66, 0x60)));
  const int ridges = 1 + t.gear + (t.age == 2 ? 1 : 0);
  for (int i = 0; i < ridges; ++i) {
    const double dx = (i - (ridges - 1) / 2.0) * 6;
    p.drawLine(QPointF(cx - 2 + dx, t.top() + 2), QPointF(cx + 2 + dx * 1.1, t.top() - 17));
  }
  // Head band.
  QPainterPath band;
  band.moveTo(cx - t.hw - 1.5, t.hairline() + 3);
  band.quadTo(QPointF(cx - t.hw - 2, t.top() - 2), QPointF(cx, t.top() - 3));
  band.quadTo(QPointF(cx + t.hw + 2, t.top() - 2), QPointF(cx + t.hw + 1.5, t.hairline() + 3));
  band.quadTo(QPointF(cx, t.hairline() - 2), QPointF(cx - t.hw - 1.5, t.hairline() + 3));
  band.closeSubpath();
  p.setPen(inkPen(1.0));
  p.setBrush(black);
  p.drawPath(band);
  // Hairpin through the cap.
  p.setPen(inkPen(1.6, palette::gold));
  p.drawLine(QPointF(cx - t.hw - 7, t.top() + 1), QPointF(cx + t.hw + 7, t.top() - 1));
}

void paintCrown(QPainter& p, const Traits& t) {
  if (t.gear == 0) {
    // Mortarboard crown with strings of beads hanging before the brow.
    const QColor black(0x1E, 0x1C, 0x1C);
    p.setPen(inkPen(1.0));
    p.setBrush(black);
    p.drawRoundedRect(QRectF(cx - t.hw + 2, t.top() - 12, 2 * t.hw - 4, t.hairline() - t.top() + 14), 3, 3);
    QPainterPath board;
    board.moveTo(cx - 31, t.top() - 12);
    board.lineTo(cx + 29, t.top() - 15);
    board.lineTo(cx + 31, t.top() - 9);
    board.lineTo(cx - 29, t.top() - 6);
    board.closeSubpath();
    p.drawPath(board);
    p.setPen(inkPen(1.2, palette::vermilion));
    p.drawLine(QPointF(cx - 29, t.top() - 6), QPointF(cx + 31, t.top() - 9));
    p.setPen(inkPen(2.0, palette::gold));
    p.drawLine(QPointF(cx - t.hw - 8, t.top() - 1), QPointF(cx + t.hw + 8, t.top() - 2));
    const QColor beads[3] = {QColor(0x4E, 0x8A, 0x6A), palette::vermilion, palette::gold};
    for (int i = 0; i < 9; ++i) {
      const double x = cx - 27 + i * 6.6;
      const double y0 = t.top() - 7 - (x - cx) * 0.05;
      const double y1 = (std::abs(x - cx) < t.hw) ? t.hairline() - 1 : t.hy - 4;
      p.setPen(inkPen(0.6));
      p.drawLine(QPointF(x, y0), QPointF(x, y1));
      p.setPen(Qt::NoPen);
      int k = i;
      for (double y = y0 + 3; y <= y1; y += 3.6, ++k) {
        p.setBrush(beads[k % 3]);
        p.drawEllipse(QPointF(x, y), 1.3, 1.3);
      }
    }
    return;
  }
  // Tall cap of rank with a gilded front rising like a hill.
  QPainterPath cap;
  cap.moveTo(cx - t.hw - 1, t.hairline() + 3);
  cap.lineTo(cx - t.hw + 1, t.top() - 6);
  cap.quadTo(QPointF(cx - 4, t.top() - 26), QPointF(cx + 13, t.top() - 22));
  cap.quadTo(QPointF(cx + t.hw + 2, t.top() - 12), QPointF(cx + t.hw + 1, t.hairline() + 3));
  cap.quadTo(QPointF(cx, t.hairline() - 2), QPointF(cx - t.hw - 1, t.hairline() + 3));
  cap.closeSubpath();
  QLinearGradient g(QPointF(cx, t.top() - 24), QPointF(cx, t.hairline()));
  g.setColorAt(0, palette::gold.lighter(120));
  g.setColorAt(1, palette::gold.darker(125));
  p.setPen(inkPen(1.1));
  p.setBrush(g);
  p.drawPath(cap);
  p.setPen(inkPen(0.8, palette::ink));
  for (int i = 1; i <= 3; ++i) {
    const double y = t.hairline() - i * 5.5;
    p.drawLine(QPointF(cx - t.hw + 2, y + 1), QPointF(cx + t.hw - 2, y - 1));
  }
  p.setPen(inkPen(3.0, QColor(0x7A, 0x22, 0x1E)));
  p.drawLine(QPointF(cx - t.hw - 0.5, t.hairline() + 1.5), QPointF(cx + t.hw + 0.5, t.hairline() + 1.5));
  p.setPen(inkPen(0.8));
  p.setBrush(QColor(0x4E, 0x8A, 0x6A));
  p.drawEllipse(QPointF(cx, t.top() - 6), 3.2, 3.2);
}

void paintPlume(QPainter& p, const Traits& t, QPointF root, double size) {
  p.setPen(inkPen(1.6, t.plume));
  for (int i = 0; i < 11; ++i) {
    const double a = -3.14159 / 2 + (i - 5) * 0.17;
    const QPointF tip = root + QPointF(std::cos(a) * size + (i - 5) * 0.8, std::sin(a) * size);
    QPainterPath strand;
    strand.moveTo(root);
    strand.quadTo(root + (tip - root) * 0.5 + QPointF((i - 5) * 0.9, -2), tip + QPointF((i - 5) * 0.8, 3));
    p.drawPath(strand);
  }
  p.setPen(inkPen(0.8, t.plume.darker(160)));
  p.drawLine(root, root + QPointF(0, -size * 0.6));
}

void paintHelmet(QPainter& p, const Traits& t) {
  const bool general = t.job == General;
  const QColor iron = t.metal.darker(general ? 108 : 100);
  const double l = cx - t.hw - 3.5, r = cx + t.hw + 3.5, brim = t.hairline() + 3.5;
  // Cheek guards over the ears.
  for (int s : {-1, 1}) {
    QPainterPath guard;
    const double x = s < 0 ? l : r;
    guard.moveTo(x, brim - 2);
    guard.lineTo(x - s * 0.5, t.hy + 12);
    guard.quadTo(QPointF(x - s * 4, t.hy + 14), QPointF(x - s * 7, t.hy + 9));
    guard.lineTo(x - s * 6, brim);
    guard.closeSubpath();
    p.setPen(inkPen(1.0));
    p.setBrush(iron.lighter(115));
    p.drawPath(guard);
    if (general) {
      p.setPen(inkPen(1.0, palette::gold));
      p.drawLine(QPointF(x - s * 1.5, brim + 2), QPointF(x - s * 1.5, t.hy + 11));
    }
  }
  if (t.helmet == 2) {  // wings of beaten metal curling up at the sides
    for (int s : {-1, 1}) {
      QPainterPath wing;
      const double x = cx + s * (t.hw + 2);
      wing.moveTo(x - s * 1, brim - 1);
      wing.cubicTo(QPointF(x + s * 7, brim), QPointF(x + s * 11, brim - 4), QPointF(x + s * 12, brim - 11));
      wing.cubicTo(QPointF(x + s * 8, brim - 9), QPointF(x + s * 5, brim - 10), QPointF(x - s * 1, brim - 9));
      wing.closeSubpath();
      p.setPen(inkPen(1.0));
      p.setBrush(general ? palette::gold : iron.lighter(125));
      p.drawPath(wing);
      p.setPen(inkPen(0.6, withAlpha(palette::ink, 0.6)));
      for (int k = 1; k <= 2; ++k)
        p.drawLine(QPointF(x + s * 1, brim - 4 - k), QPointF(x + s * (5 + 2.5 * k), brim - 3 - k * 2.5));
    }
  }
  if (general && t.helmet == 1) {  // pheasant tail feathers sweeping up from the crown
    for (int s : {-1, 1}) {
      QPainterPath f;
      f.moveTo(cx + s * 6, t.top() - 4);
      f.cubicTo(QPointF(cx + s * 14, t.top() - 24), QPointF(cx + s * 30, t.top() - 34), QPointF(cx + s * 44, t.top() - 30));
      p.setPen(QPen(QColor(0x8A, 0x6A, 0x3A), 3.2, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      p.drawPath(f);
      p.setPen(QPen(palette::ink, 3.2, Qt::CustomDashLine, Qt::FlatCap));
      QPen band = p.pen();
      band.setDashPattern({0.8, 1.4});
      p.setPen(band);
      p.drawPath(f);
    }
  }
  QPainterPath dome;
  dome.moveTo(l, brim);
  dome.cubicTo(QPointF(l, t.top() - 6), QPointF(r, t.top() - 6), QPointF(r, brim));
  dome.quadTo(QPointF(cx, brim - 3), QPointF(l, brim));
  dome.closeSubpath();
  QRadialGradient shine(QPointF(cx - 6, t.top() + 2), t.hw * 1.6);
  shine.setColorAt(0, iron.lighter(150));
  shine.setColorAt(1, iron);
  p.setPen(inkPen(1.1));
  p.setBrush(shine);
  p.drawPath(dome);
  p.save();
  p.setClipPath(dome, Qt::IntersectClip);
  p.setPen(inkPen(0.9, general ? palette::gold : iron.darker(150)));
  for (int i = -2; i <= 2; ++i)
    p.drawLine(QPointF(cx + i * 2.5, t.top() - 6), QPointF(cx + i * 8.5, brim));
  p.restore();
  // Brim with rivets.
  p.setPen(inkPen(1.0));
  p.setBrush(general ? palette::gold : iron.darker(120));
  QPainterPath band;
  band.moveTo(l - 1, brim + 1.5);
  band.quadTo(QPointF(cx, brim - 4.5), QPointF(r + 1, brim + 1.5));
  band.lineTo(r + 1, brim - 2.5);
  band.quadTo(QPointF(cx, brim - 8.5), QPointF(l - 1, brim - 2.5));
  band.closeSubpath();
  p.drawPath(band);
  if (!general) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0xC0, 0xB0));
    for (int i = -3; i <= 3; ++i) p.drawEllipse(QPointF(cx + i * 5.5, brim - 3 + std::abs(i) * 0.6), 0.9, 0.9);
  } else {  // crest over the brow
    QPainterPath crest;
    crest.moveTo(cx - 5, brim - 4);
    crest.lineTo(cx, brim - 14);
    crest.lineTo(cx + 5, brim - 4);
    crest.closeSubpath();
    p.setPen(inkPen(0.8));
    p.setBrush(palette::gold.lighter(115));
    p.drawPath(crest);
  }
  // Finial and plume; the tall spike carries only a tassel ring.
  const bool spike = !general && t.helmet == 1;
  const QPointF tip(cx, t.top() - (spike ? 20 : 9));
  p.setPen(inkPen(1.0));
  p.setBrush(general ? palette::gold : iron.lighter(130));
  QPainterPath finial;
  finial.moveTo(cx - 3, t.top() - 3);
  finial.lineTo(tip);
  finial.lineTo(cx + 3, t.top() - 3);
  finial.closeSubpath();
  p.drawPath(finial);
  if (spike) {
    p.setPen(Qt::NoPen);
    p.setBrush(t.plume);
    p.drawEllipse(QPointF(cx, t.top() - 5), 5, 2.6);
    return;
  }
  paintPlume(p, t, tip, general ? 17 : 12);
}

void paintScarf(QPainter& p, const Traits& t) {
  const QColor cloth = t.gear ? QColor(0x2E, 0x3A, 0x4C) : QColor(0x3A, 0x3A, 0x38);
  QPainterPath cap;
  cap.moveTo(cx - t.hw - 2.5, t.hairline() + 3);
  cap.cubicTo(QPointF(cx - t.hw - 4, t.top() - 10), QPointF(cx + t.hw + 4, t.top() - 12), QPointF(cx + t.hw + 2.5, t.hairline() + 3));
  cap.quadTo(QPointF(cx, t.hairline() - 2), QPointF(cx - t.hw - 2.5, t.hairline() + 3));
  cap.closeSubpath();
  p.setPen(inkPen(1.0));
  p.setBrush(cloth);
  p.drawPath(cap);
  p.save();
  p.setClipPath(cap, Qt::IntersectClip);
  p.setPen(inkPen(0.9, cloth.lighter(170)));
  for (int i = 0; i < 4; ++i) {
    const double y = t.hairline() - 2 - i * 4.5;
    QPainterPath fold;
    fold.moveTo(cx - t.hw - 3, y + 3);
    fold.quadTo(QPointF(cx, y - 3 - i), QPointF(cx + t.hw + 3, y + 3));
    p.drawPath(fold);
  }
  p.restore();
  // The knot at the back shows above the crown.
  p.setPen(inkPen(1.0));
  p.setBrush(cloth.lighter(115));
  p.drawEllipse(QPointF(cx + 4, t.top() - 5), 5, 3.5);
}

// Ribbons of the scarf hang behind the head, so they are painted first.
void paintScarfTails(QPainter& p, const Traits& t) {
  const QColor cloth = t.gear ? QColor(0x2E, 0x3A, 0x4C) : QColor(0x3A, 0x3A, 0x38);
  p.setPen(inkPen(0.9));
  p.setBrush(cloth);
  for (int s : {-1, 1}) {
    QPainterPath tail;
    tail.moveTo(cx + s * (t.hw - 3), t.hairline() - 4);
    tail.quadTo(QPointF(cx + s * (t.hw + 9), t.hy + 8), QPointF(cx + s * (t.hw + 8), t.hy + 28));
    tail.lineTo(cx + s * (t.hw + 2), t.hy + 26);
    tail.quadTo(QPointF(cx + s * (t.hw + 3), t.hy + 6), QPointF(cx + s * (t.hw - 6), t.hairline()));
    tail.closeSubpath();
    p.drawPath(tail);
  }
}

void paintFan(QPainter& p, Rng& rng) {
  p.save();
  p.translate(cx + 31, 106);
  p.rotate(rng.real(-24, -12));
  const QPointF handle(0, 15);
  QPainterPath fan;
  fan.moveTo(handle);
  fan.cubicTo(QPointF(-17, 6), QPointF(-14, -19), QPointF(0, -20));
  fan.cubicTo(QPointF(14, -19), QPointF(17, 6), handle);
  fan.closeSubpath();
  p.setPen(inkPen(1.0));
  p.setBrush(QColor(0xF2, 0xEE, 0xE2));
  p.drawPath(fan);
  p.setPen(inkPen(0.7, withAlpha(palette::inkWash, 0.8)));
  for (int i = -4; i <= 4; ++i) p.drawLine(handle, QPointF(i * 3.3, -18 + std::abs(i) * 1.2));
  p.setPen(inkPen(0.9, palette::ink));
  p.setBrush(QColor(0x3A, 0x2E, 0x26));
  p.drawRect(QRectF(-1.6, 13, 3.2, 11));
  // The sleeve that holds it.
  p.setBrush(QColor(0xDA, 0xD5, 0xC6));
  p.drawRoundedRect(QRectF(-9, 19, 16, 9), 3, 3);
  p.restore();
}

void paintHeadband(QPainter& p, const Traits& t, const QColor& cloth) {
  paintTopknot(p, t, cloth);
  p.setPen(inkPen(1.0));
  p.setBrush(cloth);
  QPainterPath band;
  band.moveTo(cx - t.hw - 1.5, t.hairline() + 2);
  band.quadTo(QPointF(cx, t.hairline() - 4), QPointF(cx + t.hw + 1.5, t.hairline() + 2));
  band.lineTo(cx + t.hw + 1.5, t.hairline() - 2.5);
  band.quadTo(QPointF(cx, t.hairline() - 8.5), QPointF(cx - t.hw - 1.5, t.hairline() - 2.5));
  band.closeSubpath();
  p.drawPath(band);
}

void paintSoldierHat(QPainter& p, const Traits& t) {
  // Wide conical hat of lacquered bamboo; its shadow falls on the brow.
  QPainterPath hat;
  hat.moveTo(cx - 36, t.hairline() + 4);
  hat.quadTo(QPointF(cx - 16, t.top() - 2), QPointF(cx, t.top() - 12));
  hat.quadTo(QPointF(cx + 16, t.top() - 2), QPointF(cx + 36, t.hairline() + 4));
  hat.quadTo(QPointF(cx, t.hairline() - 1), QPointF(cx - 36, t.hairline() + 4));
  hat.closeSubpath();
  p.setPen(inkPen(1.1));
  p.setBrush(QColor(0x5A, 0x48, 0x30));
  p.drawPath(hat);
  p.save();
  p.setClipPath(hat, Qt::IntersectClip);
  p.setPen(inkPen(0.7, QColor(0x8A, 0x74, 0x52)));
  for (int i = -5; i <= 5; ++i) p.drawLine(QPointF(cx, t.top() - 12), QPointF(cx + i * 7.5, t.hairline() + 6));
  p.restore();
  QLinearGradient shadow(QPointF(cx, t.hairline() + 3), QPointF(cx, t.hairline() + 12));
  shadow.setColorAt(0, withAlpha(palette::ink, 0.35));
  shadow.setColorAt(1, withAlpha(palette::ink, 0.0));
  p.setPen(Qt::NoPen);
  p.setBrush(shadow);
  p.drawRect(QRectF(cx - t.hw, t.hairline() + 3, 2 * t.hw, 9));
}

void paintSpear(QPainter& p) {
  p.setPen(inkPen(2.4, QColor(0x6A, 0x4E, 0x30)));
  p.drawLine(QPointF(cx + 40, 125), QPointF(cx + 22, 10));
  QPainterPath blade;
  blade.moveTo(cx + 22.3, 12);
  blade.lineTo(cx + 18.5, -4);
  blade.lineTo(cx + 25.5, 11);
  blade.closeSubpath();
  p.setPen(inkPen(0.9));
  p.setBrush(QColor(0xB8, 0xB4, 0xAC));
  p.drawPath(blade);
  p.setPen(inkPen(2.0, palette::vermilion));
  p.drawLine(QPointF(cx + 22.2, 14), QPointF(cx + 21, 21));
}

// ---- frame and name --------------------------------------------------------

QString jobSealText(int job) {
  switch (job) {
    case Civil: return QStringLiteral("文");
    case Officer: return QStringLiteral("武");
    case Adviser: return QStringLiteral("参");
    case General: return QStringLiteral("将");
    case Lord: return QStringLiteral("君");
    case Strategist: return QStringLiteral("師");
    case kSoldier: return QStringLiteral("兵");
    default: return {};
  }
}

void paintFrameAndName(QPainter& p, const Traits& t, const QString& name, Rng& rng) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(palette::ink, 3.0));
  p.drawRect(QRectF(1.5, 1.5, kPortraitWidth - 3, kPortraitHeight - 3));
  p.setPen(QPen(t.job == Lord || t.job == General ? palette::gold.darker(130) : palette::inkWash, 1.0));
  p.drawRect(QRectF(4.5, 4.5, kPortraitWidth - 9, kPortraitHeight - 9));
  p.setPen(QPen(palette::ink, 1.2));
  p.drawRect(kWindow);

  QLinearGradient plate(kPlate.topLeft(), kPlate.bottomLeft());
  plate.setColorAt(0, mix(palette::paper, QColor(0xFA, 0xF4, 0xE2), 0.5));
  plate.setColorAt(1, palette::paperShade);
  p.setBrush(plate);
  p.drawRect(kPlate);

  QFont f = cjkFont(15, true);
  const double width = QFontMetricsF(f).horizontalAdvance(name);
  if (width > kPlate.width() - 8) f.setPixelSize(std::max(8, int(15 * (kPlate.width() - 8) / width)));
  drawBrushText(p, kPlate.adjusted(2, 1, -2, 0), name, f, palette::ink, rng);

  const QString seal = jobSealText(t.job);
  if (!seal.isEmpty()) drawSeal(p, QRectF(kWindow.right() - 17, kWindow.top() + 3, 14, 14), seal, rng);
}

QImage paint(const Traits& t, const QString& name, Rng& rng) {
  QImage img(kPortraitWidth, kPortraitHeight, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  paintParchment(p, QRectF(img.rect()), rng, 0.7);

  p.save();
  p.setClipRect(kWindow);
  paintWindowGround(p, t, rng);
  if (t.job == kSoldier) paintSpear(p);
  if (t.job == Adviser || t.job == Strategist) paintScarfTails(p, t);
  paintBody(p, t);
  paintNeckAndEars(p, t);
  if (t.job == Civil || (t.job == Lord && t.gear == 0) || t.job == None) paintTopknot(p, t, t.hair);
  if (t.job == Civil) paintCapStrings(p, t);
  paintFace(p, t);
  paintHair(p, t);
  paintEyes(p, t);
  paintNoseMouth(p, t);
  switch (t.job) {
    case Civil: paintScholarCap(p, t); break;
    case Lord: paintCrown(p, t); break;
    case Officer:
    case General: paintHelmet(p, t); break;
    case Adviser:
    case Strategist: paintScarf(p, t); break;
    case kSoldier: paintSoldierHat(p, t); break;
    default: paintHeadband(p, t, QColor(0x4A, 0x3A, 0x2C)); break;
  }
  paintBeard(p, t, rng);
  if (t.job == Strategist) paintFan(p, rng);
  p.restore();

  paintFrameAndName(p, t, name, rng);
  p.end();
  return img;
}

}  // namespace

QImage paintPortrait(const PortraitSubject& subject, const PortraitLook& look) {
  QString seedText = subject.name;
  if (look.variant > 0) seedText += QStringLiteral("#%1").arg(look.variant);
  Rng rng(stableHash(seedText));
  const int job = std::clamp(subject.job, 0, 6);
  const Traits t = drawTraits(job, rng, look);
  return paint(t, subject.name, rng);
}

QImage paintFootSoldier() {
  Rng rng(stableHash(QStringLiteral("雑兵")));
  const Traits t = drawTraits(kSoldier, rng, {});
  return paint(t, QStringLiteral("雑兵"), rng);
}
