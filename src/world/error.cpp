#include "world/error.h"

namespace teijinki {

namespace {
std::string describe(const std::string& file, const std::string& what, int record_id) {
    std::string text = file;
    if (record_id >= 0) text += ": record " + std::to_string(record_id);
    text += ": " + what;
    return text;
}
}  // namespace

DataError::DataError(std::string file, std::string what, int record_id)
    : std::runtime_error(describe(file, what, record_id)), file_(std::move(file)), record_id_(record_id) {}

}  // namespace teijinki
