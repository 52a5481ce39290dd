#pragma once
// What the save/load screen SVLD does, without drawing it: the typed slot number, the save
// question, the slot preview and the load question. The desktop screen shows these values and
// calls these procedures from its buttons; it closes when `closed` becomes true.

#include <string>
#include <string_view>
#include <vector>

#include "saveload/save_slots.h"
#include "saveload/slot_list.h"
#include "world/game_folder.h"
#include "world/host.h"
#include "world/shared_values.h"

namespace teijinki {

inline constexpr const char* kSvldHelp = "セーブ番号を打ち込んでください";
inline constexpr const char* kSvldSaveCaption = "セーブ画面";
inline constexpr const char* kSvldLoadCaption = "ロード画面";
inline constexpr const char* kSvldBack = "戻る";
inline constexpr const char* kSvldClear = "取消";
inline constexpr const char* kSvldConfirm = "決定";
inline constexpr const char* kSaveQuestion = "でセーブしますか？";
inline constexpr const char* kLoadQuestion = "これをロードしますか？";
inline constexpr const char* kSaveFailed = "セーブできませんでした。";
inline constexpr const char* kLoadFailed = "ロードできませんでした。";
inline constexpr const char* kStandingsNotLoaded = "※勢力推移の記録が壊れているため、記録はこの年から始め直します。";

class SvldRules {
public:
    SvldRules(const GameFolder& folder, SharedValues& shared, Host& host);

    // Form_Load / init_rtn: an empty number, the captions, the list of the slots there are; the
    // screen works as the save screen when start_mode is 1 and as the load screen when it is 2.
    void init_rtn();
    // A slot picked from the list: its number replaces the typed one.
    void pick_slot(std::size_t index);
    // A digit button 0..9.
    void Command1_Click(int digit);
    // 0 "取消": the number is cleared; 1 "決定": save or load after the question.
    void Command2_Click(int index);
    // "戻る": form_result 0, the screen closes.
    void Command3_Click();
    // Text typed at the keyboard, appended as it stands (a character that is not a digit is
    // refused when the number is confirmed).
    void type_text(std::string_view text);

    // The slot operations on typed_no (Command2_Click refuses a bad number first, and the slot
    // files refuse one too). Each returns true when it was carried out; otherwise the player has
    // been told why (and `problem` holds the same text).
    bool save_rtn();
    bool Rinload_rtn();
    bool load_rtn();

    // The load's writes to the working files (tests make one fail).
    FileWriter writer = write_file_replacing;

    std::vector<SlotListEntry> saved_slots;  // the slots in \save\, newest first
    std::string typed_no;
    std::string Lab_num = "save";
    std::string Hlp;
    std::string caption;
    std::string slot_info;
    // Told with the load question when the slot's standings are damaged (the game loads whole).
    std::string standings_notice;
    bool closed = false;
    std::string problem;  // the last failure shown to the player

private:
    bool is_save_screen() const { return shared_.start_mode == 1; }
    bool refuse_bad_number();
    void tell(const std::string& text);

    const GameFolder& folder_;
    SharedValues& shared_;
    Host& host_;
};

}  // namespace teijinki
