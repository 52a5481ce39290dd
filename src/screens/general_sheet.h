#pragma once
// What the general sheet shows for one general: name, job, the abilities that matter for the
// job, 器量 and 節度, the comment and the portrait.

#include <string>

#include "world/game_folder.h"

namespace teijinki {

inline constexpr const char* kSheetCaption = "武将の説明";
inline constexpr const char* kCommentHelp = "クリックしてコメントを書き換えられます";
inline constexpr const char* kEditorCaption = "武将のコメントエディタ";

struct GeneralSheet {
    bool found = false;      // the general has a record in \ini\busv.ini
    std::string name;        // Name_lab
    std::string job;         // Skl_Lab(0)
    std::string kinds;       // Skl_Kind(0): ability names by job, one per line
    std::string values;      // Skl_Lab(1): their values
    std::string fixed_kinds; // Skl_Kind(1): 器量 and 節度
    std::string fixed_values;// Skl_Lab(2)
    std::string comment;     // Lab_cmt
    std::string portrait;    // the picture base name ("CG\" + portrait + ".jpg"); "" = none
};

// ld_Chr_rtn, ld_Comment_rtn and Dsp_Chr_rtn of the sheet for general_id. A general outside
// 1..bushou_count gives empty fields (found = false); the comment file may be missing then too. A
// general file that lacks a record within the count throws DataError naming it, as every screen's
// reading does.
GeneralSheet load_general_sheet(const GameFolder& folder, int general_id, int bushou_count);

}  // namespace teijinki
