#pragma once
// A game folder: a directory holding ini/, CG/, midi/ and save/. The game names its files with
// literal paths such as "\ini\busv.ini"; they resolve inside the folder with '/', matching existing
// names without regard to letter case (the game spells one file several ways).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>
#include <unordered_map>
#include <utility>
#include <vector>

#include "world/cp932_memo.h"
#include "world/encoding.h"

namespace teijinki {

// What tells one version of a file from another without reading it.
struct FileStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = -1;
    long long mtime_ns = 0;
    bool operator==(const FileStamp&) const = default;
};

// One step of a folder's file work, kept when a benchmark asks for it: it measures a game's file
// work done bare, without the rules, against the whole game.
struct FileStep {
    enum class Kind {
        Check,    // the file's status only: its known version was still good
        Read,     // opened and read whole
        Write,    // written beside and renamed over
        Replace,  // the scratch file overwritten in place and exchanged with it
        Copy,     // read whole, then written as Write
    };
    Kind kind = Kind::Read;
    std::filesystem::path path;   // relative to the folder
    std::filesystem::path other;  // a replacement's scratch file, a copy's target
    std::size_t bytes = 0;        // written
};

// One version of a text file as it was read or written: its bytes, its text in UTF-8, and what
// has been worked out from that text, which is kept with it so that it goes when the file changes.
class FileText {
public:
    FileText(std::string bytes, std::optional<std::string> decoded)
        : bytes_(std::move(bytes)), decoded_(std::move(decoded)), shift_jis_(decoded_.has_value()) {}
    // Shift-JIS bytes known to decode whole (a decoded version's lines and encoded text): the
    // text is made the first time it is asked for, if ever. The log is such a version; nothing
    // but a screen reads its text.
    struct DecodeLater {};
    FileText(std::string bytes, DecodeLater) : bytes_(std::move(bytes)), shift_jis_(true) {}
    FileText(const FileText&) = delete;
    FileText& operator=(const FileText&) = delete;

    const std::string& bytes() const { return bytes_; }
    // A UTF-8 file's text is its bytes; only a Shift-JIS file keeps a decoded copy.
    const std::string& text() const { return !shift_jis_ ? bytes_ : decoded_ ? *decoded_ : decode_now(); }
    bool is_utf8() const { return !shift_jis_; }

    // Where each line starts (after each line feed, and at 0), in the text and in the bytes, with
    // the end as the last entry: the two line up, a line feed being the same byte in both
    // encodings. Worked out on the first call; bytes is left empty for a UTF-8 file.
    struct LineStarts {
        std::vector<std::uint32_t> text;
        std::vector<std::uint32_t> bytes;
    };
    const LineStarts& line_starts() const;
    // Line starts its maker already knows, equal to what line_starts() would work out.
    void know_line_starts(LineStarts starts) const;

    // What make() works out from this text (records, say), made on the first call with a key and
    // handed out again afterwards. The pointer shares ownership of this text, so views into it
    // stay valid as long as the result is held. A key is told apart per type T, so two kinds of
    // derived data never mistake each other's. make() may also hand over what its writer already
    // knows the text to hold (the version just written), as long as a reading would give the same.
    template <class T>
    std::shared_ptr<const T> derived(const std::shared_ptr<const FileText>& self, int key,
                                     const std::function<std::shared_ptr<const T>()>& make) const {
        for (const Derived& d : derived_)
            if (d.key == key && *d.type == typeid(T))
                return std::shared_ptr<const T>(self, static_cast<const T*>(d.value.get()));
        std::shared_ptr<const T> made = make();
        derived_.push_back({key, &typeid(T), made});
        return std::shared_ptr<const T>(self, made.get());
    }

private:
    const std::string& decode_now() const;

    std::string bytes_;
    mutable std::optional<std::string> decoded_;
    bool shift_jis_;
    mutable std::unique_ptr<const LineStarts> line_starts_;
    // Never handed out itself (only aliases of the file's own pointer are), so nothing made from
    // the text can keep the text alive in a cycle.
    struct Derived {
        int key;
        const std::type_info* type;
        std::shared_ptr<const void> value;
    };
    mutable std::vector<Derived> derived_;
};

class GameFolder {
public:
    explicit GameFolder(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }

    // The path of a literal such as "\ini\busv.ini" or "CG\x.jpg": an existing entry of any letter
    // case is used; a missing one gets the spelling given.
    std::filesystem::path resolve(std::string_view literal) const;
    bool exists(std::string_view literal) const;
    // A file's size in bytes, nullopt when it does not exist: one look at the file.
    std::optional<unsigned long long> file_size(std::string_view literal) const;

    // The encoding this folder's text files are written in, detected from its template table.
    Encoding encoding() const;

