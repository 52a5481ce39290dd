#include "ui/screenshot_tour.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <charconv>
#include <fstream>
#include <memory>

#include "ui/messages/msg_window.h"
#include "ui/saveload/svld_dialog.h"
#include "ui/info/standings_dialog.h"
#include "ui/info/status_dialog.h"
#include "ui/title/title_screen.h"
#include "turn/command_menu.h"
#include "ui/main/main_screen.h"
#include "turn/year_cycle.h"
#include "ui/game_screens.h"
#include "ui/qt_host.h"
#include "ui/style.h"
#include "ui/window_fit.h"
#include "world/data_location.h"
#include "world/error.h"
#include "world/random.h"

namespace teijinki::ui {

namespace {

// The slot the tour saves to and looks at on the load screen.
constexpr const char* kTourSlot = "07";
// A desktop's taskbar or panel, which the offscreen screen does not have.
constexpr int kDesktopPanel = 48;
// The demo player: the first warlord of scenario 1.
constexpr int kTourScenarioRow = 0;
constexpr int kTourWarlordRow = 0;

// A player that sounds nothing: the tour is silent, while the pieces are still looked up.
class SilentPlayer : public MusicPlayer {
public:
    bool open(const std::filesystem::path&) override { return true; }
    bool play() override { return true; }
    void close() override {}
    const std::string& error() const override { return error_; }

private:
    std::string error_;
};

// Answers every question with the first answer and pictures each dialog the game runs, then
// works it the way a player would to reach the next screen.
class TourHost : public QtHost {
public:
    TourHost(const GameFolder& folder, ScreenOpener& opener, QString out_dir, TourResult& result, std::ostream& log,
             TourOptions& options)
        : QtHost(folder, opener), out_dir_(std::move(out_dir)), result_(result), log_(log), options_(options),
          music_(folder, options.player ? std::move(options.player) : std::make_unique<SilentPlayer>()) {
        set_music(&music_);
    }

    Answer message_box_over(QWidget*, const std::string&, Buttons buttons) override {
        switch (buttons) {
        case Buttons::Ok: return Answer::Ok;
        case Buttons::OkCancel: return Answer::Ok;
        case Buttons::YesNo: return Answer::Yes;
        }
        return Answer::Ok;
    }

    int run_modal(QDialog& dialog) override {
        const QString kind = dialog.objectName();
        if (auto* msg = qobject_cast<MsgWindow*>(&dialog)) {
            message_window(*msg);
        } else if (auto* svld = qobject_cast<SvldDialog*>(&dialog)) {
            save_load(*svld);
        } else if (auto* sheet = qobject_cast<StatusDialog*>(&dialog)) {
            picture(dialog, "general_sheet");
            sheet->Lab_cmt_Click();  // the comment editor over the sheet
        } else if (kind == QStringLiteral("Cmt_Edit")) {
            picture(dialog, "comment_editor");
        } else if (kind == QStringLiteral("Strate")) {
            picture(dialog, "strategy");
        } else if (kind == QStringLiteral("Gdata")) {
            picture(dialog, "warlord_sheet");
            press(dialog, "Command1_1");  // its general table
        } else if (kind == QStringLiteral("B_data")) {
            picture(dialog, "general_table");
        } else if (kind == QStringLiteral("ALL_Gdata")) {
            picture(dialog, "warlord_list");
            press(dialog, "Command1_1");  // 各軍閥所属部将
        } else if (kind == QStringLiteral("All_Bdata")) {
            picture(dialog, "generals_by_warlord");
        } else if (kind == QStringLiteral("Map")) {
            picture(dialog, "map");
            press(dialog, "Command1_1");  // 国一覧
        } else if (kind == QStringLiteral("All_KuniData")) {
            picture(dialog, "province_list");
        } else if (auto* standings = qobject_cast<StandingsDialog*>(&dialog)) {
            point_at_player(*standings);
            picture(dialog, "standings", true);
        } else {
            picture(dialog, kind.toLower().toStdString().c_str());
        }
        dialog.hide();
        if (dialog.result() != QDialog::Accepted) dialog.setResult(QDialog::Rejected);
        return dialog.result();
    }

