// The desktop program's peak resident memory through a year with the music on: the real program
// plays one year of its demo tour offscreen (title, main screen, message window), each screen up
// for a while so that every piece really plays, into ALSA's null device under a scratch HOME (no
// sound card needed). The same run without a soundfont shows what the music costs, and a run that
// also opens the information screens shows the rest of the program.
//   desktop_memory_bench [runs, default 3]
// TEIJINKI_DESKTOP names another desktop program to measure; TEIJINKI_SOUNDFONT another soundfont.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "media/soundfont.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace teijinki;
using bench::median;

namespace {

constexpr double kGoalMb = 80.0;

struct Outcome {
    double peak_mb = 0;
    bool ok = false;
    std::string complaint;  // what the program said on its error output about the music
};

// One run of the program with the given tour and soundfont; its peak resident size.
Outcome run_once(const std::string& program, const fs::path& home, const std::string& tour, const std::string& soundfont) {
    // This environment, less what points the program at a display, a sound server or a setting.
    std::vector<std::string> env_strings;
    const std::vector<std::string> replaced = {"HOME=", "XDG_RUNTIME_DIR=", "QT_QPA_PLATFORM=", "TEIJINKI_TOUR=",
                                               "TEIJINKI_SOUNDFONT=", "DISPLAY=", "WAYLAND_DISPLAY=", "PULSE_SERVER="};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (std::none_of(replaced.begin(), replaced.end(), [&](const std::string& r) { return entry.rfind(r, 0) == 0; }))
            env_strings.push_back(entry);
    }
    env_strings.push_back("HOME=" + home.string());
    env_strings.push_back("XDG_RUNTIME_DIR=" + (home / "run").string());
    env_strings.push_back("QT_QPA_PLATFORM=offscreen");
    env_strings.push_back("TEIJINKI_TOUR=" + tour);
    env_strings.push_back("TEIJINKI_SOUNDFONT=" + soundfont);
    std::vector<char*> env;
    for (std::string& e : env_strings) env.push_back(e.data());
    env.push_back(nullptr);
    const std::string shots = (home / "shots").string();
    const std::string errors = (home / "errors.txt").string();
    std::vector<std::string> args = {program, "--screenshots", shots};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    Outcome out;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), env.data()) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        out.complaint = "cannot be started";
        return out;
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    out.peak_mb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    out.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::ifstream in(errors);
    for (std::string line; std::getline(in, line);)
        if (line.find("music") != std::string::npos) out.complaint = line;
    if (!out.ok && out.complaint.empty()) out.complaint = "the tour ended with a failure";
    return out;
}


}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const char* given = std::getenv("TEIJINKI_DESKTOP");
    const std::string program = given && *given ? given : TEIJINKI_DESKTOP;
    if (!fs::exists(program)) {
        std::fprintf(stderr, "desktop_memory_bench: %s is not built\n", program.c_str());
        return 2;
    }
    const SoundfontSearch found = find_soundfont();
    if (!found.file) {
        std::fprintf(stderr, "desktop_memory_bench: %s\n", found.error.c_str());
        return 2;
    }
    std::string pattern = (fs::temp_directory_path() / "teijinki-memory-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return 2;
    const fs::path home = pattern;
    fs::create_directories(home / "run");
    fs::permissions(home / "run", fs::perms::owner_all, fs::perm_options::replace);
    // ALSA's null device: the music is synthesized and played in real time, and heard by nobody.
    std::ofstream(home / ".asoundrc") << "pcm.!default { type null }\n";

    struct Measure {
        const char* what;
        std::string tour;
        bool music;
        bool goal;  // the figure the goal is about
    };
    const std::vector<Measure> measures = {
        {"title, main screen, message window, music on", "year-with-music", true, true},
        {"the same without music (no soundfont)", "year-with-music", false, false},
        {"with the information screens too, music on", "year-with-music-and-info-screens", true, false},
    };
    std::printf("soundfont: %s; %d runs of each, peak resident size\n", found.file->c_str(), runs);
    int status = 0;
    for (const Measure& m : measures) {
        std::vector<double> peaks;
        std::string complaint;
        for (int i = 0; i < runs; ++i) {
            const Outcome o = run_once(program, home, m.tour, m.music ? found.file->string() : (home / "none.sf2").string());
            peaks.push_back(o.peak_mb);
            if (!o.complaint.empty()) complaint = o.complaint;
        }
        std::printf("%-48s %6.1f MB", m.what, median(peaks));
        if (m.goal) std::printf("   (goal %.0f MB: %s)", kGoalMb, median(peaks) <= kGoalMb ? "met" : "NOT met");
        std::printf("\n");
        if (m.music && !complaint.empty()) {
            std::printf("  the music did not play: %s\n", complaint.c_str());
            status = 1;
        }
    }
    std::error_code ec;
    fs::remove_all(home, ec);
    return status;
}
