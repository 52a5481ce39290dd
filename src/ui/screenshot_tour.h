#pragma once
// The screenshot tour: a seeded demo game played through the real screens, one picture of every
// screen written as <dir>/<screen>.png. It plays in a temporary copy of the shipped data, so no
// game of the player's is touched.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <ostream>

namespace teijinki::ui {

// The screens the tour pictures, in the order it reaches them.
QStringList tour_screen_names();

struct TourResult {
    QStringList written;  // file names written, in order
    QStringList missing;  // screens of tour_screen_names() the tour did not reach
    QString problem;      // why the tour stopped early ("" when it ran through)
    bool ok() const { return missing.isEmpty() && problem.isEmpty(); }
};

// Plays the tour with the shipped data of data_dir and writes the pictures into out_dir (made
// when missing). Progress lines go to log. Needs a QApplication.
TourResult run_screenshot_tour(const std::filesystem::path& data_dir, const QString& out_dir, std::uint64_t seed,
                               std::ostream& log);

}  // namespace teijinki::ui
