// The grids: rows loaded a batch at a time in index order, a current row that follows the shared
// recordset whoever moves it, and only the user's choice reported.
#include "data/keyed_access.h"
#include "data/table_rows.h"
#include "shell/recordset_grid_model.h"
#include "shell/recordset_grid_view.h"
#include "support/test_files.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using shell::GridModel;

constexpr int LineCount = 3000;

// Line i of the test file in key order: ten lines to a voucher, one voucher a day from 1 January 2026 on.
struct Key {
    std::int32_t ymd, dno;
    std::int16_t lin;
    explicit Key(int i)
        : ymd(20260000 + (i / 280 + 1) * 100 + i / 10 % 28 + 1), dno(i / 10 + 1), lin(std::int16_t(i % 10 + 1)) {}
};

// Keeps the focus on a field, as an entry field does whose text fails its check.
struct KeepFocus : QObject {
    bool eventFilter(QObject* field, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) static_cast<QWidget*>(field)->setFocus(Qt::OtherFocusReason);
        return false;
    }
};

class GridModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        s().MainDatabase->beginTrans();
        // Added out of order, so the grid must follow the index and not the order of adding.
        for (int n = 0; n < LineCount; ++n) {
            const int i = (n * 7) % LineCount;
            const Key k(i);
            testing_support::addRow(*s().F45Table, {{"F45_YMD", k.ymd},
                                                    {"F45_DNO", k.dno},
                                                    {"F45_LIN", int(k.lin)},
                                                    {"F45_AMT", db::Currency::fromWhole(i)}});
        }
        s().MainDatabase->commitTrans();
        s().F45Table->moveFirst();

        model = new shell::RecordsetGridModel(columns, &window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(grid);
        grid->setGridModel(model);
        model->setRecordset(s().F45Table.get());
        window.resize(500, 300);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    data::ProgramState& s() { return files.state; }
    QString cell(int row, int column) { return grid->model()->index(row, column).data().toString(); }
    // Which test line a grid row shows: its amount is its place in the key order.
    int lineAt(int row) { return cell(row, 3).chopped(1).toInt(); }
    int currentLine() {
        QApplication::processEvents();
        return lineAt(grid->currentIndex().row());
    }
    std::int16_t read(const Key& k) {
        s().F45Record.F45_YMD = k.ymd;
        s().F45Record.F45_DNO = k.dno;
        s().F45Record.F45_LIN = k.lin;
        std::int16_t status = 0;
        data::F45Access(s(), "GET", status);
        return status;
    }
    void click(int row) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model->index(row, 1)).center());
    }

    static QString yen(const db::Value& v) { return QString::number(v.asCurrency().roundedWhole()) + "円"; }
    const std::vector<shell::GridColumn> columns{
        {"F45_YMD", "日付"}, {"F45_DNO", "番号"}, {"F45_LIN", "行"}, {"F45_AMT", "金額", yen}};
    testing_support::OpenState files{true};
    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    shell::RecordsetGrid* grid = new shell::RecordsetGrid(&window);
    shell::RecordsetGridModel* model = nullptr;
};

TEST_F(GridModelTest, RowsLoadInIndexOrderAFewHundredAtATimeOverTheTableOrAQuery) {
    const auto set = s().MainDatabase->openSnapshot("SELECT * FROM F45TB ORDER BY F45_YMD, F45_DNO, F45_LIN");
    auto* query = new shell::QueryGridModel(columns, &window);
    query->setRecordset(set.get());
    for (GridModel* shown : {static_cast<GridModel*>(model), static_cast<GridModel*>(query)}) {
        SCOPED_TRACE(shown == model ? "table" : "query");
        grid->setGridModel(shown);
        QApplication::processEvents();
        EXPECT_EQ(shown->rowCount(), GridModel::BatchSize);
        EXPECT_EQ(QStringList({cell(10, 0), cell(10, 1), cell(10, 2), cell(10, 3)}).join(' '), "20260102 2 1 10円");
        EXPECT_TRUE(shown->index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
        EXPECT_FALSE(shown->canFetchBefore());

        // Scrolling to the bottom of what is loaded loads the next batch, and no more.
        grid->scrollToBottom();
        QApplication::processEvents();
        EXPECT_EQ(shown->rowCount(), 2 * GridModel::BatchSize);
        for (int row = 0; row < shown->rowCount(); ++row)
            ASSERT_EQ(lineAt(row), row) << row;
        for (int batch = 0; batch < LineCount / GridModel::BatchSize && shown->canFetchMore({}); ++batch)
            shown->fetchMore({});
        EXPECT_EQ(shown->rowCount(), LineCount);
        EXPECT_EQ(grid->verticalHeader()->count(), LineCount) << "the grid shows a row more or less than it holds";
        EXPECT_EQ(lineAt(LineCount - 1), LineCount - 1);
    }
}

TEST_F(GridModelTest, AKeyedReadByAnyoneMovesTheGridsCurrentRowWithoutAChoice) {
    QSignalSpy chosen(grid, &shell::RecordsetGrid::rowChosen);
    ASSERT_EQ(read(Key(2500)), 0);
    EXPECT_EQ(currentLine(), 2500);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(grid->currentIndex().row(), {}));
    EXPECT_EQ(model->rowCount(), GridModel::BatchSize); // a window around the row, not the table
    EXPECT_TRUE(model->canFetchBefore());

    // Scrolling up past the first row loaded brings the earlier rows above the rows in sight, which stay in
    // sight; the current row stays current.
    const int topInSight = lineAt(grid->rowAt(0));
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(lineAt(grid->rowAt(0)), topInSight);
    EXPECT_EQ(currentLine(), 2500);
    EXPECT_EQ(model->rowCount(), 2 * GridModel::BatchSize);

    read(Key(3));
    read(Key(7)); // several moves before the event loop runs: the grid follows the last
    EXPECT_EQ(currentLine(), 7);
    // A miss puts the recordset back, and the grid stays with it.
    Key missing(0);
    missing.ymd = 19990101;
    EXPECT_NE(read(missing), 0);
    EXPECT_EQ(currentLine(), 7);
    EXPECT_EQ(chosen.count(), 0);
}

