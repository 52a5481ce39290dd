#include "messages/game_log.h"

#include <string>

#include "world/record_file.h"
#include "world/template_composer.h"

namespace teijinki {

namespace {

// The length of the log's text before its first terminator line (the whole text when it has
// none).
std::size_t before_terminator(const std::string& text) {
    const std::string_view end = kLogEnd;
    std::size_t pos = 0;
    while ((pos = text.find(end, pos)) != std::string::npos) {
        const bool line_start = pos == 0 || text[pos - 1] == '\n' || text[pos - 1] == '\r';
        const std::size_t after = pos + end.size();
        const bool line_end = after == text.size() || text[after] == '\r' || text[after] == '\n';
        if (line_start && line_end) return pos;
        pos = after;
    }
    return text.size();
}

}  // namespace

void mkLog(const GameFolder& folder, const PageStore& pages) {
    std::string log;
    if (auto old = folder.read_text_if_present(files::kLog)) {
        log = std::move(*old);
        log.resize(before_terminator(log));
        // Lines are written with CR LF; a log whose last line lost its break gets one.
        if (!log.empty() && log.back() != '\n') log += kCrLf;
    } else {
        log = std::string(kLogHeading) + kCrLf;
    }
    for (int i = 0; i <= PageStore::kLastPage; ++i) {
        log += pages.page_text[i];
        log += kCrLf;
        if (pages.page_text[i + 1] == kEndOfText) break;
    }
    log += kLogEnd;
    log += kCrLf;
    // The old log stays behind as the scratch copy.
    folder.replace_keeping_old(files::kLog, files::kLogScratch, log);
}

}  // namespace teijinki
