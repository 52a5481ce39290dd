// A whole game of teijinki-sim as a process, beside the floor of its file work: a probe process
// that does the same file work (the same opens, reads, checks and replacements, of the same
// sizes, in the same order) without the rules. Both are started alike, one after the other, and
// the medians and their ratio are printed.
//   game_process_bench [runs, default 15] [scenario, default 1] [seed, default 1]
//   game_process_bench --replay STEPS DIR   (the probe itself)
// TEIJINKI_SIM names another teijinki-sim to time (an older build, say); TEIJINKI_DATA another
// data folder (a Shift-JIS one).

#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "turn/main_state.h"
#include "turn/seeded_games.h"
#include "turn/year_cycle.h"
#include "world/error.h"
#include "world/random.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace teijinki;
using bench::median;

namespace {


// The steps as one line each: kind, bytes, path, other ("-" when none).
void save_steps(const std::vector<FileStep>& steps, const fs::path& file) {
    std::ofstream out(file);
    for (const FileStep& s : steps)
        out << static_cast<int>(s.kind) << ' ' << s.bytes << ' ' << s.path.string() << ' '
            << (s.other.empty() ? std::string("-") : s.other.string()) << '\n';
    if (!out) throw DataError(file.string(), "cannot be written");
}

std::vector<FileStep> load_steps(const fs::path& file) {
    std::ifstream in(file);
    std::vector<FileStep> steps;
    int kind = 0;
    FileStep s;
    std::string path, other;
    while (in >> kind >> s.bytes >> path >> other) {
        s.kind = static_cast<FileStep::Kind>(kind);
        s.path = path;
        s.other = other == "-" ? fs::path() : fs::path(other);
        steps.push_back(s);
    }
    return steps;
}

void read_whole(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    static char buffer[16384];
    struct stat st {};
    ::fstat(fd, &st);
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
    ::close(fd);
}

void write_all(int fd, std::size_t bytes) {
    static const std::string filler(16384, 'x');
    while (bytes > 0) {
        const ssize_t n = ::write(fd, filler.data(), std::min(bytes, filler.size()));
        if (n <= 0) return;
        bytes -= static_cast<std::size_t>(n);
    }
}

void write_beside(const fs::path& path, std::size_t bytes) {
    const fs::path temp = path.parent_path() / ("." + path.filename().string() + ".probe");
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    write_all(fd, bytes);
    ::close(fd);
    ::rename(temp.c_str(), path.c_str());
}

// The probe: a game's file work with filler bytes of the same sizes and nothing else.
int replay(const fs::path& steps_file, const fs::path& root) {
    for (const FileStep& s : load_steps(steps_file)) {
        const fs::path path = root / s.path;
        switch (s.kind) {
            case FileStep::Kind::Check: {
                struct stat st {};
                ::stat(path.c_str(), &st);
                break;
            }
            case FileStep::Kind::Read: read_whole(path); break;
            case FileStep::Kind::Write: write_beside(path, s.bytes); break;
            case FileStep::Kind::Copy:
                read_whole(path);
                write_beside(root / s.other, s.bytes);
                break;
            case FileStep::Kind::Replace: {
                const fs::path scratch = root / s.other;
                const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
                if (fd < 0) break;
                write_all(fd, s.bytes);
                ::ftruncate(fd, static_cast<off_t>(s.bytes));
                struct stat st {};
                ::fstat(fd, &st);
                ::close(fd);
                if (::renameat2(AT_FDCWD, scratch.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) != 0)
                    ::rename(scratch.c_str(), path.c_str());
                break;
            }
        }
    }
    return 0;
}

struct Run {
    double wall_ms = 0;
    double cpu_ms = 0;  // user and system time of the process
};

Run run_process(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        throw DataError(args[0], std::string("cannot be started: ") + std::strerror(errno));
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw DataError(args[0], "ended with a failure");
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0; };
    return {std::chrono::duration<double, std::milli>(end - start).count(), ms(usage.ru_utime) + ms(usage.ru_stime)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--replay") return replay(argv[2], argv[3]);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int scenario = argc > 2 ? std::atoi(argv[2]) : 1;
    const std::string seed = argc > 3 ? argv[3] : "1";
    const char* env = std::getenv("TEIJINKI_DATA");
    const fs::path data = env && *env ? fs::path(env) : fs::path(TEIJINKI_DATA_DIR);
    std::string pattern = (fs::temp_directory_path() / "teijinki-process-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return 2;
    const fs::path root = pattern;
    try {
        // The game's file work, step by step, from the same game played in this process.
        const fs::path recorded = root / "recorded";
        prepare_game_folder(data, recorded);
        std::vector<FileStep> steps;
        {
            const GameFolder folder(recorded);
            folder.keep_file_work(&steps);
            SharedValues shared;
            SeededRandom rng(std::stoull(seed));
            QuietHost host;
            if (!start_headless_new_game(folder, shared, rng, host, scenario, {})) return 2;
            MainState m(folder, shared, rng, host);
            open_main(m);
            while (!m.game_over && auto_move(m)) {
            }
        }
        const fs::path steps_file = root / "steps.txt";
        save_steps(steps, steps_file);
        int reads = 0, checks = 0, replacements = 0, writes = 0;
        for (const FileStep& s : steps) {
            reads += s.kind == FileStep::Kind::Read || s.kind == FileStep::Kind::Copy;
            checks += s.kind == FileStep::Kind::Check;
            replacements += s.kind == FileStep::Kind::Replace;
            writes += s.kind == FileStep::Kind::Write || s.kind == FileStep::Kind::Copy;
        }

        const fs::path game_dir = root / "game";
        const fs::path probe_dir = root / "probe";
        prepare_game_folder(data, game_dir);
        prepare_game_folder(data, probe_dir);
        const char* sim = std::getenv("TEIJINKI_SIM");
        const std::vector<std::string> game = {sim && *sim ? sim : TEIJINKI_SIM, "--dir", game_dir.string(), "--scenario",
                                               std::to_string(scenario), "--seed", seed, "--quiet"};
        const std::vector<std::string> probe = {fs::canonical("/proc/self/exe").string(), "--replay",
                                                steps_file.string(), probe_dir.string()};
        // One of each first, so that both find their files and programs in the page cache.
        run_process(game);
        run_process(probe);
        std::vector<double> game_wall, game_cpu, probe_wall, probe_cpu;
        for (int i = 0; i < runs; ++i) {
            const Run g = run_process(game);
            const Run p = run_process(probe);
            game_wall.push_back(g.wall_ms);
            game_cpu.push_back(g.cpu_ms);
            probe_wall.push_back(p.wall_ms);
            probe_cpu.push_back(p.cpu_ms);
        }
        std::printf("file work of one game (scenario %d, seed %s): %d reads, %d checks, %d replacements, %d other writes\n",
                    scenario, seed.c_str(), reads, checks, replacements, writes);
        std::printf("game process:       median %.2f ms (processor %.2f ms) over %d runs\n", median(game_wall),
                    median(game_cpu), runs);
        std::printf("file-work floor:    median %.2f ms (processor %.2f ms)\n", median(probe_wall), median(probe_cpu));
        std::printf("game / floor:       %.2f\n", median(game_wall) / median(probe_wall));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        std::error_code ec;
        fs::remove_all(root, ec);
        return 2;
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
