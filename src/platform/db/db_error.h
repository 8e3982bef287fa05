// Every failure of the data-file engine, with a number and a text the user can be shown.
#pragma once

#include <stdexcept>
#include <string>

namespace db {

enum ErrorNumber : int {
    FileNotFound = 3024,
    NotADataFile = 3343,
    TableMissing = 3011,
    NoCurrentRecord = 3021,
    DuplicateKey = 3022,
    UpdateWithoutEdit = 3020,
    IndexMissing = 3800,
    FieldMissing = 3265,
    ValueOutOfRange = 3349,
    NotUpdatable = 3027,
    EngineFailure = 3000,
};

class DbError : public std::runtime_error {
public:
    DbError(int number, const std::string& description) : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }
    std::string description() const { return what(); }

private:
    int number_;
};

// A failure as the user is shown it after "Err.Number = ": the number with a blank (or its minus sign)
// in front, then its one Japanese description in parentheses: " 3022 (インデックスの...)".
inline std::string ErrorReport(const DbError& error) {
    const int number = error.number();
    return (number < 0 ? "" : " ") + std::to_string(number) + " (" + error.description() + ")";
}

} // namespace db
