#pragma once
// The screenshot tour: a seeded demo game played through the real screens, one picture of every
// screen written as <dir>/<screen>.png. It plays in a temporary copy of the shipped data, so no
// game of the player's is touched.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <ostream>

#include "media/music_player.h"

namespace teijinki::ui {

// The screens the tour pictures, in the order it reaches them.
QStringList tour_screen_names();

struct TourResult {
    QStringList written;  // file names written, in order
    QStringList missing;  // screens of tour_screen_names() the tour did not reach
    QString problem;      // why the tour stopped early ("" when it ran through)
    bool ok() const { return missing.isEmpty() && problem.isEmpty(); }
};

// How the tour goes. The defaults picture every screen of a whole silent game.
struct TourOptions {
    std::unique_ptr<MusicPlayer> player;  // plays every piece as the game would; silent when null
    bool pictures = true;                 // without them nothing is written and no screen counts as missing
    int years = 0;                        // stops after so many years; 0: plays to the end
    int dwell_ms = 0;                     // how long each screen stays up (the music goes on meanwhile)
    bool info_screens = true;             // the first year also opens the save, load and information screens
};

// Plays the tour with the shipped data of data_dir and writes the pictures into out_dir (made
// when missing). Progress lines go to log. Needs a QApplication.
TourResult run_screenshot_tour(const std::filesystem::path& data_dir, const QString& out_dir, std::uint64_t seed,
                               std::ostream& log, TourOptions options = {});

}  // namespace teijinki::ui