    // Writes one picture of a widget, once per screen name (again when `again`), and checks
    // that its window lies inside the screen's available area; the screen stays up for the dwell
    // time first.
    void picture(QWidget& w, const char* name, bool again = false) {
        const QString file = QString::fromUtf8(name) + QStringLiteral(".png");
        if (!again && result_.written.contains(file)) return;
        if (!w.isVisible()) w.show();
        for (int i = 0; i < 4; ++i) QApplication::processEvents();
        if (options_.dwell_ms > 0) {
            QElapsedTimer up;
            up.start();
            while (up.elapsed() < options_.dwell_ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        check_fit(w, name);
        if (!options_.pictures) return;
        const QString path = QDir(out_dir_).filePath(file);
        if (!w.grab().save(path, "PNG")) {
            if (result_.problem.isEmpty()) result_.problem = QStringLiteral("cannot write ") + path;
            return;
        }
        if (!result_.written.contains(file)) result_.written << file;
    }

private:
    void check_fit(const QWidget& w, const char* name) {
        const QRect area = available_area(w);
        const QRect outer = w.frameGeometry();
        const QSize least = w.minimumSize().expandedTo(w.minimumSizeHint());
        const QString where = QStringLiteral("%1x%2 at (%3,%4), least %5x%6")
                                  .arg(outer.width()).arg(outer.height()).arg(outer.x()).arg(outer.y())
                                  .arg(least.width()).arg(least.height());
        log_ << "  " << name << ": " << where.toStdString() << "\n";
        if (!area.contains(outer))
            result_.misfits << QString::fromUtf8(name) + QStringLiteral(" (") + where + QStringLiteral(")");
        // The virtual screen has no taskbar and no window decorations; a real desktop takes a
        // panel and a title bar off, and the window must still shrink into what is left.
        const QSize room(area.width() - kUsualFrame.left() - kUsualFrame.right(),
                         area.height() - kUsualFrame.top() - kUsualFrame.bottom() - kDesktopPanel);
        if (least.width() > room.width() || least.height() > room.height())
            result_.misfits << QString::fromUtf8(name) + QStringLiteral(" (cannot shrink below %1x%2 into %3x%4)")
                                                             .arg(least.width()).arg(least.height())
                                                             .arg(room.width()).arg(room.height());
    }

    static void press(QDialog& dialog, const char* name) {
        if (auto* b = dialog.findChild<QPushButton*>(QString::fromUtf8(name))) b->click();
    }

    // The line under the pointer, as hovering the player's line halfway through the game shows it.
    static void point_at_player(StandingsDialog& standings) {
        const auto& series = standings.chart().series;
        for (std::size_t i = 0; i < series.size(); ++i) {
            if (!series[i].player || series[i].points.empty()) continue;
            const auto& points = series[i].points;
            standings.hover(i, QPointF(points[points.size() / 2].year, 0), true);
            return;
        }
    }

    void message_window(MsgWindow& msg) {
        const Pager& pager = msg.pager();
        switch (pager.msg_mode()) {
        case kMsgStrategy:
            // A few pages into the year, where the strategies are told with portraits.
            for (int i = 0; i < 3 && !pager.is_last_page(); ++i) msg.Command1_Click(2);
            picture(msg, "msg_year");
            break;
        case kMsgYearEnd: picture(msg, "msg_year_end"); break;
        case kMsgReport:
            if (pager.text().find(kFinalHeading) != std::string::npos) picture(msg, "msg_final_report", true);
            else picture(msg, "msg_interim_report");
            break;
        case kMsgCredits:
            msg.Command1_Click(2);
            picture(msg, "credits");
            msg.Command1_Click(3);
            picture(msg, "credits_end");
            break;
        default: break;
        }
        msg.Command1_Click(3);
        msg.Command1_Click(0);
    }

    void save_load(SvldDialog& screen) {
        const bool saving = screen.rules().caption == kSvldSaveCaption;
        // The load screen picks the slot from its list, the save screen has the number typed.
        if (!saving && !screen.rules().saved_slots.empty())
            screen.Slot_lst_Click(0);
        else
            for (const char* c = kTourSlot; *c; ++c) screen.Command1_Click(*c - '0');
        picture(screen, saving ? "save" : "load");
        if (saving) screen.Command2_Click(1);
        else screen.Command3_Click();
    }

    QString out_dir_;
    TourResult& result_;
    std::ostream& log_;
    const TourOptions& options_;
    PieceMusic music_;
};

}  // namespace

QStringList tour_screen_names() {
    return {QStringLiteral("title_splash"),     QStringLiteral("title"),          QStringLiteral("main"),
            QStringLiteral("strategy"),         QStringLiteral("save"),           QStringLiteral("load"),
            QStringLiteral("general_sheet"),    QStringLiteral("comment_editor"), QStringLiteral("warlord_sheet"),
            QStringLiteral("general_table"),    QStringLiteral("warlord_list"),   QStringLiteral("generals_by_warlord"),
            QStringLiteral("map"),              QStringLiteral("province_list"),  QStringLiteral("msg_year"),
            QStringLiteral("msg_year_end"),     QStringLiteral("msg_final_report"), QStringLiteral("standings"),
            QStringLiteral("credits"),          QStringLiteral("credits_end")};
}

TourResult run_screenshot_tour(const std::filesystem::path& data_dir, const QString& out_dir, std::uint64_t seed,
                               std::ostream& log, TourOptions options) {
    TourResult result;
    if (!QDir().mkpath(out_dir)) {
        result.problem = QStringLiteral("cannot create the folder ") + out_dir;
        return result;
    }
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        result.problem = QStringLiteral("cannot make a temporary game folder: ") + scratch.errorString();
        return result;
    }
    const std::filesystem::path game_dir = std::filesystem::path(scratch.path().toStdString()) / "game";
    try {
        fill_game_folder(game_dir, data_dir);
    } catch (const std::exception& e) {
        result.problem = QString::fromUtf8(e.what());
        return result;
    }
    const GameFolder folder(game_dir);
    SharedValues shared;
    SeededRandom rng(seed);
    GameScreenOpener opener;
    TourHost host(folder, opener, out_dir, result, log, options);
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) apply_game_style(*app);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        log << "screen " << screen->geometry().width() << "x" << screen->geometry().height() << " at scale "
            << screen->devicePixelRatio() << ", available " << area.width() << "x" << area.height()
            << " (in the desktop's units); each window's frame:\n";
    }

