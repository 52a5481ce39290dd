#pragma once
// Where the game's files live on a Linux machine. The shipped data (scenario tables, pictures,
// music) are only ever read; a game is played in a game folder of its own, which starts as a copy
// of the shipped data and then holds the working files and the save slots.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace teijinki {

// The places the shipped data may be, in the order they are tried.
struct DataSearch {
    std::string env_data;              // $TEIJINKI_DATA: taken as it stands when set
    std::filesystem::path exe_dir;     // the program's folder: <prefix>/bin -> <prefix>/share/teijinki/data
    std::vector<std::filesystem::path> built_in;  // folders compiled in (install prefix, source tree)
};

// The search as this process sees it: $TEIJINKI_DATA and /proc/self/exe, then built_in.
DataSearch data_search_here(std::vector<std::filesystem::path> built_in);

// True when dir holds a game's template table (ini/Text.ini, in any letter case).
bool holds_game_data(const std::filesystem::path& dir);

// The shipped data folder: $TEIJINKI_DATA when set, else the first place that holds the game's
// files. When none does, the first place tried, so that the message names a folder.
std::filesystem::path find_shipped_data(const DataSearch& search);

// The per-user game folder: $XDG_DATA_HOME/teijinki (an absolute XDG_DATA_HOME only, as the XDG
// rules say), else $HOME/.local/share/teijinki. Throws DataError when neither is set.
std::filesystem::path user_game_folder(const std::string& xdg_data_home, const std::string& home);

// The desktop program's game folder: the folder given on the command line, else the current
// directory when it holds a game, else the per-user folder. The shipped data folder itself is
// never chosen, as the game writes into its game folder: given explicitly it is refused with a
// DataError, as the current directory it is passed over.
std::filesystem::path choose_game_folder(const std::optional<std::filesystem::path>& given,
                                         const std::filesystem::path& current_dir,
                                         const std::filesystem::path& user_folder,
                                         const std::filesystem::path& shipped_data);

// Fills a game folder from the shipped data when it does not hold a game yet, and makes its
// save/ folder. A folder that holds a game is used as it is: nothing in it is overwritten. A
// folder that does not exist yet is built beside its final place and renamed into it, so an
// interrupted first start never leaves half a game folder behind. Throws DataError naming the
// folder when the data are missing or a file cannot be written.
void fill_game_folder(const std::filesystem::path& dir, const std::filesystem::path& shipped_data);

}  // namespace teijinki
