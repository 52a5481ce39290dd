#include "media/pictures.h"

#include <map>

#include "world/record_file.h"
#include "world/records.h"

namespace teijinki {

std::string picture_literal(std::string_view name) {
    if (name.empty() || name.find_first_of("/\\:") != std::string_view::npos || name.find("..") != std::string_view::npos)
        return {};
    return "CG\\" + std::string(name) + ".jpg";
}

std::optional<std::filesystem::path> picture_file(const GameFolder& folder, std::string_view name) {
    const std::string literal = picture_literal(name);
    if (literal.empty()) return std::nullopt;
    const std::filesystem::path path = folder.resolve(literal);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    return path;
}

PortraitTable read_lord_portraits(const GameFolder& folder, const SharedValues& shared) {
    const int count = std::min<int>(shared.gun_count, kMaxWarlords);
    std::map<int, int> lord_of;  // warlord id -> lord's general id
    const std::string warlords_label = GameFolder::display_name(files::kWarlords);
    scan_records(folder.read_text(files::kWarlords), RecordKind::Warlord, warlords_label, [&](const RecordLines& r) {
        if (r.id >= 1 && r.id <= count) {
            Gun g;
            parse_warlord(r, warlords_label, g);
            lord_of[r.id] = g.kunshuID;
        }
        return true;
    });
    std::map<int, std::string> jpg_of;  // general id -> portrait name
    const std::string generals_label = GameFolder::display_name(files::kGenerals);
    scan_records(folder.read_text(files::kGenerals), RecordKind::General, generals_label, [&](const RecordLines& r) {
        if (r.id >= 1 && r.id <= shared.bushou_count) {
            Bushou b;
            parse_general(r, generals_label, b);
            jpg_of[r.id] = b.jpg;
        }
        return true;
    });
    PortraitTable table;
    for (int w = 1; w <= count; ++w) {
        const auto lord = lord_of.find(w);
        const auto jpg = lord == lord_of.end() ? jpg_of.end() : jpg_of.find(lord->second);
        table[w] = jpg == jpg_of.end() ? std::string(kMissingGeneralPortrait) : jpg->second;
    }
    return table;
}

std::string lord_portrait(const GameFolder& folder, const SharedValues& shared, int warlord) {
    if (warlord < 1 || warlord > std::min<int>(shared.gun_count, kMaxWarlords)) return kMissingGeneralPortrait;
    return read_lord_portraits(folder, shared)[warlord];
}

}  // namespace teijinki
