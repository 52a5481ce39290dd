#include "screens/comments.h"

#include <vector>

#include "world/list_io.h"
#include "world/record_file.h"
#include "world/template_composer.h"

namespace teijinki {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// A line of the file with its own line end, so copied records keep their bytes.
struct RawLine {
    std::string_view body;
    std::string_view whole;
};

std::vector<RawLine> raw_lines(std::string_view text) {
    std::vector<RawLine> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t eol = text.find_first_of("\r\n", pos);
        if (eol == std::string_view::npos) {
            lines.push_back({text.substr(pos), text.substr(pos)});
            break;
        }
        std::size_t next = eol + 1;
        if (text[eol] == '\r' && next < text.size() && text[next] == '\n') ++next;
        lines.push_back({text.substr(pos, eol - pos), text.substr(pos, next - pos)});
        pos = next;
    }
    return lines;
}

void append_line(std::string& out, std::string_view whole) {
    // A copied line may end in a lone CR, which the readers take as a line end too.
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += kCrLf;
    out += whole;
}

}  // namespace

std::string escape_comment_line(std::string_view line) {
    // Walks the line as the list reader splits it, looking at the start of every item's value.
    std::string out;
    out.reserve(line.size() + 8);
    std::size_t pos = 0;
    const std::size_t n = line.size();
    const auto widen_leading_point = [&] {
        if (pos < n && line[pos] == '.') {
            out += kCommentPoint;
            ++pos;
        }
    };
    for (;;) {
        while (pos < n && is_blank(line[pos])) out += line[pos++];
        if (pos < n && line[pos] == '"') {
            out += line[pos++];
            widen_leading_point();
            const std::size_t close = line.find('"', pos);
            const std::size_t end = close == std::string_view::npos ? n : close + 1;
            out.append(line.substr(pos, end - pos));
            pos = end;
            while (pos < n && line[pos] != ',') out += line[pos++];
        } else {
            widen_leading_point();
            while (pos < n && line[pos] != ',') out += line[pos++];
        }
        if (pos >= n) break;
        out += line[pos++];  // the comma
    }
    return out;
}

std::string ld_Comment_rtn(const GameFolder& folder, int general_id, int bushou_count) {
    std::string comment;
    ListReader in(folder.read_text(files::kComments), GameFolder::display_name(files::kComments));
    while (!in.eof()) {
        const std::string item = in.item();
        const int id = marker_id(item);
        if (id == general_id && id >= 1) {
            if (!in.eof()) in.item();  // the name
            while (!in.eof()) {
                const std::string line = in.item();
                if (!line.empty() && line[0] == '.') break;
                comment += "  " + line + kCrLf;
            }
            break;
        }
        if (id >= bushou_count) break;
    }
    return comment;
}

bool sv_Cmt_rtn(const GameFolder& folder, int general_id, std::string_view name, std::string_view typed) {
    if (general_id < 1) return false;
    const std::string text = folder.read_text(files::kComments);
    const std::vector<RawLine> lines = raw_lines(text);

    std::string out;
    out.reserve(text.size() + typed.size() + 64);
    bool found = false;
    bool in_other_record = false;
    for (const RawLine& line : lines) {
        const bool marker = !line.body.empty() && line.body[0] == '.';
        const int id = marker_id(line.body);  // -1 for a line that is no marker
        if (in_other_record) {
            // A header met before the closing "." starts the next record rather than being
            // swallowed as this one's end, so a record without its closing line loses nothing.
            if (!(marker && id >= 1)) {
                append_line(out, line.whole);
                if (marker) in_other_record = false;
                continue;
            }
            in_other_record = false;
        }
        if (!marker || id <= 0) continue;  // the replaced record's lines, or stray lines
        append_line(out, line.whole);
        if (id == general_id) {
            found = true;
            append_line(out, quote_text(name) + kCrLf);
            if (!typed.empty()) {
                std::size_t pos = 0;
                for (;;) {
                    const std::size_t eol = typed.find('\n', pos);
                    std::string_view piece = typed.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
                    if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
                    append_line(out, escape_comment_line(piece) + kCrLf);
                    if (eol == std::string_view::npos) break;
                    pos = eol + 1;
                }
            }
            append_line(out, std::string(".") + kCrLf);
        } else {
            in_other_record = true;
        }
    }
    if (!found) return false;
    folder.copy_file(files::kComments, files::kCommentsScratch);
    folder.write_text(files::kComments, out);
    return true;
}

}  // namespace teijinki
