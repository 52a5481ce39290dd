#pragma once
// Everything the rules need from a person or a device goes through this interface: the desktop
// program answers with modal dialogs, the headless program from its options, tests from a script.

#include <string>

namespace teijinki {

class PageStore;

enum class Buttons { Ok, OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

// Why the message window is shown.
enum MsgMode : int { kMsgCredits = 0, kMsgStrategy = 1, kMsgYearEnd = 2, kMsgReport = 3 };

class Host {
public:
    virtual ~Host() = default;

    // A modal message box; returns the button pressed (Ok for an Ok-only box).
    virtual Answer message_box(const std::string& text, Buttons buttons) = 0;
    // The message window over the given pages in a mode; returns when the player closes it.
    // caution: the "player is under attack" notice is shown.
    virtual void show_pages(const PageStore& pages, int msg_mode, bool caution) = 0;
    // The end-of-game screens shown before the closing credits. The standings' chart comes
    // first; a front end without pictures has nothing to show for it.
    virtual void show_standings() {}
    virtual void show_warlord_list() = 0;
    virtual void show_map() = 0;
    // Music: play a piece from the start ("china1", "french1", "Game01"); false when it cannot
    // be played. stop_music closes the player.
    virtual bool play_music(const std::string& piece) = 0;
    virtual void stop_music() = 0;
    // The program ends (after the final screens, or when the player gives up).
    virtual void end_program() = 0;
};

}  // namespace teijinki
