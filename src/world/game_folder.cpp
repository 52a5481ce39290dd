#include "world/game_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "world/error.h"

namespace fs = std::filesystem;

namespace teijinki {

namespace {

std::string lower_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::vector<std::string> literal_parts(std::string_view literal) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : literal) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

// A file whose modification time is this close to the moment its bytes were read may still change
// within the same time stamp (FAT keeps times to two seconds), so its stamp proves nothing yet.
constexpr long long kStampMarginNs = 3'000'000'000LL;

long long coarse_now_ns() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME_COARSE, &ts);
    return static_cast<long long>(ts.tv_sec) * 1'000'000'000LL + ts.tv_nsec;
}

FileStamp stamp_of(const struct stat& st) {
    return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
            static_cast<long long>(st.st_size),
            static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec};
}

bool stat_path(const fs::path& path, FileStamp* stamp) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    if (stamp) *stamp = stamp_of(st);
    return true;
}

// Reads an open file whole. While its bytes match `same` (the version known before) nothing is
// kept but a count: most reads find a file unchanged, and then no copy of it is made at all.
// Returns false when it cannot be read; otherwise `changed` is false when the bytes were `same`.
bool read_fd(int fd, std::size_t size_hint, const std::string* same, std::string& bytes, bool& changed) {
    char chunk[16384];
    std::size_t used = 0;
    changed = same == nullptr;
    if (changed) bytes.reserve(size_hint);
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (got == 0) break;
        const auto n = static_cast<std::size_t>(got);
        // A short read that reaches the size the file had when opened is its end: one call less.
        const bool at_end = n < sizeof chunk && used + n == size_hint;
        if (!changed) {
            if (used + n <= same->size() && std::memcmp(same->data() + used, chunk, n) == 0) {
                used += n;
                if (at_end) break;
                continue;
            }
            changed = true;
            bytes.reserve(std::max(size_hint, used + n));
            bytes.assign(*same, 0, used);
        }
        bytes.append(chunk, n);
        used += n;
        if (at_end) break;
    }
    if (!changed && used != same->size()) {
        changed = true;
        bytes.assign(*same, 0, used);
    }
    return true;
}

// How long a and b stay the same from their beginnings.
std::size_t common_length(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    // Large steps first: a grown log shares all its old bytes, and one comparison tells.
    for (const std::size_t block : {std::size_t{4096}, std::size_t{64}})
        while (i + block <= n && std::memcmp(a.data() + i, b.data() + i, block) == 0) i += block;
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

std::vector<std::uint32_t> starts_of_lines(std::string_view text) {
    std::vector<std::uint32_t> starts{0};
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* p = begin; p < end;) {
        const void* feed = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        if (!feed) break;
        p = static_cast<const char*>(feed) + 1;
        starts.push_back(static_cast<std::uint32_t>(p - begin));
    }
    if (starts.back() != text.size()) starts.push_back(static_cast<std::uint32_t>(text.size()));
    return starts;
}

