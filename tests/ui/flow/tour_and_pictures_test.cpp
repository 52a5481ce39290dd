// The screenshot tour and the picture loader's name check.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <sstream>

#include "ui/pictures.h"
#include "ui/screenshot_tour.h"
#include "ui/window_fit.h"
#include "ui/ui_support.h"

namespace teijinki::testing {
namespace {

TEST(ScreenshotTour, WritesAPictureOfEveryScreen) {
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    std::ostringstream log;
    const ui::TourResult result = ui::run_screenshot_tour(TEIJINKI_DATA_DIR, out.path() + "/shots", 1, log);
    EXPECT_TRUE(result.problem.isEmpty()) << result.problem.toStdString();
    EXPECT_TRUE(result.missing.isEmpty()) << result.missing.join(",").toStdString();
    EXPECT_TRUE(result.misfits.isEmpty()) << result.misfits.join(",").toStdString();
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

TEST(ScreenshotTour, TheVirtualScreenIsReadFromItsOptions) {
    struct Case {
        const char* size;
        const char* scale;
        bool ok;
        int width, height;
        double factor;
    };
    for (const Case c : {Case{"1366x768", "", true, 1366, 768, 1.0}, Case{"2560x1440", "2", true, 2560, 1440, 2.0},
                         Case{"1600x1000", "1.5", true, 1600, 1000, 1.5}, Case{"1366", "", false, 0, 0, 0},
                         Case{"1366x", "", false, 0, 0, 0}, Case{"x768", "", false, 0, 0, 0},
                         Case{"1366x768x24", "", false, 0, 0, 0}, Case{"-1366x768", "", false, 0, 0, 0},
                         Case{"319x768", "", false, 0, 0, 0}, Case{"1366x16385", "", false, 0, 0, 0},
                         Case{"1366x768", "0.4", false, 0, 0, 0}, Case{"1366x768", "4.5", false, 0, 0, 0},
                         Case{"1366x768", "two", false, 0, 0, 0}, Case{"1366x768", "nan", false, 0, 0, 0}}) {
        const auto screen = ui::parse_virtual_screen(c.size, c.scale);
        ASSERT_EQ(screen.has_value(), c.ok) << c.size << " " << c.scale;
        if (!screen) continue;
        EXPECT_EQ(screen->width, c.width);
        EXPECT_EQ(screen->height, c.height);
        EXPECT_DOUBLE_EQ(screen->scale, c.factor);
    }
}

TEST(WindowFit, AWindowGetsWhatTheAreaLeavesAndStaysInsideIt) {
    const QMargins frame(4, 30, 4, 4);
    // A 1366x768 screen with a 40-pixel taskbar at the bottom.
    const QRect laptop(0, 0, 1366, 728);
    struct Case {
        const char* what;
        QSize wanted, minimum;
        QRect area, over;
        QRect client;
    };
    for (const Case& c : {
             Case{"fits: centred over its owner", {600, 400}, {100, 100}, laptop, {100, 100, 800, 500}, {199, 162, 600, 400}},
             Case{"fits: centred on the screen without owner", {600, 400}, {100, 100}, laptop, {}, {382, 176, 600, 400}},
             Case{"too tall: as tall as the area allows", {1240, 780}, {700, 300}, laptop, {}, {62, 30, 1240, 694}},
             Case{"owner at the right edge: moved back in", {600, 400}, {100, 100}, laptop, {1000, 100, 600, 400}, {762, 112, 600, 400}},
             Case{"taskbar on top: below it", {600, 700}, {100, 100}, {0, 40, 1366, 728}, {300, 0, 200, 100}, {99, 70, 600, 694}},
             Case{"a minimum larger than the area keeps the title bar in", {500, 900}, {500, 900}, laptop, {}, {432, 30, 500, 900}},
         }) {
        const QRect got = ui::fitted_geometry(c.wanted, c.minimum, frame, c.area, c.over);
        EXPECT_EQ(got, c.client) << c.what;
        if (c.minimum.height() <= c.area.height()) {
            EXPECT_TRUE(c.area.contains(got.marginsAdded(frame))) << c.what;
        }
    }
}

TEST(Pictures, NamesThatLeadOutOfTheCgFolderAreRefused) {
    TempGameFolder tmp;
    const auto portrait = std::filesystem::path(TEIJINKI_DATA_DIR) / "CG" / "kanu1.jpg";
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
