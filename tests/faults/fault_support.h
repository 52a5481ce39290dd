#pragma once
// Helpers of the fault tests: running teijinki-sim as a child process, and checking that the
// files of a game folder are whole.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "messages/game_log.h"
#include "saveload/save_slots.h"
#include "world/error.h"
#include "world/record_file.h"

namespace teijinki::testing {

inline std::filesystem::path sim_program() { return std::filesystem::path(TEIJINKI_BINARY_DIR) / "teijinki-sim"; }

// Starts teijinki-sim with the arguments; its output goes to the files named (or /dev/null).
inline pid_t start_sim(const std::vector<std::string>& args, const std::string& out = "/dev/null",
                       const std::string& err = "/dev/null") {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o >= 0) ::dup2(o, 1);
        if (e >= 0) ::dup2(e, 2);
        std::vector<char*> argv;
        const std::string program = sim_program().string();
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

// Waits for the child; its exit status, or 128 + signal.
inline int wait_sim(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

inline int run_sim(const std::vector<std::string>& args, const std::string& err = "/dev/null") {
    return wait_sim(start_sim(args, "/dev/null", err));
}

// Empty when the record file reads whole: records 1..n in order, each complete and parsable (the
// game's own check), and n one of the counts given. Otherwise what is wrong.
inline std::string record_file_problem(const GameFolder& folder, const char* literal, RecordKind kind,
                                       const std::vector<int>& counts) {
    const std::string label = GameFolder::display_name(literal);
    try {
        const std::string text = folder.read_text(literal);
        int n = 0;
        scan_records(text, kind, label, [&](const RecordLines&) { return ++n > 0; });
        check_record_set(text, kind, label, n);
        if (std::find(counts.begin(), counts.end(), n) != counts.end()) return {};
        return label + " holds " + std::to_string(n) + " records";
    } catch (const DataError& e) {
        return e.what();
    }
}

// Empty when the log is whole: its heading first, and at most one terminator, as its last line.
inline std::string log_problem(const GameFolder& folder) {
    try {
        const auto lines = split_lines(folder.read_text(files::kLog));
        if (lines.empty() || lines.front() != kLogHeading) return "the log does not start with its heading";
        int ends = 0;
        for (const auto& l : lines) ends += l == kLogEnd;
        if (ends > 1 || (ends == 1 && lines.back() != kLogEnd)) return "the log's terminator is not its single last line";
        if (ends == 0 && lines.size() != 1) return "the log has entries but no terminator";
        return {};
    } catch (const DataError& e) {
        return e.what();
    }
}

// Empty when the comment file ends with its closing "." line and decodes.
inline std::string comments_problem(const GameFolder& folder) {
    try {
        const auto lines = split_lines(folder.read_text(files::kComments));
        if (lines.empty() || lines.back() != ".") return "the comment file does not end with its closing line";
        return {};
    } catch (const DataError& e) {
        return e.what();
    }
}

// Every working file and the log of a folder, whole.
inline std::vector<std::string> folder_problems(const GameFolder& folder) {
    std::vector<std::string> out;
    for (auto p : {record_file_problem(folder, files::kGenerals, RecordKind::General, {155, 160, 170}),
                   record_file_problem(folder, files::kWarlords, RecordKind::Warlord, {12, 13}),
                   record_file_problem(folder, files::kProvinces, RecordKind::Province, {48}), log_problem(folder),
                   comments_problem(folder)})
        if (!p.empty()) out.push_back(p);
    return out;
}

// The bytes of the six files of a slot, one after the other with their names; "" when the slot
// file is absent.
inline std::string slot_bytes(const GameFolder& folder, const std::string& slot) {
    const auto slot_file = read_bytes(folder.resolve(slot_file_literal(slot)));
    if (!slot_file) return {};
    std::string all = *slot_file;
    for (const auto& copy : kSlotCopies) {
        const std::string literal = slot_copy_literal(copy, slot);
        all += "\n--" + literal + "\n";
        if (auto b = read_bytes(folder.resolve(literal))) all += *b;
    }
    return all;
}

}  // namespace teijinki::testing