bool write_all(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

GameFolder::GameFolder(fs::path root) : root_(std::move(root)) {}

std::string GameFolder::display_name(std::string_view literal) {
    std::string out;
    for (const auto& part : literal_parts(literal)) {
        if (!out.empty()) out += '/';
        out += part;
    }
    return out;
}

GameFolder::Known& GameFolder::known(std::string_view literal) const {
    const auto found = known_.find(literal);
    if (found != known_.end()) return found->second;
    return known_.emplace(std::string(literal), Known{}).first->second;
}

void GameFolder::resolve_afresh(Known& k, std::string_view literal) const {
    fs::path path = root_;
    bool exact_so_far = true;
    for (const auto& part : literal_parts(literal)) {
        fs::path exact = path / part;
        std::error_code ec;
        if (fs::exists(exact, ec)) {
            path = exact;
            continue;
        }
        // Look for the same name in another letter case.
        const std::string wanted = lower_ascii(part);
        fs::path found;
        for (const auto& entry : fs::directory_iterator(path, ec)) {
            if (lower_ascii(entry.path().filename().string()) == wanted) {
                found = entry.path();
                break;
            }
        }
        if (!found.empty()) exact_so_far = false;
        path = found.empty() ? exact : found;
    }
    k.path = std::move(path);
    k.exact = exact_so_far;
    k.resolved = true;
}

bool GameFolder::resolve_known(Known& k, std::string_view literal, FileStamp* stamp) const {
    // A path found as spelled stays right while it exists. One found in another letter case is
    // checked against the spelling given, which would win if such a file appeared. A missing file
    // is looked for again every time: it may have appeared in any letter case.
    if (k.resolved && stat_path(k.path, stamp)) {
        if (k.exact) return true;
        fs::path spelled = root_;
        for (const auto& part : literal_parts(literal)) spelled /= part;
        if (!stat_path(spelled, nullptr)) return true;
    }
    resolve_afresh(k, literal);
    return stat_path(k.path, stamp);
}

fs::path GameFolder::resolve(std::string_view literal) const {
    Known& k = known(literal);
    resolve_known(k, literal, nullptr);
    return k.path;
}

bool GameFolder::exists(std::string_view literal) const { return resolve_known(known(literal), literal, nullptr); }

std::optional<unsigned long long> GameFolder::file_size(std::string_view literal) const {
    FileStamp stamp;
    if (!resolve_known(known(literal), literal, &stamp)) return std::nullopt;
    return static_cast<unsigned long long>(stamp.size);
}

Encoding GameFolder::encoding() const {
    if (!encoding_) {
        encoding_ = Encoding::Utf8;
        for (const char* probe : {"\\ini\\Text.ini", "\\ini\\busv.ini", "\\ini\\Command.ini"}) {
            if (auto bytes = read_bytes(resolve(probe))) {
                if (!is_valid_utf8(*bytes)) encoding_ = Encoding::ShiftJis;
                break;
            }
        }
    }
    return *encoding_;
}

std::optional<std::string> read_bytes(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::string bytes;
    bool changed = true;
    const bool ok = ::fstat(fd, &st) == 0 && read_fd(fd, static_cast<std::size_t>(st.st_size), nullptr, bytes, changed);
    ::close(fd);
    if (!ok) return std::nullopt;
    return bytes;
}

std::string decode_text(std::string_view bytes, const std::string& label) {
    if (is_valid_utf8(bytes)) return std::string(bytes);
    if (auto text = to_utf8(bytes, Encoding::ShiftJis)) return *text;
    throw DataError(label, "not readable as UTF-8 or Shift-JIS text (a broken byte)");
}

namespace {

// A text of bytes read or about to be written: UTF-8 kept as it is, else decoded from Shift-JIS.
std::shared_ptr<const FileText> make_text(std::string bytes, const std::string& label) {
    if (is_valid_utf8(bytes)) return std::make_shared<const FileText>(std::move(bytes), std::nullopt);
    auto text = to_utf8(bytes, Encoding::ShiftJis);
    if (!text) throw DataError(label, "not readable as UTF-8 or Shift-JIS text (a broken byte)");
    return std::make_shared<const FileText>(std::move(bytes), std::move(text));
}

}  // namespace

std::shared_ptr<const FileText> GameFolder::read_shared_if_present(std::string_view literal) const {
    return read_known(known(literal), literal);
}

std::shared_ptr<const FileText> GameFolder::read_known(Known& k, std::string_view literal) const {
    const long long now = coarse_now_ns();
    if (k.content && k.trusted) {
        FileStamp stamp;
        if (resolve_known(k, literal, &stamp) && stamp == k.stamp) {
            step(FileStep::Kind::Check, k.path);
            return k.content;
        }
    }
    // Opening the remembered path proves it still right when it was found as spelled; otherwise
    // (or when it fails) the name is looked for again first.
    if (!(k.resolved && k.exact)) resolve_known(k, literal, nullptr);
    int fd = ::open(k.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        resolve_afresh(k, literal);
        fd = ::open(k.path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    const std::shared_ptr<const FileText> previous = std::move(k.content);  // leaves k.content empty
    if (fd < 0) {
        step(FileStep::Kind::Check, k.path);
        return nullptr;
    }
    struct stat st {};
    std::string bytes;
    bool changed = true;
    const bool ok = ::fstat(fd, &st) == 0 && read_fd(fd, static_cast<std::size_t>(st.st_size),
                                                     previous ? &previous->bytes() : nullptr, bytes, changed);
    ::close(fd);
    if (!ok) return nullptr;
    // Unchanged bytes keep their text and everything worked out from it.
    step(FileStep::Kind::Read, k.path);
    k.content = changed ? make_text(std::move(bytes), display_name(literal)) : previous;
    k.stamp = stamp_of(st);
    k.trusted = k.stamp.mtime_ns + kStampMarginNs < now;
    return k.content;
}

std::shared_ptr<const FileText> GameFolder::read_shared(std::string_view literal) const {
    if (auto text = read_shared_if_present(literal)) return text;
    throw DataError(display_name(literal), exists(literal) ? "cannot be read" : "file not found");
}

std::string GameFolder::read_text(std::string_view literal) const {
    if (auto text = read_text_if_present(literal)) return std::move(*text);
    throw DataError(display_name(literal), exists(literal) ? "cannot be read" : "file not found");
}

std::string GameFolder::read_master_text(std::string_view literal) const {
    std::string text = read_text(literal);
    // A broken byte inside a Shift-JIS file can pair with its neighbour into a valid character
    // and leave a stray DEL or control byte behind, which decodes without complaint.
    int line = 1;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\n') ++line;
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F) {
            char code[8];
            std::snprintf(code, sizeof code, "0x%02X", c);
            throw DataError(display_name(literal), "line " + std::to_string(line) + " holds the control byte " +
                                                       code + " (a damaged byte)");
        }
    }
    return text;
}

std::optional<std::string> GameFolder::read_text_if_present(std::string_view literal) const {
    // A copy is wanted, so a file not known yet (a scenario master, read once) is not kept.
    Known& k = known(literal);
    const bool kept = k.content != nullptr;
    auto text = read_known(k, literal);
    if (!kept) k.content.reset();
    if (!text) return std::nullopt;
    return text->text();
}

std::string GameFolder::encode(std::string_view utf8) const {
    const Encoding target = encoding();
    if (auto encoded = from_utf8(utf8, target)) return *encoded;
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        // A byte that starts no character stands alone: it must not swallow the ones after it.
        std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
        if (i + len > utf8.size()) len = utf8.size() - i;
        if (auto piece = from_utf8(utf8.substr(i, len), target))
            out += *piece;
        else
            out += '?';
        i += len;
    }
    return out;
}

