#pragma once
// The state of one year's execution, which the turn engine carries out and the message window then
// shows: the whole world in objects, the page store the story is written into, and the values the
// strategy, war and event procedures share.

#include <string>

#include "messages/page_store.h"
#include "world/game_folder.h"
#include "world/random.h"
#include "world/shared_values.h"
#include "world/template_composer.h"
#include "world/working_set.h"

namespace teijinki {

class TraceSink;

struct MsgState {
    MsgState(const GameFolder& folder_, SharedValues& shared_, RandomSource& rng_, const TemplateTable& text_)
        : folder(folder_), shared(shared_), rng(rng_), text(text_) {}

    const GameFolder& folder;
    SharedValues& shared;
    RandomSource& rng;
    const TemplateTable& text;  // Text.ini

    WorkingSet world;  // chr 0..200, gun 0..20, kuni 0..50
    PageStore pages;

    Int16 contest_score;                    // left by the battle role and force-total procedures
    Table<Int16, kMaxGenerals + 1> chr_list;  // filled by Sch_chr_rtn
    bool Metubou_Flg = false;               // a player's warlord was destroyed in this window
    bool All_Metubou_Flg = false;           // no player's warlord survives
    bool attacked = false;                  // a war of this phase was aimed at a player's warlord
    TraceSink* trace = nullptr;             // optional analysis trace of the year

    // Composes Text.ini section text_no with text_sub1 and text_sub2 onto the pages, and tells the
    // trace which section it was.
    void ld_Text_rtn();
    // Sets text_no and composes it.
    void show_text(int n) {
        shared.text_no = n;
        ld_Text_rtn();
    }
    // Appends a sentence built in code to the current page.
    void append(const std::string& sentence) { pages.append(sentence); }
};

}  // namespace teijinki
