#pragma once
// A game folder: a directory holding ini/, CG/, midi/ and save/. The game names its files with
// literal paths such as "\ini\busv.ini"; they resolve inside the folder with '/', matching existing
// names without regard to letter case (the game spells one file several ways).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "world/encoding.h"

namespace teijinki {

class GameFolder {
public:
    explicit GameFolder(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }

    // The path of a literal such as "\ini\busv.ini" or "CG\x.jpg": an existing entry of any letter
    // case is used; a missing one gets the spelling given.
    std::filesystem::path resolve(std::string_view literal) const;
    bool exists(std::string_view literal) const;

    // The encoding this folder's text files are written in, detected from its template table.
    Encoding encoding() const;

    // Whole text of a file, decoded to UTF-8. Throws DataError naming the file when it is missing
    // or is neither UTF-8 nor Shift-JIS.
    std::string read_text(std::string_view literal) const;
    // Same, but nullopt when the file does not exist.
    std::optional<std::string> read_text_if_present(std::string_view literal) const;
    // read_text for a file the game only reads (scenario masters, template tables): a control
    // character other than tab, CR and LF is damage there, and is refused naming file and line.
    std::string read_master_text(std::string_view literal) const;

    // Replace a file's whole content, encoded in the folder's encoding. The new content reaches
    // the file by an atomic rename, so a crash leaves either the old or the new file, never half.
    void write_text(std::string_view literal, std::string_view utf8) const;
    // Replace a file atomically and leave its old bytes under the scratch name, as the rewrites
    // through a scratch copy always have. The fresh file is exchanged with the old one, so the old
    // bytes are neither copied nor is the flush paid that renaming over a file costs on ext4.
    void replace_keeping_old(std::string_view literal, std::string_view scratch, std::string_view utf8) const;
    // Whole-file byte copy that replaces the destination atomically. Throws DataError when the
    // source is missing or the destination cannot be written.
    void copy_file(std::string_view from, std::string_view to) const;

    // Throws DataError naming the folder when its disk has less than `bytes` free, so a step that
    // writes several files can refuse before the first instead of stopping half way.
    void ensure_free_space(std::string_view literal_dir, unsigned long long bytes) const;

    // Short name for messages: the literal with '/' separators.
    static std::string display_name(std::string_view literal);

    // Text in the folder's encoding; a character its code page lacks (typed by the player, say)
    // becomes "?" rather than making the whole file unwritable.
    std::string encode(std::string_view utf8) const;

private:

    std::filesystem::path root_;
    mutable std::optional<Encoding> encoding_;
};

// Raw byte helpers shared by everything that writes into a game folder.
std::optional<std::string> read_bytes(const std::filesystem::path& path);
// Writes to a temporary file beside the target and renames it over the target.
void write_bytes_atomic(const std::filesystem::path& path, std::string_view bytes, const std::string& label);
// Writes a file that nothing relies on surviving a crash (scratch copies): removed and created
// anew, which costs far less than replacing it.
void write_bytes_scratch(const std::filesystem::path& path, std::string_view bytes, const std::string& label);
// Decodes file bytes (UTF-8, else Shift-JIS); throws DataError with the label on failure.
std::string decode_text(std::string_view bytes, const std::string& label);

// Splits text into lines at CR LF, LF or a lone CR; a final line break ends the last line.
std::vector<std::string> split_lines(std::string_view text);

}  // namespace teijinki
