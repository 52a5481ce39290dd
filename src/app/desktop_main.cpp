// teijinki: the desktop game.
//   teijinki [GAME_FOLDER]         play; the game folder is GAME_FOLDER when given, else the
//                                  current directory when it holds ini/Text.ini, else
//                                  $XDG_DATA_HOME/teijinki (~/.local/share/teijinki), which is
//                                  filled from the shipped data on first start
//   teijinki --screenshots DIR     a seeded demo game played offscreen, one PNG per screen in DIR

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "media/qt_music.h"
#include "setup/title_screen.h"
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
    "       teijinki --screenshots DIR   (a seeded demo game offscreen; one PNG of every screen in DIR)\n";

struct Options {
    std::optional<fs::path> game_folder;
    std::optional<QString> screenshots;
    bool help = false;
    std::string problem;
};

// Qt has taken its own options out of argv by now.
Options parse_options(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
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
    std::unique_ptr<PlayerMusicOutput> music;
    const QByteArray tour = qgetenv("TEIJINKI_TOUR");
    if (tour == "year-with-music" || tour == "year-with-music-and-info-screens") {
        music = std::make_unique<PlayerMusicOutput>();
        options = {music.get(), false, 1, 1500, tour != "year-with-music"};
    }
    const ui::TourResult result = ui::run_screenshot_tour(shipped_data(), dir, 1, std::cout, options);
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
    // The tour draws offscreen, so it also runs where there is no display.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--screenshots") == 0) qputenv("QT_QPA_PLATFORM", "offscreen");
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
