#pragma once

#include <QImage>

#include "masters.h"

constexpr int kPortraitWidth = 120;
constexpr int kPortraitHeight = 150;

// Choices a named picture may fix instead of drawing them from the name.
struct PortraitLook {
  int beard = -1;     // 0 none .. 5 bristling whiskers; -1 = from the name
  int variant = 0;    // a second picture of the same person: another seed
};

// A bust of the person: face and beard vary with the name, headgear, dress and
// the seal in the corner with the job, and the name stands on the plate below.
QImage paintPortrait(const PortraitSubject& subject, const PortraitLook& look = {});

// The nameless foot soldier shown when a general cannot be found.
QImage paintFootSoldier();
