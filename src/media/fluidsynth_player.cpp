#include "media/fluidsynth_player.h"

#include <fluidsynth.h>

#include <mutex>
#include <utility>

#include "media/soundfont.h"
#include "world/game_folder.h"

namespace teijinki {

namespace {

// fluidsynth reports its errors through one process-wide log function. They are kept here so
// that a failure can say why, instead of going to the terminal.
std::mutex log_mutex;
std::string last_log;

void keep_log(int level, const char* message, void*) {
    if (level > FLUID_ERR || !message) return;  // warnings and chatter are dropped
    std::lock_guard<std::mutex> lock(log_mutex);
    last_log = message;
}

void install_log() {
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, keep_log, nullptr);
        fluid_set_log_function(FLUID_ERR, keep_log, nullptr);
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    });
}

std::string take_log() {
    std::lock_guard<std::mutex> lock(log_mutex);
    return std::exchange(last_log, std::string());
}

std::string with_log(std::string why) {
    const std::string detail = take_log();
    return detail.empty() ? why : why + " (" + detail + ")";
}

}  // namespace

FluidsynthPlayer::FluidsynthPlayer(FluidsynthOptions options) : options_(std::move(options)) { install_log(); }

FluidsynthPlayer::~FluidsynthPlayer() {
    close();
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

bool FluidsynthPlayer::fail(std::string why) {
    error_ = std::move(why);
    return false;
}

bool FluidsynthPlayer::load_soundfont() {
    if (synth_) return true;
    std::filesystem::path soundfont;
    if (options_.soundfont) {
        soundfont = *options_.soundfont;
    } else {
        const SoundfontSearch found = find_soundfont();
        if (!found.file) return fail(found.error);
        soundfont = *found.file;
    }
    if (!settings_) {
        settings_ = new_fluid_settings();
        if (!settings_) return fail(with_log("fluidsynth could not make its settings"));
        fluid_settings_setnum(settings_, "synth.sample-rate", options_.sample_rate);
        // Locking 140 MB of samples in memory is refused under ordinary limits and buys nothing here.
        fluid_settings_setint(settings_, "synth.lock-memory", 0);
        fluid_settings_setint(settings_, "synth.dynamic-sample-loading", options_.samples_on_demand ? 1 : 0);
    }
    fluid_synth_t* synth = new_fluid_synth(settings_);
    if (!synth) return fail(with_log("fluidsynth could not make a synthesizer"));
    if (fluid_synth_sfload(synth, soundfont.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth);
        return fail(with_log("the soundfont " + soundfont.string() + " cannot be loaded"));
    }
    synth_ = synth;
    return true;
}

bool FluidsynthPlayer::open(const std::filesystem::path& file) {
    close();
    error_.clear();
    const std::string name = file.filename().string();
    const auto bytes = read_bytes(file);
    if (!bytes) return fail(name + " cannot be read");
    if (const std::string problem = midi_file_problem(*bytes); !problem.empty()) return fail(name + ": " + problem);
    if (!load_soundfont()) return false;
    sequence_ = new_fluid_player(synth_);
    if (!sequence_) return fail(with_log("fluidsynth could not make a player for " + name));
    if (fluid_player_add_mem(sequence_, bytes->data(), bytes->size()) != FLUID_OK) {
        close();
        return fail(with_log(name + " cannot be queued"));
    }
    fluid_player_set_loop(sequence_, 1);  // once
    return true;
}

bool FluidsynthPlayer::play() {
    error_.clear();
    if (!sequence_) return fail("no music file is open");
    if (!options_.drivers.empty() && !driver_) {
        std::string tried;
        for (const std::string& name : options_.drivers) {
            fluid_settings_setstr(settings_, "audio.driver", name.c_str());
            driver_ = new_fluid_audio_driver(settings_, synth_);
            if (driver_) {
                driver_name_ = name;
                break;
            }
            tried += (tried.empty() ? "" : ", ") + name;
        }
        if (!driver_) return fail(with_log("no sound device could be opened (tried " + tried + ")"));
    }
    if (fluid_player_play(sequence_) != FLUID_OK) return fail(with_log("fluidsynth could not start the music"));
    return true;
}

void FluidsynthPlayer::close() {
    // The driver thread drives the sequence, so it goes first.
    if (driver_) {
        delete_fluid_audio_driver(driver_);
        driver_ = nullptr;
        driver_name_.clear();
    }
    if (sequence_) {
        fluid_player_stop(sequence_);
        delete_fluid_player(sequence_);
        sequence_ = nullptr;
    }
    if (synth_) fluid_synth_system_reset(synth_);
}

bool FluidsynthPlayer::playing() const {
    return sequence_ && fluid_player_get_status(sequence_) == FLUID_PLAYER_PLAYING;
}

bool FluidsynthPlayer::render(std::int16_t* interleaved, int frames) {
    if (driver_ || !synth_ || frames < 0) return false;
    return fluid_synth_write_s16(synth_, frames, interleaved, 0, 2, interleaved, 1, 2) == FLUID_OK;
}

}  // namespace teijinki