TEST_F(GridModelTest, OnlyTheUsersChoiceIsReportedAndMovesTheRecordset) {
    QSignalSpy chosen(grid, &shell::RecordsetGrid::rowChosen);
    grid->setFocus(Qt::MouseFocusReason);
    click(5);
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(s().F45Table->field("F45_AMT").asCurrency(), db::Currency::fromWhole(5));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(chosen.count(), 2);
    EXPECT_EQ(s().F45Table->field("F45_AMT").asCurrency(), db::Currency::fromWhole(6));
    click(6); // the row already current, pressed again, is chosen again
    EXPECT_EQ(chosen.count(), 3);

    read(Key(100)); // a program move: followed, never reported
    EXPECT_EQ(currentLine(), 100);
    EXPECT_EQ(chosen.count(), 3);

    // A press while another control kept the focus is no choice.
    field->setFocus(Qt::OtherFocusReason);
    KeepFocus keep;
    field->installEventFilter(&keep);
    click(2);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(chosen.count(), 3);
    EXPECT_EQ(currentLine(), 100);
}

TEST_F(GridModelTest, WritesShowAtOnceAroundTheCurrentRowAndAClosedFileEmptiesTheGrid) {
    read(Key(50));
    s().F45Table->edit();
    s().F45Table->setField("F45_AMT", db::Currency::fromWhole(123456));
    s().F45Table->update();
    EXPECT_EQ(currentLine(), 123456);

    s().F45Table->deleteCurrent();
    s().F45Table->moveNext();
    EXPECT_EQ(currentLine(), 51);
    EXPECT_EQ(lineAt(grid->currentIndex().row() - 1), 49);

    testing_support::addRow(*s().F45Table, {{"F45_YMD", 20260101}, {"F45_DNO", 1}, {"F45_LIN", 0}});
    s().F45Table->setBookmark(s().F45Table->lastModified());
    EXPECT_EQ(currentLine(), 0);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(cell(0, 2), "0");

    s().closeDatabase();
    QApplication::processEvents();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_EQ(model->recordset(), nullptr);
}

TEST(QueryGridModelTest, ShowsASnapshotAndChoosingARowMovesIt) {
    testing_support::OpenState files;
    auto set = files.state.MainDatabase->openSnapshot("SELECT * FROM F21TB ORDER BY F21_KBN, F21_ACT");
    shell::QueryGridModel model({{"F21_ACT", "科目"}, {"F21_NAM", "科目名"}});
    model.setRecordset(set.get());
    const int rows = static_cast<int>(set->rowCount());
    ASSERT_GT(rows, 3);
    EXPECT_EQ(model.rowCount(), rows);
    EXPECT_EQ(model.index(0, 0).data().toString() + model.index(0, 1).data().toString(), "101売上"); // blanks trimmed
    EXPECT_EQ(set->field("F21_ACT").asInt(), 101); // reading the rows left the set where it stood

    QSignalSpy followed(&model, &GridModel::currentRowFollowed);
    ASSERT_TRUE(model.chooseRow(3));
    EXPECT_EQ(model.index(3, 0).data().toString(), QString::number(set->field("F21_ACT").asInt()));
    set->moveLast();
    model.followCurrent();
    ASSERT_EQ(followed.count(), 1);
    EXPECT_EQ(followed.at(0).at(0).toInt(), rows - 1);
    EXPECT_FALSE(model.chooseRow(rows));
}

} // namespace
