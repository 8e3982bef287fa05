#include "shell/data_file.h"

#include "data/code_categories.h"
#include "data/control_row.h"

namespace shell {

void OpenDataFile(data::ProgramState& state) {
    state.closeDatabase();
    try {
        state.MainDatabase = db::Database::open(state.DataFilePath);
        // A file without a control row gets the default one here, so the status needs no look.
        std::int16_t status = 0;
        data::F01Access(state, "GET", status);
        const std::int32_t today = state.today();
        state.F01Record.F01_ACT = today;
        state.F01Record.F01_TDY = today;
        data::F01Access(state, "PUT", status);
        data::LoadCodeKbnTable(state);
        state.openTables();
    } catch (...) {
        // Half an open file is worse than none: the callers test MainDatabase to know where they stand.
        state.closeDatabase();
        throw;
    }
}

std::string MainCaption(const std::string& dataFilePath) { return "経理処理　　　　（" + dataFilePath + "）"; }

} // namespace shell
