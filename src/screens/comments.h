#pragma once
// The comment working file \ini\Cmtsv.ini: per general a header ".id", the name, the comment
// lines and a closing ".". The general sheet reads one comment; the comment editor replaces one.

#include <string>
#include <string_view>

#include "world/game_folder.h"

namespace teijinki {

// A typed list item that begins with "." would read as the end of the comment, so its point is
// stored as this full-width one, which reads and shows as a point of its own. Nothing else is
// marked, so the reader shows every stored line as it is, whoever wrote it.
inline constexpr const char* kCommentPoint = "．";

// The comment of a general as the sheet shows it: every list item of its comment lines as two
// blanks, the item and CR LF. Empty when the general has no record. The scan stops after the
// header whose id reaches bushou_count.
std::string ld_Comment_rtn(const GameFolder& folder, int general_id, int bushou_count);

// One typed line as it is stored: every list item's leading "." made full-width.
std::string escape_comment_line(std::string_view line);

// The editor's rewrite: the comment file copied to \ini\Cmtimg.ini and written anew with the
// general's record replaced by the header, the name, the typed lines and a closing ".". Every
// other record is copied byte for byte; lines outside the records are dropped. Returns false,
// writing nothing, when the general has no record in the file.
bool sv_Cmt_rtn(const GameFolder& folder, int general_id, std::string_view name, std::string_view typed);

}  // namespace teijinki
