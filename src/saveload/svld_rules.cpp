#include "saveload/svld_rules.h"

#include "world/error.h"
#include "world/template_composer.h"

namespace teijinki {

SvldRules::SvldRules(const GameFolder& folder, SharedValues& shared, Host& host)
    : folder_(folder), shared_(shared), host_(host) {}

void SvldRules::init_rtn() {
    // Each opening of the screen makes its rules afresh: only what differs from a new one is set.
    Hlp = kSvldHelp;
    caption = shared_.start_mode == 1 ? kSvldSaveCaption : shared_.start_mode == 2 ? kSvldLoadCaption : "";
    saved_slots = list_slots(folder_);
}

void SvldRules::pick_slot(std::size_t index) {
    if (index >= saved_slots.size()) return;
    typed_no = saved_slots[index].number;
    Lab_num = "save" + typed_no;
}

void SvldRules::Command1_Click(int digit) {
    if (digit < 0 || digit > 9) return;
    type_text(std::string(1, static_cast<char>('0' + digit)));
}

void SvldRules::type_text(std::string_view text) {
    typed_no += text;
    Lab_num = "save" + typed_no;
}

void SvldRules::Command3_Click() {
    shared_.form_result = 0;
    closed = true;
}

void SvldRules::tell(const std::string& text) {
    problem = text;
    host_.message_box(text, Buttons::Ok);
}

bool SvldRules::refuse_bad_number() {
    const std::string why = slot_number_problem(typed_no);
    if (why.empty()) return false;
    tell(why);
    return true;
}

void SvldRules::Command2_Click(int index) {
    if (index == 0) {
        typed_no.clear();
        Lab_num = "save";
        return;
    }
    if (index != 1) return;
    if (refuse_bad_number()) return;
    const std::string name = Lab_num;
    if (is_save_screen()) {
        if (host_.message_box(name + kSaveQuestion, Buttons::OkCancel) != Answer::Ok) return;
        // form_result says a save was made, so it is set only when the save is whole.
        if (!save_rtn()) return;
        shared_.form_result = 1;
        closed = true;
    } else if (shared_.start_mode == 2) {
        if (!Rinload_rtn()) return;
        std::string question = name + slot_info + kCrLf;
        if (!standings_notice.empty()) question += standings_notice + kCrLf;
        if (host_.message_box(question + kLoadQuestion, Buttons::OkCancel) != Answer::Ok) return;
        // A load that did not go through leaves the game as it was and the screen open.
        if (!load_rtn()) return;
        shared_.form_result = 1;
        closed = true;
    }
}

bool SvldRules::save_rtn() {
    try {
        write_slot(folder_, typed_no, slot_from_shared(shared_));
    } catch (const std::exception& e) {
        tell(std::string(kSaveFailed) + kCrLf + e.what());
        return false;
    }
    return true;
}

bool SvldRules::Rinload_rtn() {
    try {
        // The whole slot is checked, so that a load is offered only for a slot that can be loaded.
        const LoadedSlot loaded = read_slot(folder_, typed_no);
        slot_info = slot_preview(loaded.slot);
        standings_notice.clear();
        if (!loaded.standings_problem.empty())
            standings_notice = std::string(kStandingsNotLoaded) + kCrLf + "（" + loaded.standings_problem + "）";
    } catch (const std::exception& e) {
        tell(std::string(kFileNotFound) + kCrLf + e.what());
        return false;
    }
    return true;
}

bool SvldRules::load_rtn() {
    LoadedSlot loaded;
    try {
        // Read again: the files may have changed while the question was open.
        loaded = read_slot(folder_, typed_no);
    } catch (const std::exception& e) {
        tell(std::string(kFileNotFound) + kCrLf + e.what());
        return false;
    }
    try {
        restore_working_files(folder_, loaded, writer);
    } catch (const std::exception& e) {
        tell(std::string(kLoadFailed) + kCrLf + e.what());
        return false;
    }
    slot_to_shared(loaded.slot, shared_);
    return true;
}

}  // namespace teijinki
