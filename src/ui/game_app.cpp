#include "ui/game_app.h"

#include <QTimer>

#include "ui/info/status_dialog.h"
#include "ui/title/title_screen.h"
#include "ui/main/main_screen.h"

namespace teijinki::ui {

GameApp::GameApp(const GameFolder& folder, ScreenOpener& opener, RandomSource& rng)
    : folder_(folder), rng_(rng), host_(folder, opener) {
    host_.set_on_end([this] {
        // Ends after the handler that asked for it has returned.
        QTimer::singleShot(0, this, [this] {
            if (main_) main_->close();
            if (title_) title_->close();
            emit finished();
        });
    });
}

GameApp::~GameApp() {
    delete main_.data();
    delete title_.data();
}

TitleScreen* GameApp::title() const { return title_.data(); }
MainScreen* GameApp::main() const { return main_.data(); }

void GameApp::show_title() {
    if (main_) {
        main_->hide();
        main_->deleteLater();
        main_ = nullptr;
    }
    title_ = new TitleScreen(host_, folder_, shared_, rng_);
    host_.set_parent(title_);
    connect(title_, &TitleScreen::gameReady, this, &GameApp::show_main);
    connect(title_, &TitleScreen::quitRequested, this, [this] {
        host_.stop_music();
        host_.end_program();
    });
    title_->show();
}

void GameApp::show_main() {
    if (title_) {
        title_->hide();
        title_->deleteLater();
        title_ = nullptr;
    }
    main_ = new MainScreen(host_, folder_, shared_, rng_);
    host_.set_parent(main_);
    connect(main_, &MainScreen::restartRequested, this, [this] {
        // The title screen comes back fresh, with scenario 1.
        QTimer::singleShot(0, this, [this] { show_title(); });
    });
    main_->show();
    // The first turn is announced over the visible main screen.
    QTimer::singleShot(0, main_, [this] {
        if (main_) main_->open_game();
    });
}

}  // namespace teijinki::ui