void write_bytes_atomic(const fs::path& path, std::string_view bytes, const std::string& label) {
    static std::atomic<unsigned> counter{0};
    const fs::path temp = path.parent_path() /
        ("." + path.filename().string() + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(label, std::string("cannot be written: ") + std::strerror(errno));
    const bool ok = write_all(fd, bytes);
    const int saved = errno;
    if (::close(fd) != 0 || !ok) {
        ::unlink(temp.c_str());
        throw DataError(label, std::string("cannot be written: ") + std::strerror(ok ? errno : saved));
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw DataError(label, std::string("cannot be replaced: ") + std::strerror(err));
    }
}

void FileText::know_line_starts(LineStarts starts) const {
    if (!line_starts_) line_starts_ = std::make_unique<const LineStarts>(std::move(starts));
}

const std::string& FileText::decode_now() const {
    auto text = to_utf8(bytes_, Encoding::ShiftJis);
    // Only bytes known to decode are made to wait; should that ever fail, it is said, not hidden.
    if (!text) throw DataError("a Shift-JIS text", "not readable as Shift-JIS text (a broken byte)");
    decoded_ = std::move(text);
    return *decoded_;
}

const FileText::LineStarts& FileText::line_starts() const {
    if (!line_starts_) {
        auto starts = std::make_unique<LineStarts>();
        starts->text = starts_of_lines(text());
        if (shift_jis_) starts->bytes = starts_of_lines(bytes_);
        line_starts_ = std::move(starts);
    }
    return *line_starts_;
}

namespace {

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Whether fresh is valid UTF-8, given that old (valid) is the version it replaces: only what lies
// between the bytes the two share at their beginnings and at their ends is checked, each shared
// stretch cut back to a whole character.
bool valid_beside(std::string_view old, std::string_view fresh) {
    std::size_t head = common_length(old, fresh);
    const std::size_t room = std::min(old.size(), fresh.size()) - head;
    std::size_t tail = 0;
    while (tail < room && old[old.size() - 1 - tail] == fresh[fresh.size() - 1 - tail]) ++tail;
    while (head > 0 && head < old.size() && is_continuation(old[head])) --head;
    while (tail > 0 && is_continuation(old[old.size() - tail])) --tail;
    return is_valid_utf8(fresh.substr(head, fresh.size() - tail - head));
}

}  // namespace

std::shared_ptr<const FileText> GameFolder::rewritten(const FileText& old, std::string& utf8) const {
    // A rewrite mostly keeps lines as they were (a log grows at its end, a record file changes a
    // few records). UTF-8 needs only the stretch between what stayed the same at both ends checked.
    if (old.is_utf8()) {
        if (!valid_beside(old.text(), utf8)) return nullptr;
        return std::make_shared<const FileText>(std::move(utf8), std::nullopt);
    }
    // Shift-JIS: unchanged lines keep their old bytes and text, found a stretch at a time; only the
    // changed lines are converted, all in one piece there and back (the pieces are told apart
    // again by their line feeds).
    const FileText::LineStarts& starts = old.line_starts();
    const std::vector<std::uint32_t>& at_text = starts.text;
    const std::vector<std::uint32_t>& at_bytes = starts.bytes;
    if (at_bytes.size() != at_text.size()) return nullptr;
    const std::string_view old_text = old.text();
    const std::string_view fresh = utf8;
    const std::size_t lines = at_text.size() - 1;

    // The new text as stretches: old lines kept (first..last), or changed lines of the new text.
    struct Stretch {
        bool kept;
        std::size_t first, last;  // kept: old line numbers; changed: where in the new text
        std::size_t feeds;        // changed: its line feeds
    };
    std::vector<Stretch> stretches;
    std::string changed;
    std::size_t at = 0;
    for (std::size_t line = 0; at < fresh.size();) {
        if (line < lines) {
            const std::size_t same = common_length(fresh.substr(at), old_text.substr(at_text[line]));
            // The old lines line..last-1 lie whole within what stayed the same.
            const auto beyond = std::upper_bound(at_text.begin() + static_cast<std::ptrdiff_t>(line) + 1, at_text.end(),
                                                 static_cast<std::uint32_t>(at_text[line] + same));
            const auto last = static_cast<std::size_t>(beyond - at_text.begin()) - 1;
            if (last > line) {
                stretches.push_back({true, line, last, 0});
                at += at_text[last] - at_text[line];
                line = last;
                continue;
            }
        }
        const std::size_t feed = fresh.find('\n', at);
        const std::size_t end = feed == std::string_view::npos ? fresh.size() : feed + 1;
        if (stretches.empty() || stretches.back().kept) stretches.push_back({false, at, at, 0});
        stretches.back().last = end;
        stretches.back().feeds += feed == std::string_view::npos ? 0 : 1;
        changed += fresh.substr(at, end - at);
        at = end;
        ++line;
    }
    // Changed lines are put into bytes through the folder's memo of characters (see Cp932Memo):
    // the converter is needed only for characters not met before. A changed line with a character
    // that does not come back from a read as it went in (one the code page lacks or maps two
    // ways) goes through the converter whole, there and back: a read's text is what came back.
    std::string changed_bytes;
    std::optional<std::string> changed_back;  // what a read gives of changed_bytes, when not changed
    if (!cp932_memo_.encode(changed, changed_bytes)) {
        changed_bytes = encode(changed);
        changed_back = to_utf8(changed_bytes, Encoding::ShiftJis);
        if (!changed_back) return nullptr;
        if (*changed_back == changed) changed_back.reset();
    }
    const bool text_is_fresh = !changed_back;
    std::string bytes;
    std::string text;
    bytes.reserve(old.bytes().size() + changed_bytes.size());
    if (!text_is_fresh) text.reserve(fresh.size() + 1024);
    std::size_t bytes_at = 0, back_at = 0;
    // A changed stretch's share of a converted whole: up to its last line feed, or to the end for
    // the stretch that ends the text without one.
    auto share = [](std::string_view converted, std::size_t& from, const Stretch& st, bool to_end) {
        std::size_t end = from;
        for (std::size_t k = 0; k < st.feeds && end < converted.size(); ++k) {
            const std::size_t feed = converted.find('\n', end);
            end = feed == std::string_view::npos ? converted.size() : feed + 1;
        }
        if (to_end) end = converted.size();
        const std::string_view out = converted.substr(from, end - from);
        from = end;
        return out;
    };
    // The new version's line starts are known from the stretches: the kept ones lend the old
    // version's, the changed ones are looked through. (Its next rewrite then scans nothing whole.)
    FileText::LineStarts next;
    next.text.reserve(at_text.size() + 16);
    next.bytes.reserve(at_bytes.size() + 16);
    next.text.push_back(0);
    next.bytes.push_back(0);
    std::size_t text_size = 0;
    auto note_feeds = [](std::vector<std::uint32_t>& starts, std::string_view piece, std::size_t at) {
        for (std::size_t p = piece.find('\n'); p != std::string_view::npos; p = piece.find('\n', p + 1))
            starts.push_back(static_cast<std::uint32_t>(at + p + 1));
    };
    for (const Stretch& st : stretches) {
        if (st.kept) {
            const std::size_t text_from = at_text[st.first], bytes_from = at_bytes[st.first];
            for (std::size_t l = st.first + 1; l <= st.last; ++l) {
                if (old_text[at_text[l] - 1] != '\n') continue;  // the end of a last line without a feed
                next.text.push_back(static_cast<std::uint32_t>(text_size + at_text[l] - text_from));
                next.bytes.push_back(static_cast<std::uint32_t>(bytes.size() + at_bytes[l] - bytes_from));
            }
            bytes.append(old.bytes(), bytes_from, at_bytes[st.last] - bytes_from);
            if (!text_is_fresh) text.append(old_text, text_from, at_text[st.last] - text_from);
            text_size += at_text[st.last] - text_from;
            continue;
        }
        const bool to_end = fresh[st.last - 1] != '\n';
        const std::string_view piece = share(changed_bytes, bytes_at, st, to_end);
        note_feeds(next.bytes, piece, bytes.size());
        bytes += piece;
        const std::string_view text_piece =
            text_is_fresh ? fresh.substr(st.first, st.last - st.first) : share(*changed_back, back_at, st, to_end);
        note_feeds(next.text, text_piece, text_size);
        if (!text_is_fresh) text += text_piece;
        text_size += text_piece.size();
    }
    // The text is what a read of these bytes gives (make_text).
    std::optional<std::string> decoded;
    if (!is_valid_utf8(bytes)) decoded = text_is_fresh ? std::move(utf8) : std::move(text);
    auto made = std::make_shared<const FileText>(std::move(bytes), std::move(decoded));
    if (text_size == made->text().size()) {
        if (next.text.back() != text_size) next.text.push_back(static_cast<std::uint32_t>(text_size));
        if (next.bytes.back() != made->bytes().size()) next.bytes.push_back(static_cast<std::uint32_t>(made->bytes().size()));
        if (made->is_utf8()) next.bytes.clear();  // as line_starts() leaves it for a UTF-8 text
        made->know_line_starts(std::move(next));
    }
    return made;
}

GameFolder::Written GameFolder::written(const std::shared_ptr<const FileText>& old, std::string utf8) const {
    Written out;
    const bool utf8_folder = encoding() == Encoding::Utf8;
    // An old version in the folder's own encoding lends its unchanged lines.
    if (old && old->is_utf8() == utf8_folder) {
        out.text = rewritten(*old, utf8);
        if (out.text) return out;
    }
    out.bytes = utf8_folder ? std::move(utf8) : encode(utf8);
    // No usable old version: what a read of the bytes would make of them.
    if (is_valid_utf8(out.bytes)) {
        out.text = std::make_shared<const FileText>(std::move(out.bytes), std::nullopt);
    } else if (auto text = to_utf8(out.bytes, Encoding::ShiftJis)) {
        out.text = std::make_shared<const FileText>(std::move(out.bytes), std::move(text));
    }
    return out;  // without a text: bytes that a read will refuse, nothing to remember
}

const std::string& GameFolder::Written::data() const { return text ? text->bytes() : bytes; }

void GameFolder::remember(Known& k, std::shared_ptr<const FileText> text) const {
    k.content = std::move(text);
    k.trusted = false;  // written just now: a change in the same time stamp would not show (a read sets the stamp)
}

void GameFolder::write_text(std::string_view literal, std::string utf8) const {
    Known& k = known(literal);
    resolve_known(k, literal, nullptr);
    Written w = written(k.content, std::move(utf8));
    k.content.reset();
    step(FileStep::Kind::Write, k.path, {}, w.data().size());
    write_bytes_atomic(k.path, w.data(), display_name(literal));
    remember(k, std::move(w.text));
}

void write_bytes_scratch(const fs::path& path, std::string_view bytes, const std::string& label) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(label, std::string("cannot be written: ") + std::strerror(errno));
    const bool ok = write_all(fd, bytes);
    const int err = errno;
    if (::close(fd) != 0 || !ok) throw DataError(label, std::string("cannot be written: ") + std::strerror(err));
}

