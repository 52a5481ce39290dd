#include "messages/game_log.h"

#include <string>

#include "world/record_file.h"
#include "world/template_composer.h"

namespace teijinki {

namespace {

// The length of the log before its first terminator line (the whole log when it has none). The
// log's bytes are looked through, in either encoding: the terminator is plain ASCII, and a line
// start is a character's start in both.
std::size_t before_terminator(std::string_view log) {
    const std::string_view end = kLogEnd;
    std::size_t pos = 0;
    while ((pos = log.find(end, pos)) != std::string_view::npos) {
        const bool line_start = pos == 0 || log[pos - 1] == '\n' || log[pos - 1] == '\r';
        const std::size_t after = pos + end.size();
        const bool line_end = after == log.size() || log[after] == '\r' || log[after] == '\n';
        if (line_start && line_end) return pos;
        pos = after;
    }
    return log.size();
}

}  // namespace

void mkLog(const GameFolder& folder, const PageStore& pages) {
    // The log only grows: what it held before its terminator stays byte for byte, and the year's
    // pages follow, so the text of the whole log is never made.
    std::size_t added = 0;
    int told = 0;  // the pages up to "EOT", or every page when it is missing
    while (told <= PageStore::kLastPage) {
        added += pages.page_text[told].size() + 2;
        if (pages.page_text[++told] == kEndOfText) break;
    }
    std::string tail;
    tail.reserve(added + std::string_view(kLogHeading).size() + std::string_view(kLogEnd).size() + 6);
    auto old = folder.read_shared_if_present(files::kLog);
    const std::size_t kept = old ? before_terminator(old->bytes()) : 0;
    if (!old) {
        tail = std::string(kLogHeading) + kCrLf;
    } else if (kept > 0 && old->bytes()[kept - 1] != '\n' && old->bytes()[kept - 1] != '\r') {
        tail += kCrLf;  // lines are written with CR LF; a log whose last line lost its break gets one
    }
    for (int i = 0; i < told; ++i) {
        tail += pages.page_text[i];
        tail += kCrLf;
    }
    tail += kLogEnd;
    tail += kCrLf;
    // The old log stays behind as the scratch copy.
    if (old)
        folder.extend_keeping_old(files::kLog, files::kLogScratch, std::move(old), kept, tail);
    else
        folder.replace_keeping_old(files::kLog, files::kLogScratch, std::move(tail));
}

}  // namespace teijinki