    // Whole text of a file, decoded to UTF-8. Throws DataError naming the file when it is missing
    // or is neither UTF-8 nor Shift-JIS. A copy: the text is only kept by the folder when it
    // already knew the file (see read_shared).
    std::string read_text(std::string_view literal) const;
    // The same without a copy. The file is read again only when it may have changed since this
    // folder last read or wrote it: its inode, size or modification time differ, or that time is
    // too recent to tell a later change in the same clock tick (then the bytes are compared, and
    // what was worked out from an unchanged text is kept).
    std::shared_ptr<const FileText> read_shared(std::string_view literal) const;
    // Same, but nullptr when the file does not exist.
    std::shared_ptr<const FileText> read_shared_if_present(std::string_view literal) const;
    // Same, but nullopt when the file does not exist.
    std::optional<std::string> read_text_if_present(std::string_view literal) const;
    // read_text for a file the game only reads (scenario masters, template tables): a control
    // character other than tab, CR and LF is damage there, and is refused naming file and line.
    std::string read_master_text(std::string_view literal) const;

    // Replace a file's whole content, encoded in the folder's encoding. The new content reaches
    // the file by an atomic rename, so a crash leaves either the old or the new file, never half.
    void write_text(std::string_view literal, std::string utf8) const;
    // Replace a file atomically and leave its old bytes under the scratch name, as the rewrites
    // through a scratch copy always have. The fresh file is exchanged with the old one, so the old
    // bytes are neither copied nor is the flush paid that renaming over a file costs on ext4.
    // Returns the version the file now holds as a read would give it (null when a read would
    // refuse the bytes), so that what its writer knows of it can be kept with it.
    std::shared_ptr<const FileText> replace_keeping_old(std::string_view literal, std::string_view scratch,
                                                        std::string utf8) const;
    // The same for a file that only grows (the log): the new content is the first `keep` bytes
    // of old, the version just read (cut at the start of a line), followed by tail. The kept
    // bytes are neither decoded nor encoded again, and no whole text of the file is made.
    void extend_keeping_old(std::string_view literal, std::string_view scratch,
                            std::shared_ptr<const FileText> old, std::size_t keep, std::string_view tail) const;
    // Whole-file byte copy that replaces the destination atomically. Throws DataError when the
    // source is missing or the destination cannot be written.
    void copy_file(std::string_view from, std::string_view to) const;

    // Throws DataError naming the folder when its disk has less than `bytes` free, so a step that
    // writes several files can refuse before the first instead of stopping half way.
    void ensure_free_space(std::string_view literal_dir, unsigned long long bytes) const;

    // From now on every step of file work is appended to steps (nullptr: none kept).
    void keep_file_work(std::vector<FileStep>* steps) const { steps_ = steps; }

    // Short name for messages: the literal with '/' separators.
    static std::string display_name(std::string_view literal);

    // Text in the folder's encoding; a character its code page lacks (typed by the player, say)
    // becomes "?" rather than making the whole file unwritable.
    std::string encode(std::string_view utf8) const;

private:
    // What this folder remembers of one literal: where it resolved, and the file's last version.
    struct Known {
        std::filesystem::path path;
        bool resolved = false;
        bool exact = false;  // every part of the literal was found as spelled
        std::shared_ptr<const FileText> content;
        FileStamp stamp;
        bool trusted = false;  // the stamp alone proves the content (see read_shared)
    };
    Known& known(std::string_view literal) const;
    // Resolves through the remembered path when it is still right; fills st when the file exists.
    bool resolve_known(Known& k, std::string_view literal, FileStamp* stamp) const;
    void resolve_afresh(Known& k, std::string_view literal) const;
    std::shared_ptr<const FileText> read_known(Known& k, std::string_view literal) const;
    // The bytes a rewrite puts in a file, and the text a read of them gives (null when a read
    // would refuse them).
    struct Written {
        std::string bytes;  // moved into text when there is one
        std::shared_ptr<const FileText> text;
        const std::string& data() const;
    };
    Written written(const std::shared_ptr<const FileText>& old, std::string utf8) const;
    // The same made from the lines of the version it replaces (old in the folder's encoding);
    // nullptr when it cannot be made that way. utf8 is taken only when the result is not null.
    std::shared_ptr<const FileText> rewritten(const FileText& old, std::string& utf8) const;
    // After this folder wrote a file: what it holds now, not trusted by its stamp until a read.
    void remember(Known& k, std::shared_ptr<const FileText> text) const;
    // Puts w into the file through its scratch file (see replace_keeping_old).
    std::shared_ptr<const FileText> exchange_in(std::string_view literal, std::string_view scratch, Written w) const;

    std::filesystem::path root_;
    mutable std::optional<Encoding> encoding_;
    void step(FileStep::Kind kind, const std::filesystem::path& path, const std::filesystem::path& other = {},
              std::size_t bytes = 0) const;

    // Only ever touched from the thread that runs the rules.
    // Looked up by the literal as given, without a string made for it (hundreds of lookups a year).
    struct LiteralHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view literal) const { return std::hash<std::string_view>{}(literal); }
    };
    mutable std::unordered_map<std::string, Known, LiteralHash, std::equal_to<>> known_;
    mutable std::vector<FileStep>* steps_ = nullptr;
    // The characters this (Shift-JIS) folder's rewrites have put into bytes so far.
    mutable Cp932Memo cp932_memo_;
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
