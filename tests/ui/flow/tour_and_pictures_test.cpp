// The screenshot tour and the picture loader's name check.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <sstream>

#include "ui/pictures.h"
#include "ui/screenshot_tour.h"
#include "ui/ui_support.h"

namespace teijinki::testing {
namespace {

TEST(ScreenshotTour, WritesAPictureOfEveryScreen) {
    if (!shipped_data_present()) GTEST_SKIP() << "the shipped scenario data are not there yet";
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    std::ostringstream log;
    const ui::TourResult result = ui::run_screenshot_tour(TEIJINKI_DATA_DIR, out.path() + "/shots", 1, log);
    EXPECT_TRUE(result.problem.isEmpty()) << result.problem.toStdString();
    EXPECT_TRUE(result.missing.isEmpty()) << result.missing.join(",").toStdString();
    for (const QString& name : ui::tour_screen_names()) {
        const QImage image(QDir(out.path() + "/shots").filePath(name + ".png"));
        EXPECT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_GT(image.width(), 200) << name.toStdString();
        // Not a blank image: a drawn screen has text and frames in several colours.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 3) << name.toStdString();
    }
    // The shipped data are only read.
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(TEIJINKI_DATA_DIR) / "ini" / "busv.ini"));
}

TEST(Pictures, NamesThatLeadOutOfTheCgFolderAreRefused) {
    if (!shipped_data_present()) GTEST_SKIP() << "the shipped pictures are not there yet";
    TempGameFolder tmp;
    const auto portrait = std::filesystem::path(TEIJINKI_DATA_DIR) / "CG" / "kanu1.jpg";
    if (!std::filesystem::exists(portrait)) GTEST_SKIP() << "kanu1.jpg is not shipped";
    std::filesystem::copy_file(portrait, tmp.root() / "CG" / "kanu1.jpg");
    std::filesystem::copy_file(portrait, tmp.root() / "ini" / "outside.jpg");
    std::filesystem::copy_file(portrait, tmp.root() / "outside.jpg");
    const GameFolder folder = tmp.folder();
    EXPECT_FALSE(ui::load_cg(folder, "kanu1").isNull());
    for (const char* bad : {"../ini/outside", "..\\outside", "../outside", "/tmp/outside", "CG/kanu1", ""})
        EXPECT_TRUE(ui::load_cg(folder, bad).isNull()) << bad;
}

}  // namespace
}  // namespace teijinki::testing
