#include "world/data_location.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "world/error.h"
#include "world/game_folder.h"
#include "world/record_file.h"

namespace fs = std::filesystem;

namespace teijinki {

namespace {

bool same_folder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    return !ec && same;
}

void make_owner_writable(const fs::path& dir, std::error_code& ec) {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_write | fs::perms::owner_exec, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::perms add = it->is_directory() ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write;
        fs::permissions(it->path(), add, fs::perm_options::add, ec);
    }
}

}  // namespace

DataSearch data_search_here(std::vector<fs::path> built_in) {
    DataSearch search;
    if (const char* env = std::getenv("TEIJINKI_DATA")) search.env_data = env;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) search.exe_dir = self.parent_path();
    search.built_in = std::move(built_in);
    return search;
}

bool holds_game_data(const fs::path& dir) {
    std::error_code ec;
    if (dir.empty() || !fs::is_directory(dir, ec)) return false;
    return GameFolder(dir).exists(files::kText);
}

fs::path find_shipped_data(const DataSearch& search) {
    if (!search.env_data.empty()) return search.env_data;
    std::vector<fs::path> places;
    if (!search.exe_dir.empty()) places.push_back((search.exe_dir / ".." / "share" / "teijinki" / "data").lexically_normal());
    for (const fs::path& p : search.built_in)
        if (!p.empty()) places.push_back(p);
    for (const fs::path& p : places)
        if (holds_game_data(p)) return p;
    return places.empty() ? fs::path("data") : places.front();
}

fs::path user_game_folder(const std::string& xdg_data_home, const std::string& home) {
    // A relative XDG_DATA_HOME is invalid and ignored.
    if (!xdg_data_home.empty() && fs::path(xdg_data_home).is_absolute()) return fs::path(xdg_data_home) / "teijinki";
    if (!home.empty()) return fs::path(home) / ".local" / "share" / "teijinki";
    throw DataError("$HOME", "is not set, so there is no folder for the game's files; name a game folder on the command line");
}

fs::path choose_game_folder(const std::optional<fs::path>& given, const fs::path& current_dir,
                            const fs::path& user_folder, const fs::path& shipped_data) {
    if (given && !given->empty()) {
        const fs::path dir = fs::absolute(*given);
        if (same_folder(dir, shipped_data))
            throw DataError(dir.string(), "is the game's shipped data, which the game never writes into; name another folder");
        return dir;
    }
    if (holds_game_data(current_dir) && !same_folder(current_dir, shipped_data)) return current_dir;
    return user_folder;
}

void fill_game_folder(const fs::path& dir, const fs::path& shipped_data) {
    std::error_code ec;
    if (!holds_game_data(dir)) {
        if (!holds_game_data(shipped_data))
            throw DataError(GameFolder::display_name(files::kText), "missing from the data folder " + shipped_data.string());
        if (!fs::exists(dir, ec)) {
            // Built under a temporary name and renamed, so the folder appears whole or not at all.
            // A bare name ("game", "game/") has its parent in the current directory.
            fs::path whole = fs::absolute(dir).lexically_normal();
            if (!whole.has_filename()) whole = whole.parent_path();
            const fs::path parent = whole.parent_path();
            fs::create_directories(parent, ec);
            if (ec) throw DataError(parent.string(), "cannot be created: " + ec.message());
            const fs::path partial = parent / (whole.filename().string() + ".partial-" + std::to_string(::getpid()));
            fs::remove_all(partial, ec);
            fs::copy(shipped_data, partial, fs::copy_options::recursive, ec);
            // Installed data may be read-only; the game folder's copies must be writable.
            if (!ec) make_owner_writable(partial, ec);
            if (!ec) fs::rename(partial, whole, ec);
            if (ec) {
                std::error_code ignored;
                fs::remove_all(partial, ignored);
                throw DataError(dir.string(), "cannot be filled from " + shipped_data.string() + ": " + ec.message());
            }
        } else {
            // A folder that exists without a game: what is missing is added, nothing is replaced.
            fs::copy(shipped_data, dir, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
            if (ec) throw DataError(dir.string(), "cannot be filled from " + shipped_data.string() + ": " + ec.message());
        }
    }
    fs::create_directories(dir / "save", ec);
    if (ec) throw DataError((dir / "save").string(), "cannot be created: " + ec.message());
}

}  // namespace teijinki