std::shared_ptr<const FileText> GameFolder::replace_keeping_old(std::string_view literal, std::string_view scratch,
                                                                std::string utf8) const {
    return exchange_in(literal, scratch, written(known(literal).content, std::move(utf8)));
}

void GameFolder::extend_keeping_old(std::string_view literal, std::string_view scratch,
                                    std::shared_ptr<const FileText> old, std::size_t keep, std::string_view tail) const {
    const std::string_view kept = std::string_view(old->bytes()).substr(0, keep);
    const bool utf8_folder = encoding() == Encoding::Utf8;
    Written w;
    if (old->is_utf8() == utf8_folder) {
        // Made at its final size at once: a growing string would double its room.
        std::string bytes;
        bytes.reserve(kept.size() + tail.size());  // Shift-JIS takes no more bytes than UTF-8
        bytes += kept;
        if (utf8_folder && is_valid_utf8(tail)) {
            w.text = std::make_shared<const FileText>(std::move(bytes += tail), std::nullopt);
        } else if (!utf8_folder) {
            if (!cp932_memo_.encode(tail, bytes)) bytes += encode(tail);
            // What a read would make of these bytes: UTF-8 is taken as it is (a hand-edited log).
            if (is_valid_utf8(bytes))
                w.text = std::make_shared<const FileText>(std::move(bytes), std::nullopt);
            else
                w.text = std::make_shared<const FileText>(std::move(bytes), FileText::DecodeLater{});
        }
    }
    if (!w.text) {
        // A log in the other encoding, or text that is not UTF-8: the whole text goes the usual way.
        std::string utf8 = decode_text(kept, display_name(literal)).append(tail);
        old.reset();
        replace_keeping_old(literal, scratch, std::move(utf8));
        return;
    }
    old.reset();
    exchange_in(literal, scratch, std::move(w));
}

