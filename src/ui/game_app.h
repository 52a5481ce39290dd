#pragma once
// The desktop game from the title screen to the end: one set of shared values for the run, the
// title screen and the main screen handing over to each other, the Host they share.

#include <QObject>
#include <QPointer>
#include <memory>

#include "ui/qt_host.h"
#include "ui/screen_opener.h"
#include "world/game_folder.h"
#include "world/random.h"
#include "world/shared_values.h"

namespace teijinki::ui {

class MainScreen;
class TitleScreen;

class GameApp : public QObject {
    Q_OBJECT
public:
    // The opener and the random source are the program's; tests pass their own.
    GameApp(const GameFolder& folder, ScreenOpener& opener, RandomSource& rng);
    ~GameApp() override;

    QtHost& host() { return host_; }
    SharedValues& shared() { return shared_; }
    TitleScreen* title() const;
    MainScreen* main() const;

    // Shows a fresh title screen (at start, and after 最初から).
    void show_title();
    // Hands over from the title screen to the main screen and opens the game.
    void show_main();

signals:
    // The game is over or the player quit: the program ends.
    void finished();

private:
    const GameFolder& folder_;
    RandomSource& rng_;
    SharedValues shared_;
    QtHost host_;
    QPointer<TitleScreen> title_;
    QPointer<MainScreen> main_;
};

}  // namespace teijinki::ui
