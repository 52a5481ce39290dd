// teijinki: the desktop game.
//   teijinki [GAME_FOLDER]         play; the game folder is GAME_FOLDER when given, else the
//                                  current directory when it holds ini/Text.ini, else
//                                  $XDG_DATA_HOME/teijinki (~/.local/share/teijinki), which is
//                                  filled from the shipped data on first start
//   teijinki --screenshots DIR [--screen WxH] [--scale F]
//                                  a seeded demo game played offscreen on a virtual screen
//                                  (1920x1080 at scale 1 unless given), one PNG per screen in DIR

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "ui/music/player_music_output.h"
#include "ui/title/title_screen.h"
#include "ui/game_app.h"
#include "ui/game_screens.h"
#include "ui/screenshot_tour.h"
#include "ui/style.h"
#include "world/data_location.h"
#include "world/error.h"
#include "world/random.h"

namespace fs = std::filesystem;
using namespace teijinki;

namespace {

const char* kUsage =
    "usage: teijinki [GAME_FOLDER]\n"
    "       teijinki --screenshots DIR [--screen WxH] [--scale F]\n"
    "            (a seeded demo game offscreen on a virtual screen, 1920x1080 at scale 1 unless\n"
    "             given; one PNG of every screen in DIR, each window checked to fit the screen)\n";

struct Options {
    std::optional<fs::path> game_folder;
    std::optional<QString> screenshots;
    ui::VirtualScreen screen;
    bool help = false;
    std::string problem;
};

// Qt takes its own options out of argv when the application is made; the virtual screen has to
// be known before that, so the options are read once before and once after.
Options parse_options(int argc, char** argv) {
    Options o;
    std::string screen_size, scale;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--screen" || arg == "--scale") {
            if (i + 1 >= argc) {
                o.problem = arg + " needs a value";
                return o;
            }
            (arg == "--screen" ? screen_size : scale) = argv[++i];
        } else if (arg == "--screenshots") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                o.problem = "--screenshots needs a folder";
                return o;
            }
            o.screenshots = QString::fromLocal8Bit(argv[++i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            o.problem = "unknown option '" + arg + "'";
            return o;
        } else if (!o.game_folder) {
            o.game_folder = fs::path(arg);
        } else {
            o.problem = "only one game folder may be given";
            return o;
        }
    }
    if (o.screenshots && o.game_folder) o.problem = "--screenshots plays in a copy of the shipped data; no game folder applies";
    if (!screen_size.empty() || !scale.empty()) {
        if (!o.screenshots) {
            o.problem = "--screen and --scale belong to --screenshots";
            return o;
        }
        const auto screen = ui::parse_virtual_screen(screen_size.empty() ? "1920x1080" : screen_size, scale);
        if (!screen) {
            o.problem = "--screen wants WIDTHxHEIGHT (320 to 16384 pixels) and --scale a factor from 0.5 to 4";
            return o;
        }
        o.screen = *screen;
    }
    return o;
}

fs::path shipped_data() { return find_shipped_data(data_search_here({TEIJINKI_INSTALL_DATADIR, TEIJINKI_DATA_DIR_BUILD})); }

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

int screenshot_tour(const QString& dir) {
    const ui::TourResult result = ui::run_screenshot_tour(shipped_data(), dir, 1, std::cout);
    for (const QString& file : result.written) std::cout << "wrote " << dir.toStdString() << "/" << file.toStdString() << "\n";
    if (!result.problem.isEmpty()) std::cerr << "teijinki: screenshot tour: " << result.problem.toStdString() << "\n";
    if (!result.missing.isEmpty())
        std::cerr << "teijinki: screenshot tour did not reach: " << result.missing.join(QStringLiteral(", ")).toStdString() << "\n";
    if (!result.misfits.isEmpty())
        std::cerr << "teijinki: screenshot tour: windows outside the screen: " << result.misfits.join(QStringLiteral(", ")).toStdString()
                  << "\n";
    return result.ok() ? 0 : 2;
}

// The screen description for the tour's offscreen platform, removed when the tour ends.
struct ScreenDescription {
    fs::path file = fs::temp_directory_path() / ("teijinki-screen-" + std::to_string(QCoreApplication::applicationPid()) + ".json");
    ~ScreenDescription() {
        std::error_code ec;
        fs::remove(file, ec);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer since_start;
    since_start.start();
    // The tour draws offscreen on a virtual screen, so it also runs where there is no display.
    std::optional<ScreenDescription> screen_description;
    if (const Options early = parse_options(argc, argv); early.screenshots && early.problem.empty()) {
        screen_description.emplace();
        if (!ui::imitate_screen(early.screen, screen_description->file)) {
            std::cerr << "teijinki: cannot write " << screen_description->file << " for the virtual screen\n";
            return 2;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teijinki"));
    QApplication::setApplicationDisplayName(QStringLiteral("鼎陣記・治世巻"));
    QApplication::setDesktopFileName(QStringLiteral("teijinki"));
    ui::apply_game_style(app);

    const Options options = parse_options(argc, argv);
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (!options.problem.empty()) {
        std::cerr << "teijinki: " << options.problem << "\n" << kUsage;
        return 1;
    }
    if (options.screenshots) return screenshot_tour(*options.screenshots);

    fs::path dir;
    fs::path data;
    try {
        data = shipped_data();
        dir = choose_game_folder(options.game_folder, fs::current_path(),
                                 user_game_folder(env("XDG_DATA_HOME"), env("HOME")), data);
        fill_game_folder(dir, data);
    } catch (const std::exception& e) {
        // The terminal first: the box waits for a click.
        std::cerr << "teijinki: " << e.what() << "\n";
        QMessageBox::critical(nullptr, QStringLiteral("鼎陣記"),
                              QStringLiteral("ゲームのフォルダを用意できません。\n") + QString::fromUtf8(e.what()));
        return 2;
    }
    const GameFolder folder(dir);
    for (const fs::path& icon : {folder.resolve("icons/teijinki.png"), data / "icons" / "teijinki.png"})
        if (fs::exists(icon)) {
            QApplication::setWindowIcon(QIcon(QString::fromStdString(icon.string())));
            break;
        }

    ClockRandom rng;
    ui::GameScreenOpener opener;
    // Declared before the game so that it outlives every screen that may still stop the music.
    PlayerMusicOutput music;
    ui::GameApp game(folder, opener, rng);
    game.host().set_music(&music);
    QObject::connect(&game, &ui::GameApp::finished, &app, [] { QApplication::exit(0); });
    game.show_title();
    if (!game.title() || game.host().ended()) return 2;
    if (qEnvironmentVariableIsSet("TEIJINKI_STARTUP_TIMING")) {
        // Measures the way to a drawn title screen, then leaves.
        QTimer::singleShot(0, &app, [&] {
            std::cout << "title screen shown " << since_start.elapsed() << " ms after start\n";
            QApplication::exit(0);
        });
    }
    return app.exec();
}