std::shared_ptr<const FileText> GameFolder::exchange_in(std::string_view literal, std::string_view scratch,
                                                        Written w) const {
    Known& k = known(literal);
    Known& s = known(scratch);
    // A path found as spelled is written without a look: were the file gone, the exchange below
    // fails and the name is looked for again, and a scratch file made anew under the spelling
    // given is the one a lookup would find.
    if (!(k.resolved && k.exact)) resolve_known(k, literal, nullptr);
    if (!(s.resolved && s.exact)) resolve_known(s, scratch, nullptr);
    const fs::path& path = k.path;
    const fs::path& scratch_path = s.path;
    const std::string label = display_name(literal);
    const std::string& bytes = w.data();
    step(FileStep::Kind::Replace, path, scratch_path, bytes.size());
    // From here the files change: what was known of them is forgotten until the end says.
    k.content.reset();
    s.content.reset();
    // The new content goes into the scratch file, overwritten in place: creating and freeing
    // files is what costs on this disk, reusing one costs almost nothing. Nothing reads the
    // scratch file, so a crash while it is written loses nothing.
    const int fd = ::open(scratch_path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(display_name(scratch), std::string("cannot be written: ") + std::strerror(errno));
    struct stat st {};
    // Cut back only when the scratch held more than was written (a growing file never does).
    const auto size = static_cast<off_t>(bytes.size());
    const bool ok = write_all(fd, bytes) && ::fstat(fd, &st) == 0 &&
                    (st.st_size == size || ::ftruncate(fd, size) == 0);
    const int saved = errno;
    if (::close(fd) != 0 || !ok)
        throw DataError(display_name(scratch), std::string("cannot be written: ") + std::strerror(ok ? errno : saved));
    // One atomic exchange: the working file gets the new content, the scratch name the old.
    auto exchange = [&] { return ::renameat2(AT_FDCWD, scratch_path.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0; };
    if (exchange() || (errno == ENOENT && (resolve_afresh(k, literal), exchange()))) {
        remember(k, std::move(w.text));
        return k.content;
    }
    // No working file yet, or a file system that cannot exchange: rename over it, then leave the
    // old bytes (if any) under the scratch name.
    auto old = read_bytes(path);
    if (::rename(scratch_path.c_str(), path.c_str()) != 0)
        throw DataError(label, std::string("cannot be replaced: ") + std::strerror(errno));
    remember(k, std::move(w.text));
    if (old) write_bytes_scratch(scratch_path, *old, display_name(scratch));
    return k.content;
}

void GameFolder::ensure_free_space(std::string_view literal_dir, unsigned long long bytes) const {
    struct statvfs info {};
    if (::statvfs(resolve(literal_dir).c_str(), &info) != 0) return;  // cannot tell: let the writes speak
    const unsigned long long available = static_cast<unsigned long long>(info.f_bavail) * info.f_frsize;
    if (available < bytes)
        throw DataError(display_name(literal_dir), "No space left on the disk: " + std::to_string(bytes / 1024) +
                                                       " KB are needed, " + std::to_string(available / 1024) +
                                                       " KB are free");
}

void GameFolder::copy_file(std::string_view from, std::string_view to) const {
    known(to).content.reset();
    const fs::path source = resolve(from);
    auto bytes = read_bytes(source);
    if (!bytes) throw DataError(display_name(from), "file not found");
    const fs::path target = resolve(to);
    step(FileStep::Kind::Copy, source, target, bytes->size());
    write_bytes_atomic(target, *bytes, display_name(to));
}

void GameFolder::step(FileStep::Kind kind, const fs::path& path, const fs::path& other, std::size_t bytes) const {
    if (!steps_) return;
    steps_->push_back({kind, path.lexically_relative(root_), other.empty() ? fs::path() : other.lexically_relative(root_),
                       bytes});
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (c == '\r' && text.substr(i + 1, 1) == "\n") ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace teijinki