    try {
        // Title: the splash, then scenario 1 with its first warlord ticked, and a new game.
        auto title = std::make_unique<TitleScreen>(host, folder, shared, rng);
        host.set_parent(title.get());
        host.picture(*title, "title_splash");
        while (title->rules().splash_visible) title->Timer1_Timer();
        title->List1_0_Click(kTourScenarioRow);
        auto* warlords = title->findChild<QListWidget*>(QStringLiteral("List1_1"));
        if (!warlords || warlords->count() <= kTourWarlordRow) throw DataError("title screen", "lists no warlord to play");
        warlords->item(kTourWarlordRow)->setSelected(true);
        host.picture(*title, "title");
        title->Command2_Click();
        title.reset();
        log << "title screen done; the demo game starts\n";

        MainScreen main(host, folder, shared, rng);
        host.set_parent(&main);
        main.show();
        main.open_game();
        MainState& m = main.state();
        host.picture(main, "main");

        if (options.info_screens) {
            int own = 0;
            for (int p = 0; p < 4; ++p)
                if (is_own_panel(m, p)) own = p;
            main.Com_Lst_Click(own, 0);  // the strategy screen, left with 戻る
            main.cmdSave_Click();        // saves to the tour's slot
            main.cmdLoad_Click();        // the load screen, left with 戻る
            show_general_sheet(&main, folder, shared, shared.player_lord[0], &host);
            for (int p = 0; p < 4; ++p)
                if (!m.gun_lst[p].ids.empty()) {
                    main.Gun_lst_Click(p, 0);
                    break;
                }
            main.cmdItiran_Click();
            main.Command1_Click(0);  // the map
            log << "screens of the first year done; ";
        }
        log << "the years are handed to the computer\n";

        // The years to the end (or as many as asked): the message window's modes, the final
        // report, the credits.
        int years = 0;
        for (int moves = 0; moves < 400 && !m.game_over && !host.ended(); ++moves) {
            const int year = m.year;
            main.Command1_Click(3);
            if (m.year != year) {
                log << "year " << m.year << "\n";
                if (++years == options.years) break;
            }
        }
        if (!m.game_over && years != options.years) result.problem = QStringLiteral("the demo game did not reach its end");
    } catch (const std::exception& e) {
        result.problem = QString::fromUtf8(e.what());
    }
    if (options.pictures)
        for (const QString& name : tour_screen_names())
            if (!result.written.contains(name + QStringLiteral(".png"))) result.missing << name;
    return result;
}

namespace {

bool parse_whole(const std::string& text, int& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<VirtualScreen> parse_virtual_screen(const std::string& size, const std::string& scale) {
    VirtualScreen screen;
    const auto x = size.find('x');
    if (x == std::string::npos || !parse_whole(size.substr(0, x), screen.width) ||
        !parse_whole(size.substr(x + 1), screen.height))
        return std::nullopt;
    if (screen.width < 320 || screen.height < 320 || screen.width > 16384 || screen.height > 16384) return std::nullopt;
    if (!scale.empty()) {
        bool ok = false;
        screen.scale = QString::fromStdString(scale).toDouble(&ok);
        if (!ok || !(screen.scale >= 0.5 && screen.scale <= 4.0)) return std::nullopt;
    }
    return screen;
}

bool imitate_screen(const VirtualScreen& screen, const std::filesystem::path& config) {
    // The offscreen platform reads its one screen from this description; the scale is the one a
    // player sets for a high-resolution desktop.
    std::ofstream out(config, std::ios::trunc);
    out << R"({"screens":[{"name":"tour","x":0,"y":0,"width":)" << screen.width << R"(,"height":)" << screen.height
        << R"(,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})" << "\n";
    out.close();
    if (!out) return false;
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QByteArray::fromStdString(config.string()));
    qputenv("QT_SCALE_FACTOR", QByteArray::number(screen.scale));
    // A scale of the player's own desktop would come on top of the one imitated.
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_AUTO_SCREEN_SCALE_FACTOR");
    return true;
}

}  // namespace teijinki::ui
