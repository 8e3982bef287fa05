// Timings of the voucher grid on the million-line data file: binding it, following keyed reads
// into far parts of the table, loading the next rows as the user scrolls, and opening the whole
// voucher entry window. Each must take a few milliseconds, however long the table.
#include "data/code_categories.h"
#include "data/control_row.h"
#include "data/keyed_access.h"
#include "journal/voucher_entry_window.h"
#include "large_data_file.h"
#include "shell/recordset_grid_model.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

using namespace bench_support;

struct OpenCopy {
    OpenCopy() : path(largeFileCopy("grid")) {
        state.MainDatabase = db::Database::open(path);
        state.openTables();
        std::int16_t status = 0;
        data::F01Access(state, "GET", status);
        state.F01Record.F01_ACT = 20250615;
        data::LoadCodeKbnTable(state);
    }
    ~OpenCopy() {
        state.closeDatabase();
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    std::string path;
    data::ProgramState state;
};

OpenCopy& copy() {
    static OpenCopy open;
    return open;
}

shell::RecordsetGridModel* voucherModel() {
    return new shell::RecordsetGridModel(
        {{"F45_YMD", "日付"}, {"F45_DNO", "番号"}, {"F45_LIN", "行"}, {"F45_AMT", "金額"}});
}

// Touches every cell of the rows a screen shows.
void paintRows(shell::RecordsetGridModel& model, int from, int count) {
    for (int row = from; row < from + count && row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            benchmark::DoNotOptimize(model.index(row, column).data());
}

void BindVoucherGrid(benchmark::State& bench) {
    data::ProgramState& s = copy().state;
    for (auto _ : bench) {
        std::unique_ptr<shell::RecordsetGridModel> model(voucherModel());
        model->setRecordset(s.F45Table.get());
        paintRows(*model, 0, 30);
    }
}
BENCHMARK(BindVoucherGrid)->Unit(benchmark::kMillisecond);

void FollowKeyedReadAcrossTheTable(benchmark::State& bench) {
    data::ProgramState& s = copy().state;
    std::unique_ptr<shell::RecordsetGridModel> model(voucherModel());
    model->setRecordset(s.F45Table.get());
    int i = 0;
    for (auto _ : bench) {
        const LineKey key = lineKey((i += 277'777) % LineCount); // far from the rows loaded before
        s.F45Record.F45_YMD = key.ymd;
        s.F45Record.F45_DNO = key.dno;
        s.F45Record.F45_LIN = key.lin;
        std::int16_t status = 0;
        data::F45Access(s, "GET", status);
        model->followNow();
        paintRows(*model, std::max(model->rowOf(s.F45Table->bookmark()) - 15, 0), 30);
    }
}
BENCHMARK(FollowKeyedReadAcrossTheTable)->Unit(benchmark::kMillisecond);

void ScrollOneBatchFurther(benchmark::State& bench) {
    data::ProgramState& s = copy().state;
    std::unique_ptr<shell::RecordsetGridModel> model(voucherModel());
    model->setRecordset(s.F45Table.get());
    for (auto _ : bench) {
        model->fetchMore({});
        paintRows(*model, model->rowCount() - 30, 30);
    }
}
// Fewer rounds than the table has batches, so that every round loads rows.
BENCHMARK(ScrollOneBatchFurther)->Unit(benchmark::kMillisecond)->Iterations(2000);

void OpenVoucherEntryWindow(benchmark::State& bench) {
    data::ProgramState& s = copy().state;
    for (auto _ : bench) {
        journal::frmACT0100 window(s);
        benchmark::DoNotOptimize(window.DBGrid1(0)->model()->rowCount());
    }
}
BENCHMARK(OpenVoucherEntryWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
