// An entry window driven on a fresh copy of the template: its program state, the messages it showed, a
// field typed and left, a grid row clicked and a table read back.
#pragma once

#include "data/control_row.h"
#include "data/fixed_text.h"
#include "data/table_rows.h"
#include "shell/recordset_grid_view.h"
#include "support/test_files.h"
#include "support/window_test.h"

#include <QAbstractItemModel>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace testing_support {

template <class Window> class EntryWindowTest : public WindowTest<Window> {
protected:
    data::ProgramState& s() { return files.state; }
    std::vector<std::string>& shown() { return files.messages.shown; }

    // The control row read into memory with processing date `date`; the file keeps its own.
    void setProcessingDate(std::int32_t date) {
        statusOf(data::F01Access, s(), "GET");
        s().F01Record.F01_ACT = date;
    }
    // Replaces a field's text and leaves the field with Enter.
    void typeIn(int index, const QString& text) {
        this->retype(index, text);
        this->key(Qt::Key_Return);
    }
    // The messages shown by typing `text` into field `index` and leaving it with Enter.
    std::vector<std::string> shownOnTyping(int index, const QString& text) {
        shown().clear();
        typeIn(index, text);
        return shown();
    }
    // Clicks the row of grid `grid` (of a window with one grid: that grid) whose column shows `text`.
    void chooseInGrid(int grid, int column, const QString& text) {
        shell::RecordsetGrid* view = nullptr;
        if constexpr (requires { this->window->DBGrid1(grid); })
            view = this->window->DBGrid1(grid);
        else
            view = this->window->DBGrid1();
        QApplication::processEvents();
        const QModelIndexList found = view->model()->match(view->model()->index(0, column), Qt::DisplayRole, text, 1,
                                                           Qt::MatchFixedString | Qt::MatchCaseSensitive);
        ASSERT_FALSE(found.isEmpty()) << "no row shows " << text.toStdString();
        view->scrollTo(found[0]);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(found[0]).center());
        QApplication::processEvents();
    }
    // A step a user takes, the message it shows last and the widget then holding the focus (nullptr: unchecked).
    using RefusedStep = std::tuple<std::function<void()>, std::string, QWidget*>;
    // Takes each step from no message shown and no answer scripted.
    void expectRefusals(const std::vector<RefusedStep>& steps) {
        for (const auto& [step, message, focus] : steps) {
            shown().clear();
            files.messages.answers.clear();
            step();
            ASSERT_FALSE(shown().empty()) << message;
            EXPECT_EQ(shown().back(), message);
            if (focus) {
                EXPECT_EQ(this->focused(), focus) << message;
            }
        }
    }
    // The rows a query reads from the file, each one's fields trimmed and joined by "|".
    std::vector<std::string> tableRows(const std::string& query, const std::vector<db::Value>& parameters = {}) {
        auto set = s().MainDatabase->openSnapshot(query, parameters);
        std::vector<std::string> result;
        for (; !set->eof(); set->moveNext()) {
            std::string row;
            for (std::size_t f = 0; f < set->columns().size(); ++f)
                row += (f ? "|" : "") + data::trimText(set->field(static_cast<int>(f)).asText());
            result.push_back(row);
        }
        return result;
    }

    OpenState files;
};

} // namespace testing_support
