#pragma once
// The comment working file \ini\Cmtsv.ini: per general a header ".id", the name, the comment
// lines and a closing ".". The general sheet reads one comment; the comment editor replaces one.

#include <string>
#include <string_view>

#include "world/game_folder.h"

namespace teijinki {

// A comment line whose list item would begin with "." reads as a record header, so such items
// are stored behind this mark, which the reader takes off again. An item that begins with the
// mark itself is marked too, so every typed line reads back as typed.
inline constexpr char kCommentEscape = '\\';

// The comment of a general as the sheet shows it: every list item of its comment lines as two
// blanks, the item and CR LF. Empty when the general has no record. The scan stops after the
// header whose id reaches bushou_count.
std::string ld_Comment_rtn(const GameFolder& folder, int general_id, int bushou_count);

// One typed line as it is stored: marked where a list item would begin with "." or the mark.
std::string escape_comment_line(std::string_view line);
// One list item as it is shown: without the mark.
std::string unescape_comment_item(std::string_view item);

// The editor's rewrite: the comment file copied to \ini\Cmtimg.ini and written anew with the
// general's record replaced by the header, the name, the typed lines and a closing ".". Every
// other record is copied byte for byte; lines outside the records are dropped. Returns false,
// writing nothing, when the general has no record in the file.
bool sv_Cmt_rtn(const GameFolder& folder, int general_id, std::string_view name, std::string_view typed);

}  // namespace teijinki
