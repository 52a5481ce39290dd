// The comment file: the sheet's reader and the editor's rewrite on a damaged file with any typed
// text. After a rewrite the general's comment reads back as the editor stores it (a leading point
// of an item made full-width), and the file still reads.

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "screens/comments.h"
#include "world/error.h"
#include "world/list_io.h"

using namespace teijinki;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int general = fuzz::take(data, size, 5);
    // The input is the file, then (after the first NUL) the typed text.
    const std::string all(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = all.find('\0');
    const std::string file = all.substr(0, cut);
    const std::string typed = cut == std::string::npos ? std::string() : all.substr(cut + 1);
    fuzz::put_text_table();
    fuzz::put("ini/Cmtsv.ini", file);
    const GameFolder folder(fuzz::folder_root());
    try {
        (void)ld_Comment_rtn(folder, general, 4);
        if (!sv_Cmt_rtn(folder, general, "名", typed)) return 0;
        const std::string shown = ld_Comment_rtn(folder, general, 200);
        // What the sheet shows of the typed text: every list item of every line.
        std::string expected;
        if (!typed.empty()) {
            std::size_t pos = 0;
            for (;;) {
                const std::size_t eol = typed.find('\n', pos);
                std::string piece = typed.substr(pos, eol == std::string::npos ? std::string::npos : eol - pos);
                if (!piece.empty() && piece.back() == '\r') piece.pop_back();
                if (piece.find('\r') != std::string::npos) return 0;  // a lone CR is a line end of its own
                for (const auto& item : split_items(escape_comment_line(piece))) expected += "  " + item + "\r\n";
                if (eol == std::string::npos) break;
                pos = eol + 1;
            }
        }
        // The read-back is promised for files in the game's own shape: plain headers ".N" with
        // ascending ids, closing "." lines, no other line starting with "." and no lone CR.
        // Anything else is copied as it stands and may read differently.
        bool well_formed = file.find('\r') == std::string::npos || file.find("\r\n") != std::string::npos;
        for (std::size_t i = 0; i + 1 < file.size(); ++i)
            if (file[i] == '\r' && file[i + 1] != '\n') well_formed = false;
        int last_id = 0;
        for (const auto& line : split_lines(file)) {
            if (line.empty() || line[0] != '.' || line == ".") continue;
            if (line.size() > 4 || line.find_first_not_of("0123456789", 1) != std::string::npos) {
                well_formed = false;
                break;
            }
            const int id = std::stoi(line.substr(1));
            if (id <= last_id) well_formed = false;
            last_id = id;
        }
        if (well_formed && shown != expected) __builtin_trap();
    } catch (const DataError& e) {
        if (e.file().empty()) __builtin_trap();
    }
    return 0;
}
