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
        if (!changed) {
            if (used + n <= same->size() && std::memcmp(same->data() + used, chunk, n) == 0) {
                used += n;
                continue;
            }
            changed = true;
            bytes.reserve(std::max(size_hint, used + n));
            bytes.assign(*same, 0, used);
        }
        bytes.append(chunk, n);
        used += n;
    }
    if (!changed && used != same->size()) {
        changed = true;
        bytes.assign(*same, 0, used);
    }
    return true;
}

// The length of the longest common beginning of a and b that ends a line.
std::size_t common_lines(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    constexpr std::size_t kBlock = 256;
    while (i + kBlock <= n && std::memcmp(a.data() + i, b.data() + i, kBlock) == 0) i += kBlock;
    while (i < n && a[i] == b[i]) ++i;
    const std::size_t eol = a.substr(0, i).rfind('\n');
    return eol == std::string_view::npos ? 0 : eol + 1;
}

// Where the line that follows `lines` line feeds starts in text.
std::size_t after_lines(std::string_view text, std::size_t lines) {
    std::size_t pos = 0;
    for (; lines > 0; --lines) pos = text.find('\n', pos) + 1;
    return pos;
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
    const auto found = known_.find(std::string(literal));
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
        if (resolve_known(k, literal, &stamp) && stamp == k.stamp) return k.content;
    }
    // Opening the remembered path proves it still right when it was found as spelled; otherwise
    // (or when it fails) the name is looked for again first.
    if (!(k.resolved && k.exact)) resolve_known(k, literal, nullptr);
    int fd = ::open(k.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        resolve_afresh(k, literal);
        fd = ::open(k.path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    const std::shared_ptr<const FileText> previous = std::move(k.content);
    k.content.reset();
    if (fd < 0) return nullptr;
    struct stat st {};
    std::string bytes;
    bool changed = true;
    const bool ok = ::fstat(fd, &st) == 0 && read_fd(fd, static_cast<std::size_t>(st.st_size),
                                                     previous ? &previous->bytes() : nullptr, bytes, changed);
    ::close(fd);
    if (!ok) return nullptr;
    // Unchanged bytes keep their text and everything worked out from it.
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
        std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : 4;
        if (i + len > utf8.size()) len = utf8.size() - i;
        if (auto piece = from_utf8(utf8.substr(i, len), target))
            out += *piece;
        else
            out += '?';
        i += len;
    }
    return out;
}

