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
using shell::RecordsetGridModel;

constexpr int LineCount = 3000;

// Line i of the test file in key order: ten lines to a voucher, one voucher a day from 1 January 2026 on.
struct Key {
    std::int32_t ymd, dno;
    std::int16_t lin;
};
Key keyOf(int i) {
    const int voucher = i / 10;
    const int day = voucher % 28 + 1;
    const int month = (voucher / 28) % 12 + 1;
    return {(2026 + voucher / 336) * 10000 + month * 100 + day, voucher + 1, static_cast<std::int16_t>(i % 10 + 1)};
}

// A field that refuses to be left, as an entry field does whose text fails its check.
class KeepFocus : public QObject {
public:
    explicit KeepFocus(QWidget* field) : field_(field) { field->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == field_ && event->type() == QEvent::FocusOut) field_->setFocus(Qt::OtherFocusReason);
        return false;
    }

private:
    QWidget* field_;
};

class GridModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        db::Database& database = *s().MainDatabase;
        database.beginTrans();
        // Added out of order, so the grid must follow the index and not the order of adding.
        for (int n = 0; n < LineCount; ++n) {
            const int i = (n * 7) % LineCount;
            const Key k = keyOf(i);
            testing_support::addRow(*s().F45Table, {{"F45_YMD", k.ymd},
                                                    {"F45_DNO", k.dno},
                                                    {"F45_LIN", static_cast<int>(k.lin)},
                                                    {"F45_AMT", db::Currency::fromWhole(i)}});
        }
        database.commitTrans();
        s().F45Table->moveFirst();

        model = new RecordsetGridModel(
            {{"F45_YMD", "日付"},
             {"F45_DNO", "番号"},
             {"F45_LIN", "行"},
             {"F45_AMT", "金額",
              [](const db::Value& v) { return QString::number(v.asCurrency().roundedWhole()) + "円"; }}},
            &window);
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
    QString cell(int row, int column) { return model->index(row, column).data().toString(); }
    // Which test line a grid row shows: its amount is its place in the key order.
    int lineIndexAt(int row) { return cell(row, 3).chopped(1).toInt(); }
    void read(int i) {
        const Key k = keyOf(i);
        s().F45Record.F45_YMD = k.ymd;
        s().F45Record.F45_DNO = k.dno;
        s().F45Record.F45_LIN = k.lin;
        std::int16_t status = 0;
        data::F45Access(s(), "GET", status);
        ASSERT_EQ(status, 0);
    }
    int currentRow() { return grid->currentIndex().row(); }

    testing_support::OpenState files{true};
    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    shell::RecordsetGrid* grid = new shell::RecordsetGrid(&window);
    RecordsetGridModel* model = nullptr;
};

TEST_F(GridModelTest, RowsLoadInIndexOrderAFewHundredAtATime) {
    EXPECT_EQ(model->rowCount(), GridModel::BatchSize);
    EXPECT_EQ(model->columnCount(), 4);
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "金額");
    EXPECT_EQ(cell(0, 0), "20260101");
    EXPECT_EQ(cell(0, 2), "1");
    EXPECT_EQ(cell(9, 2), "10");
    EXPECT_EQ(cell(10, 1), "2");
    EXPECT_EQ(cell(10, 3), "10円");
    EXPECT_EQ(model->index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_FALSE(model->canFetchBefore());

    // Scrolling to the bottom of what is loaded loads the next batch, and no more.
    grid->scrollToBottom();
    QApplication::processEvents();
    EXPECT_EQ(model->rowCount(), 2 * GridModel::BatchSize);
    for (int row = 0; row < model->rowCount(); ++row)
        ASSERT_EQ(lineIndexAt(row), row) << row; // amounts are the line numbers in key order
    while (model->canFetchMore({}))
        model->fetchMore({});
    EXPECT_EQ(model->rowCount(), LineCount);
}

TEST_F(GridModelTest, AKeyedReadByAnyoneMovesTheGridsCurrentRowWithoutAChoice) {
    QSignalSpy chosen(grid, &shell::RecordsetGrid::rowChosen);
    read(2500);
    QApplication::processEvents();
    ASSERT_GE(currentRow(), 0);
    EXPECT_EQ(lineIndexAt(currentRow()), 2500);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(currentRow(), {}));
    EXPECT_EQ(model->rowCount(), GridModel::BatchSize); // a window around the row, not the table
    EXPECT_TRUE(model->canFetchBefore());

    // Scrolling up past the first row loaded brings the earlier rows; the current row stays current.
    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    QApplication::processEvents();
    EXPECT_EQ(model->rowCount(), 2 * GridModel::BatchSize);
    EXPECT_EQ(lineIndexAt(currentRow()), 2500);

    read(3);
    read(7); // several moves before the event loop runs: the grid follows the last
    QApplication::processEvents();
    EXPECT_EQ(lineIndexAt(currentRow()), 7);

    // A miss puts the recordset back, and the grid stays with it.
    s().F45Record.F45_YMD = 19990101;
    std::int16_t status = 0;
    data::F45Access(s(), "GET", status);
    QApplication::processEvents();
    EXPECT_EQ(lineIndexAt(currentRow()), 7);
    EXPECT_EQ(chosen.count(), 0);
}

TEST_F(GridModelTest, OnlyTheUsersChoiceIsReportedAndMovesTheRecordset) {
    QSignalSpy chosen(grid, &shell::RecordsetGrid::rowChosen);
    grid->setFocus(Qt::MouseFocusReason);
    const QRect row5 = grid->visualRect(model->index(5, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row5.center());
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(s().F45Table->field("F45_AMT").asCurrency(), db::Currency::fromWhole(5));

    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(chosen.count(), 2);
    EXPECT_EQ(s().F45Table->field("F45_AMT").asCurrency(), db::Currency::fromWhole(6));

    // The row already current, pressed again, is chosen again.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model->index(6, 0)).center());
    EXPECT_EQ(chosen.count(), 3);

    read(100); // a program move: followed, never reported
    QApplication::processEvents();
    EXPECT_EQ(lineIndexAt(currentRow()), 100);
    EXPECT_EQ(chosen.count(), 3);

    // A press while another control kept the focus is no choice.
    field->setFocus(Qt::OtherFocusReason);
    KeepFocus keep(field);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(model->index(2, 0)).center());
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(chosen.count(), 3);
    EXPECT_EQ(lineIndexAt(currentRow()), 100);
}

TEST_F(GridModelTest, WritesShowAtOnceAroundTheCurrentRowAndAClosedFileEmptiesTheGrid) {
    read(50);
    s().F45Table->edit();
    s().F45Table->setField("F45_AMT", db::Currency::fromWhole(123456));
    s().F45Table->update();
    QApplication::processEvents();
    EXPECT_EQ(cell(currentRow(), 3), "123456円");

    s().F45Table->deleteCurrent();
    s().F45Table->moveNext();
    QApplication::processEvents();
    EXPECT_EQ(lineIndexAt(currentRow()), 51);
    EXPECT_EQ(lineIndexAt(currentRow() - 1), 49);

    testing_support::addRow(*s().F45Table, {{"F45_YMD", 20260101}, {"F45_DNO", 1}, {"F45_LIN", 0}});
    s().F45Table->setBookmark(s().F45Table->lastModified());
    QApplication::processEvents();
    EXPECT_EQ(currentRow(), 0);
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
    EXPECT_EQ(model.index(0, 0).data().toString(), "101");
    EXPECT_EQ(model.index(0, 1).data().toString(), "売上"); // blanks trimmed
    EXPECT_EQ(set->field("F21_ACT").asInt(), 101);          // reading the rows left the set where it stood

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
