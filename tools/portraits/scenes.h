#pragma once

#include <QImage>

// Heroes on a hill at dusk, three sworn brothers under blossoming peach
// branches, banners behind them (the credits roll).
QImage paintHeroesScene();

// The same scene as an old monochrome print.
QImage toMonochrome(const QImage& image);

// The title splash: mountains, a river, a walled fortress and the title in
// brush letters with a red seal.
QImage paintTitleSplash();

// The program icon: a bronze tripod cauldron on a red seal, with 鼎.
QImage paintProgramIcon();
