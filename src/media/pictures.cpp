#include "media/pictures.h"

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

}  // namespace teijinki
