// teijinki: the desktop game. The game folder is the one given as the argument, else the current
// directory when it holds ini/Text.ini, else ./game, filled from the shipped data when it lacks
// the template table.

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QIcon>
#include <QMessageBox>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "media/qt_music.h"
#include "screens/status_dialog.h"
#include "setup/title_screen.h"
#include "ui/game_app.h"
#include "ui/screen_opener.h"
#include "ui/style.h"
#include "world/error.h"
#include "world/random.h"
#include "world/record_file.h"

namespace fs = std::filesystem;
using namespace teijinki;

namespace {

fs::path executable_dir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self.parent_path();
}

// The shipped data: $TEIJINKI_DATA, the installed share folder, or the source tree's data/.
fs::path find_data_dir() {
    if (const char* env = std::getenv("TEIJINKI_DATA"); env && *env) return env;
    const fs::path exe = executable_dir();
    if (!exe.empty() && fs::exists(exe / ".." / "share" / "teijinki" / "data" / "ini"))
        return exe / ".." / "share" / "teijinki" / "data";
    if (fs::exists(fs::path(TEIJINKI_INSTALL_DATADIR) / "ini")) return TEIJINKI_INSTALL_DATADIR;
    return TEIJINKI_DATA_DIR_BUILD;
}

// A folder without the template table is filled from the shipped data.
void prepare_folder(const fs::path& dir) {
    if (GameFolder(dir).exists(files::kText)) return;
    const fs::path data = find_data_dir();
    if (!GameFolder(data).exists(files::kText))
        throw DataError(GameFolder::display_name(files::kText), "missing from the data folder " + data.string());
    std::error_code ec;
    fs::create_directories(dir, ec);
    fs::copy(data, dir, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
    if (ec) throw DataError(dir.string(), "cannot be filled from " + data.string() + ": " + ec.message());
    fs::create_directories(dir / "save", ec);
}

fs::path choose_folder(int argc, char** argv) {
    if (argc >= 2 && argv[1][0] != '\0') return fs::absolute(argv[1]);
    const fs::path here = fs::current_path();
    if (GameFolder(here).exists(files::kText)) return here;
    return here / "game";
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer since_start;
    since_start.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("teijinki"));
    QApplication::setApplicationDisplayName(QStringLiteral("鼎陣記・治世巻"));
    ui::apply_game_style(app);

    if (argc > 2) {
        std::cerr << "usage: teijinki [GAME_FOLDER]\n";
        return 1;
    }
    fs::path dir;
    try {
        dir = choose_folder(argc, argv);
        prepare_folder(dir);
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("鼎陣記"),
                              QStringLiteral("ゲームのフォルダを用意できません。\n") + QString::fromUtf8(e.what()));
        std::cerr << "teijinki: " << e.what() << "\n";
        return 2;
    }
    const GameFolder folder(dir);
    const fs::path icon = folder.resolve("icons/teijinki.png");
    if (fs::exists(icon)) QApplication::setWindowIcon(QIcon(QString::fromStdString(icon.string())));
    else QApplication::setWindowIcon(QIcon(QString::fromUtf8(TEIJINKI_DATA_DIR_BUILD "/icons/teijinki.png")));

    ClockRandom rng;
    ui::ScreenOpener opener;
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