void write_bytes_atomic(const fs::path& path, std::string_view bytes, const std::string& label, FileStamp* stamp) {
    static std::atomic<unsigned> counter{0};
    const fs::path temp = path.parent_path() /
        ("." + path.filename().string() + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(label, std::string("cannot be written: ") + std::strerror(errno));
    struct stat st {};
    const bool ok = write_all(fd, bytes) && (!stamp || ::fstat(fd, &st) == 0);
    const int saved = errno;
    if (stamp) *stamp = stamp_of(st);
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

GameFolder::Written GameFolder::written(const std::shared_ptr<const FileText>& old, std::string utf8) const {
    // A rewrite usually keeps the beginning of the file (a log grows at its end): the lines the
    // old version shares keep their bytes and their known text, and only the rest is encoded and
    // checked, so that the cost follows what changed rather than the size of the file.
    const bool utf8_folder = encoding() == Encoding::Utf8;
    const bool old_plain = old && old->is_utf8();
    std::size_t text_kept = 0;
    std::size_t bytes_kept = 0;
    if (old && old_plain == utf8_folder) {
        text_kept = common_lines(old->text(), utf8);
        bytes_kept = utf8_folder ? text_kept
                                 : after_lines(old->bytes(), static_cast<std::size_t>(std::count(
                                                                 utf8.begin(), utf8.begin() + static_cast<std::ptrdiff_t>(text_kept), '\n')));
    }
    Written out;
    if (utf8_folder) {
        out.bytes = std::move(utf8);  // its own bytes: nothing to encode
    } else {
        out.bytes.reserve(bytes_kept + (utf8.size() - text_kept) + 16);
        out.bytes.append(old ? std::string_view(old->bytes()).substr(0, bytes_kept) : std::string_view());
        out.bytes += encode(std::string_view(utf8).substr(text_kept));
    }
    const std::string_view fresh = std::string_view(out.bytes).substr(bytes_kept);
    // The text is what reading these bytes would give (make_text), known without reading them.
    if (utf8_folder ? is_valid_utf8(fresh) : is_valid_utf8(out.bytes)) {
        out.text = std::make_shared<const FileText>(std::move(out.bytes), std::nullopt);
        return out;
    }
    if (!utf8_folder && text_kept > 0) {
        if (auto tail = to_utf8(fresh, Encoding::ShiftJis)) {
            std::string text(std::string_view(old->text()).substr(0, text_kept));
            text += *tail;
            out.text = std::make_shared<const FileText>(std::move(out.bytes), std::move(text));
            return out;
        }
    }
    if (auto text = to_utf8(out.bytes, Encoding::ShiftJis))
        out.text = std::make_shared<const FileText>(std::move(out.bytes), std::move(text));
    return out;  // bytes that a read will refuse: nothing to remember
}

const std::string& GameFolder::Written::data() const { return text ? text->bytes() : bytes; }

void GameFolder::remember(Known& k, std::shared_ptr<const FileText> text, const FileStamp& stamp) const {
    k.content = std::move(text);
    k.stamp = stamp;
    k.trusted = false;  // written just now: a change in the same time stamp would not show
}

void GameFolder::write_text(std::string_view literal, std::string utf8) const {
    Known& k = known(literal);
    resolve_known(k, literal, nullptr);
    Written w = written(k.content, std::move(utf8));
    FileStamp stamp;
    k.content.reset();
    write_bytes_atomic(k.path, w.data(), display_name(literal), &stamp);
    remember(k, std::move(w.text), stamp);
}

void write_bytes_scratch(const fs::path& path, std::string_view bytes, const std::string& label) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(label, std::string("cannot be written: ") + std::strerror(errno));
    const bool ok = write_all(fd, bytes);
    const int err = errno;
    if (::close(fd) != 0 || !ok) throw DataError(label, std::string("cannot be written: ") + std::strerror(err));
}

void GameFolder::write_scratch(std::string_view literal, std::string_view utf8) const {
    known(literal).content.reset();
    write_bytes_scratch(resolve(literal), encode(utf8), display_name(literal));
}

void GameFolder::replace_keeping_old(std::string_view literal, std::string_view scratch, std::string utf8) const {
    Known& k = known(literal);
    Known& s = known(scratch);
    resolve_known(k, literal, nullptr);
    resolve_known(s, scratch, nullptr);
    const fs::path& path = k.path;
    const fs::path& scratch_path = s.path;
    const std::string label = display_name(literal);
    Written w = written(k.content, std::move(utf8));
    const std::string& bytes = w.data();
    // From here the files change: what was known of them is forgotten until the end says.
    k.content.reset();
    s.content.reset();
    // The new content goes into the scratch file, overwritten in place: creating and freeing
    // files is what costs on this disk, reusing one costs almost nothing. Nothing reads the
    // scratch file, so a crash while it is written loses nothing.
    const int fd = ::open(scratch_path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) throw DataError(display_name(scratch), std::string("cannot be written: ") + std::strerror(errno));
    struct stat st {};
    const bool ok = write_all(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
                    ::fstat(fd, &st) == 0;
    const int saved = errno;
    if (::close(fd) != 0 || !ok)
        throw DataError(display_name(scratch), std::string("cannot be written: ") + std::strerror(ok ? errno : saved));
    // One atomic exchange: the working file gets the new content, the scratch name the old.
    if (::renameat2(AT_FDCWD, scratch_path.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
        remember(k, std::move(w.text), stamp_of(st));
        return;
    }
    // No working file yet, or a file system that cannot exchange: rename over it, then leave the
    // old bytes (if any) under the scratch name.
    auto old = read_bytes(path);
    if (::rename(scratch_path.c_str(), path.c_str()) != 0)
        throw DataError(label, std::string("cannot be replaced: ") + std::strerror(errno));
    remember(k, std::move(w.text), stamp_of(st));
    if (old) write_bytes_scratch(scratch_path, *old, display_name(scratch));
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
    auto bytes = read_bytes(resolve(from));
    if (!bytes) throw DataError(display_name(from), "file not found");
    write_bytes_atomic(resolve(to), *bytes, display_name(to));
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
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
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
