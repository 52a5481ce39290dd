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
    // The log only grows, so its new text is built in one piece of the right size.
    std::size_t added = 0;
    int told = 0;  // the pages up to "EOT", or every page when it is missing
    while (told <= PageStore::kLastPage) {
        added += pages.page_text[told].size() + 2;
        if (pages.page_text[++told] == kEndOfText) break;
    }
    std::string log;
    if (auto old = folder.read_shared_if_present(files::kLog)) {
        const std::string& text = old->text();
        const std::size_t kept = before_terminator(text);
        log.reserve(kept + 2 + added + std::string_view(kLogEnd).size() + 2);
        log.assign(text, 0, kept);
        // Lines are written with CR LF; a log whose last line lost its break gets one.
        if (!log.empty() && log.back() != '\n' && log.back() != '\r') log += kCrLf;
    } else {
        log = std::string(kLogHeading) + kCrLf;
    }
    for (int i = 0; i < told; ++i) {
        log += pages.page_text[i];
        log += kCrLf;
    }
    log += kLogEnd;
    log += kCrLf;
    // The old log stays behind as the scratch copy.
    folder.replace_keeping_old(files::kLog, files::kLogScratch, std::move(log));
}

}  // namespace teijinki
