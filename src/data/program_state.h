// Everything the running program shares between its windows and jobs: the open data file and
// its table recordsets, the record buffers, the code-category table, the paths, the calendar
// hand-off and the report and closing choices. One object, made afresh by each test.
#pragma once

#include "data/records.h"
#include "platform/db/database.h"
#include "platform/services.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace data {

struct ProgramState {
    ProgramState();
    ~ProgramState();
    ProgramState(const ProgramState&) = delete;
    ProgramState& operator=(const ProgramState&) = delete;

    // Record buffers.
    F01Rec F01Record;
    F10KBNRec F10KBNRecord;
    F10Rec F10Record;
    F18Rec F18Record;
    F21Rec F21Record;
    F28Rec F28Record;
    F45Rec F45Record;
    F46Rec F46Record;
    F50Rec F50Record;
    CodeKbnTableType CodeKbnTable;

    // The open data file and its long-lived table recordsets.
    std::unique_ptr<db::Database> MainDatabase;
    std::unique_ptr<db::TableRecordset> F10KBNTable;
    std::unique_ptr<db::TableRecordset> F10Table;
    std::unique_ptr<db::TableRecordset> F18Table;
    std::unique_ptr<db::TableRecordset> F21Table;
    std::unique_ptr<db::TableRecordset> F45Table;
    std::unique_ptr<db::TableRecordset> F28Table;
    std::unique_ptr<db::TableRecordset> F50Table;

    // Opens the seven table recordsets on their indexes, in the order the program always uses.
    void openTables();
    // Releases the table recordsets and the database.
    void closeDatabase();

    // Paths; AppPath ends with "/".
    std::string AppPath;
    std::string DataFilePath;
    std::string TemplateFilePath;

    // Calendar hand-off.
    std::string CalendarOwnerForm;
    std::int16_t CalendarFieldIndex = 0;
    std::int32_t CalendarDate = 0;
    std::int16_t CalendarPicked = 0;

    // Report and closing choices.
    std::int16_t PrintReportNo = 0;
    std::int32_t CreationDate = 0;
    std::string CreationDateText;
    std::int16_t SimeMode = 0;
    std::int32_t SimeDate = 0;

    // The printed page's frame (1 left column, 2 top row, 3 right column, 4 bottom row) and the report's
    // column positions from ColPos(1), ended by the first that is not above 0; element 0 is not used.
    std::array<std::int16_t, 5> PageGeo{};
    std::array<std::int16_t, 21> ColPos{};

    // Services of the platform; the shell sets the real ones, tests their doubles.
    platform::MessageBoxService* messages = nullptr;
    platform::FileDialogService* fileDialog = nullptr;
    platform::DesktopService* desktop = nullptr;
    platform::RegistryService* registry = nullptr;

    // Brings up the calendar window and shows CalendarDate's month; the shell sets it.
    std::function<void()> syncCalendar;

    // Windows that show the cash balance row, each by its own key: told when a job has committed a new
    // row, so that none of them writes back figures read before it.
    std::map<const void*, std::function<void()>> cashRowListeners;
    void cashRowStored() const;

    // Today's date as yyyymmdd; tests may fix it.
    std::function<std::int32_t()> today;

    // Shows a message through `messages`; answers Ok when no service is set.
    platform::Answer message(const std::string& text, platform::Buttons buttons = platform::Buttons::Ok,
                             bool defaultSecond = false);
};

// The system date as yyyymmdd.
std::int32_t systemToday();

} // namespace data
