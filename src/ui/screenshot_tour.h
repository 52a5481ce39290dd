#pragma once
// The screenshot tour: a seeded demo game played through the real screens, one picture of every
// screen written as <dir>/<screen>.png. It plays in a temporary copy of the shipped data, so no
// game of the player's is touched, and on a virtual screen of a chosen size and scale, so that
// every window can be seen as a laptop or a high-resolution screen would show it.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "media/music_player.h"

namespace teijinki::ui {

// The screens the tour pictures, in the order it reaches them.
QStringList tour_screen_names();

struct TourResult {
    QStringList written;  // file names written, in order
    QStringList missing;  // screens of tour_screen_names() the tour did not reach
    QStringList misfits;  // screens whose window reached outside the screen's available area
    QString problem;      // why the tour stopped early ("" when it ran through)
    bool ok() const { return missing.isEmpty() && misfits.isEmpty() && problem.isEmpty(); }
};

// The screen the tour imitates: its size in pixels and the scale factor of the desktop.
struct VirtualScreen {
    int width = 1920;
    int height = 1080;
    double scale = 1.0;
};
// "1366x768" into the screen's size, a scale such as "2" or "1.5"; nullopt for anything else
// (sizes 320 to 16384 pixels, scales 0.5 to 4).
std::optional<VirtualScreen> parse_virtual_screen(const std::string& size, const std::string& scale);
// Makes the offscreen platform show that one screen at that scale. Must run before the
// QApplication is made; the file it writes (the platform's screen description) is `config`.
// False when that file cannot be written.
bool imitate_screen(const VirtualScreen& screen, const std::filesystem::path& config);

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
