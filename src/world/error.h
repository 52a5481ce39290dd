#pragma once
// One error type for every bad data file, save slot or record: it always names the file.

#include <stdexcept>
#include <string>

namespace teijinki {

class DataError : public std::runtime_error {
public:
    // record_id < 0 means the fault is not tied to one record.
    DataError(std::string file, std::string what, int record_id = -1);

    const std::string& file() const { return file_; }
    int record_id() const { return record_id_; }

private:
    std::string file_;
    int record_id_;
};

// A fault of the program itself (a table index out of its bounds), never of the data.
class ProgramError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

}  // namespace teijinki
