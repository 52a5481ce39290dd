// teijinki: the desktop game.
//   teijinki [GAME_FOLDER]         play; the game folder is GAME_FOLDER when given, else the
//                                  current directory when it holds ini/Text.ini, else
//                                  $XDG_DATA_HOME/teijinki (~/.local/share/teijinki), which is
//                                  filled from the shipped data on first start
//   teijinki --screenshots DIR     a seeded demo game played offscreen, one PNG per screen in DIR
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
    "       teijinki --screenshots DIR\n"
    "       teijinki --help | --version\n";

const char* kHelp =
    "Plays in GAME_FOLDER when one is given; else in the current directory when it holds\n"
    "ini/Text.ini; else in $XDG_DATA_HOME/teijinki (~/.local/share/teijinki), which is copied\n"
    "from the installed data on the first start.\n"
    "\n"
    "  --screenshots DIR   play a seeded demo game offscreen and write one PNG of every screen to DIR\n"
    "  -h, --help          print this help and leave\n"
    "  --version           print the version and leave\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are passed to Qt. Music needs a General MIDI\n"
    "soundfont; TEIJINKI_SOUNDFONT names one. See teijinki(6).\n";

struct Options {
    std::optional<fs::path> game_folder;
    std::optional<std::string> screenshots;
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
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
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
    return result.ok() ? 0 : 2;
}

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
    // The tour draws offscreen, so it also runs where there is no display.
    if (options.screenshots) qputenv("QT_QPA_PLATFORM", "offscreen");
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
