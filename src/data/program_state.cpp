#include "data/program_state.h"

#include <ctime>

namespace data {

ProgramState::ProgramState() : today(systemToday) {}

ProgramState::~ProgramState() { closeDatabase(); }

void ProgramState::openTables() {
    auto open = [this](const char* table, const char* index) {
        auto recordset = MainDatabase->openTable(table);
        recordset->setIndex(index);
        return recordset;
    };
    F10KBNTable = open("F10KBNTB", "F10KBNIX");
    F10Table = open("F10TB", "F10IX");
    F18Table = open("F18TB", "F18IX");
    F21Table = open("F21TB", "F21IX");
    F45Table = open("F45TB", "F45IX");
    F28Table = open("F28TB", "F28IX");
    F50Table = open("F50TB", "F50IX");
}

void ProgramState::closeDatabase() {
    F10KBNTable.reset();
    F10Table.reset();
    F18Table.reset();
    F21Table.reset();
    F45Table.reset();
    F28Table.reset();
    F50Table.reset();
    MainDatabase.reset();
}

void ProgramState::cashRowStored() const {
    // A listener may close its window, and with it leave the list.
    const auto listeners = cashRowListeners;
    for (const auto& [key, listener] : listeners)
        listener();
}

platform::Answer ProgramState::message(const std::string& text, platform::Buttons buttons, bool defaultSecond) {
    if (messages) return messages->show(text, buttons, defaultSecond);
    return buttons == platform::Buttons::YesNo ? platform::Answer::Yes : platform::Answer::Ok;
}

std::int32_t systemToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

} // namespace data
