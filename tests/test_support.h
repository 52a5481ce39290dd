#pragma once
// Small game folders in a temporary directory, for tests.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "world/error.h"
#include "world/game_folder.h"
#include "world/random.h"

namespace teijinki::testing {

class TempGameFolder {
public:
    TempGameFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "teijinki-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        std::filesystem::create_directories(root_ / "ini");
        std::filesystem::create_directories(root_ / "save");
        std::filesystem::create_directories(root_ / "CG");
        std::filesystem::create_directories(root_ / "midi");
    }
    ~TempGameFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    TempGameFolder(const TempGameFolder&) = delete;
    TempGameFolder& operator=(const TempGameFolder&) = delete;

    const std::filesystem::path& root() const { return root_; }
    GameFolder folder() const { return GameFolder(root_); }

    // Writes bytes as given (relative path with '/').
    void write(const std::string& relative, const std::string& bytes) const {
        std::ofstream out(root_ / relative, std::ios::binary);
        out << bytes;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(root_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Copies the shipped data folder in (ini/, CG/ names only as needed by the caller).
    void copy_shipped_ini() const {
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(TEIJINKI_DATA_DIR) / "ini"))
            std::filesystem::copy_file(entry.path(), root_ / "ini" / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
    }

private:
    std::filesystem::path root_;
};

// Scripted dice first; when the script runs out, either a fault of the test (strict) or draws
// from a seeded source, so a test can pin the first draws of a battle and leave the rest.
class TestDice : public RandomSource {
public:
    float Rnd() override {
        ++draws_;
        if (script_.remaining() > 0 || !fallback_) return script_.Rnd();
        return fallback_->Rnd();
    }
    void Randomize() override {
        ++randomize_calls_;
        if (fallback_) fallback_->Randomize();
    }
    void push_roll(int k, int n) { script_.push_roll(k, n); }
    void push(float value) { script_.push(value); }
    void then_seeded(std::uint64_t seed) { fallback_ = std::make_unique<SeededRandom>(seed); }

    std::size_t remaining() const { return script_.remaining(); }
    std::size_t draws() const { return draws_; }
    int randomize_calls() const { return randomize_calls_; }

private:
    ScriptedRandom script_;
    std::unique_ptr<SeededRandom> fallback_;
    std::size_t draws_ = 0;
    int randomize_calls_ = 0;
};

// Joins lines with CR LF, each line ended.
inline std::string crlf_lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

// The message of the DataError a call throws; empty when it throws nothing.
template <class F>
std::string message_of(F f) {
    try {
        f();
    } catch (const DataError& e) {
        return e.what();
    }
    return "";
}

}  // namespace teijinki::testing
