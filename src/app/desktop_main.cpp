// teijinki: the desktop game.
//   teijinki [GAME_FOLDER]         play; the game folder is GAME_FOLDER when given, else the
//                                  current directory when it holds ini/Text.ini, else
//                                  $XDG_DATA_HOME/teijinki (~/.local/share/teijinki), which is
//                                  filled from the shipped data on first start
//   teijinki --screenshots DIR [--screen WxH] [--scale F]
//                                  a seeded demo game played offscreen on a virtual screen
//                                  (1920x1080 at scale 1 unless given), one PNG per screen in DIR
//   teijinki --help | --version    print and leave; no display is needed

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/version.h"
#include "media/fluidsynth_player.h"
#include "media/music_player.h"
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
    "       teijinki --help | --version\n";

const char* kHelp =
    "Plays in GAME_FOLDER when one is given; else in the current directory when it holds\n"
    "ini/Text.ini; else in $XDG_DATA_HOME/teijinki (~/.local/share/teijinki), which is copied\n"
    "from the installed data on the first start.\n"
    "\n"
    "  --screenshots DIR   play a seeded demo game offscreen and write one PNG of every screen to DIR\n"
    "  --screen WxH        the tour's virtual screen (1920x1080 unless given); the tour fails when a\n"
    "                      window reaches outside it or cannot shrink into it\n"
    "  --scale F           the tour's scale factor, as QT_SCALE_FACTOR sets it (1 unless given)\n"
    "  -h, --help          print this help and leave\n"
    "  --version           print the version and leave\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are passed to Qt. Music needs a General MIDI\n"
    "soundfont; TEIJINKI_SOUNDFONT names one. See teijinki(6).\n";

struct Options {
    std::optional<fs::path> game_folder;
    std::optional<std::string> screenshots;
    ui::VirtualScreen screen;
    bool help = false;
    bool version = false;
    std::string problem;
};

// Qt's own command-line options, which QApplication takes out of argv; the ones that take a
// value say so. They are let through so that the game's options can be read before Qt starts.
struct QtOption {
    const char* name;
    bool takes_value;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true},
    {"session", true}, {"display", true}, {"geometry", true}, {"style", true}, {"stylesheet", true},
    {"reverse", false}, {"widgetcount", false}, {"nograb", false}, {"dograb", false}, {"sync", false},
};

// How many arguments a Qt option takes up: 0 when arg is none of Qt's, 1 for a switch or a
// value given as "-style=fusion", 2 when the value is the next argument. Qt accepts its options
// with one dash or two.
int qt_option_arguments(const std::string& arg) {
    const std::size_t dashes = arg.rfind("--", 0) == 0 ? 2 : arg.rfind('-', 0) == 0 ? 1 : 0;
    if (dashes == 0) return 0;
    const std::string name = arg.substr(dashes);
    for (const QtOption& o : kQtOptions) {
        if (name == o.name) return o.takes_value ? 2 : 1;
        if (o.takes_value && name.rfind(std::string(o.name) + "=", 0) == 0) return 1;
    }
    return 0;
}

// Read before QApplication exists, so that --help, --version and mistakes need no display.
Options parse_options(int argc, char** argv) {
    Options o;
    std::string screen_size, scale;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
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
            o.screenshots = argv[++i];
        } else if (const int used = qt_option_arguments(arg); used > 0) {
            if (used == 2 && ++i >= argc) {
                o.problem = arg + " needs a value";
                return o;
            }
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
    // TEIJINKI_TOUR=year-with-music: one year of the tour through the title, the main screen and
    // the message window, with the music on and no pictures, each screen up for a while (what
    // bench/desktop_memory_bench measures); ...-and-info-screens opens the other screens too.
    ui::TourOptions options;
    const QByteArray tour = qgetenv("TEIJINKI_TOUR");
    if (tour == "year-with-music" || tour == "year-with-music-and-info-screens")
        options = {std::make_unique<FluidsynthPlayer>(), false, 1, 1500, tour != "year-with-music"};
    const ui::TourResult result = ui::run_screenshot_tour(shipped_data(), dir, 1, std::cout, std::move(options));
    for (const QString& file : result.written) std::cout << "wrote " << dir.toStdString() << "/" << file.toStdString() << "\n";
    if (!result.problem.isEmpty()) std::cerr << "teijinki: screenshot tour: " << result.problem.toStdString() << "\n";
    if (!result.missing.isEmpty())
        std::cerr << "teijinki: screenshot tour did not reach: " << result.missing.join(QStringLiteral(", ")).toStdString() << "\n";
    if (!result.misfits.isEmpty())
        std::cerr << "teijinki: screenshot tour: windows outside the screen: " << result.misfits.join(QStringLiteral(", ")).toStdString()
                  << "\n";
    return result.ok() ? 0 : 2;
}

// Qt ends the program with an abort when its default platform finds no display; say why instead.
// A platform chosen by the player (QT_QPA_PLATFORM or -platform) is left to Qt.
bool display_available(int argc, char** argv) {
    if (!env("DISPLAY").empty() || !env("WAYLAND_DISPLAY").empty() || !env("QT_QPA_PLATFORM").empty()) return true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-platform" || arg == "--platform" || arg.rfind("-platform=", 0) == 0 || arg.rfind("--platform=", 0) == 0)
            return true;
    }
    return false;
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
    const Options options = parse_options(argc, argv);
    if (!options.problem.empty()) {
        std::cerr << "teijinki: " << options.problem << "\n" << kUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kUsage << "\n" << kHelp;
        return 0;
    }
    if (options.version) {
        std::cout << "teijinki " << kVersion << "\n";
        return 0;
    }
    // The tour draws offscreen on a virtual screen, so it also runs where there is no display.
    std::optional<ScreenDescription> screen_description;
    if (options.screenshots) {
        screen_description.emplace();
        if (!ui::imitate_screen(options.screen, screen_description->file)) {
            std::cerr << "teijinki: cannot write " << screen_description->file << " for the virtual screen\n";
            return 2;
        }
    }
    if (!options.screenshots && !display_available(argc, argv)) {
        std::cerr << "teijinki: no display to open the game's windows on (DISPLAY and WAYLAND_DISPLAY are unset);\n"
                     "          start it from a desktop session, or see teijinki-sim for the game in a terminal\n";
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teijinki"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QApplication::setApplicationDisplayName(QStringLiteral("鼎陣記・治世巻"));
    QApplication::setDesktopFileName(QStringLiteral("teijinki"));
    ui::apply_game_style(app);

    if (options.screenshots) return screenshot_tour(QString::fromLocal8Bit(options.screenshots->c_str()));

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
    PieceMusic music(folder, std::make_unique<FluidsynthPlayer>());
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
