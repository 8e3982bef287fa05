#include "shell/recordset_grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace shell {

RecordsetGrid::RecordsetGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // Row numbers of a window of loaded rows would mislead; a narrow selector column stands in for them.
    verticalHeader()->setFixedWidth(12);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    // Only the user's scrolling to the top loads earlier rows, not a reset of the rows.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] {
        if (verticalScrollBar()->sliderPosition() == verticalScrollBar()->minimum()) loadEarlierRows();
    });
}

void RecordsetGrid::setGridModel(GridModel* model) {
    if (model_) disconnect(model_, nullptr, this, nullptr);
    model_ = model;
    setModel(model);
    if (!model) return;
    connect(model, &GridModel::currentRowFollowed, this, &RecordsetGrid::follow);
    connect(model, &QAbstractItemModel::modelReset, this, &RecordsetGrid::fitColumns);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { currentRowChangedByView(current.row()); });
    fitColumns();
}

void RecordsetGrid::fitColumns() {
    // The last column fills the grid but never below its contents: the header keeps the size the last
    // column had when stretching began as its least, which must be the contents' and not a default.
    horizontalHeader()->setStretchLastSection(false);
    resizeColumnsToContents();
    horizontalHeader()->setStretchLastSection(true);
    updateGeometry();
}

QSize RecordsetGrid::minimumSizeHint() const {
    constexpr int RowsInSight = 5;
    int columns = 0;
    for (int column = 0; model_ && column < model_->columnCount(); ++column)
        columns += std::max(sizeHintForColumn(column), horizontalHeader()->sectionSizeHint(column));
    const int frame = 2 * frameWidth();
    const QSize grid(frame + verticalHeader()->width() + columns + verticalScrollBar()->sizeHint().width(),
                     frame + horizontalHeader()->sizeHint().height() +
                         RowsInSight * verticalHeader()->defaultSectionSize());
    return grid.expandedTo(QTableView::minimumSizeHint());
}

void RecordsetGrid::follow(int row) {
    // Only ever called from the model, never inside the user's input.
    const bool wasUserInput = userInput_;
    userInput_ = false;
    if (row < 0) {
        selectionModel()->clearCurrentIndex();
        clearSelection();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex index = model_->index(row, column);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    }
    userInput_ = wasUserInput;
}

void RecordsetGrid::currentRowChangedByView(int row) {
    if (!userInput_ || row < 0) return;
    choose(row);
}

void RecordsetGrid::choose(int row) {
    choiceMade_ = true;
    if (!model_ || !model_->chooseRow(row)) return; // the row is gone: no choice
    emit rowChosen();
}

void RecordsetGrid::mousePressEvent(QMouseEvent* event) {
    // The field the user left refused its text and kept the focus: the press is void.
    if ((focusPolicy() & Qt::ClickFocus) && !hasFocus()) {
        event->ignore();
        return;
    }
    const int rowBefore = currentIndex().row();
    userInput_ = true;
    choiceMade_ = false;
    QTableView::mousePressEvent(event);
    userInput_ = false;
    // A press on the row already current chooses it again.
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (!choiceMade_ && pressed.isValid() && pressed.row() == rowBefore && event->button() == Qt::LeftButton)
        choose(pressed.row());
}

void RecordsetGrid::keyPressEvent(QKeyEvent* event) {
    const bool upward = event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp;
    if (upward && currentIndex().row() <= 0) loadEarlierRows();
    userInput_ = true;
    choiceMade_ = false;
    QTableView::keyPressEvent(event);
    userInput_ = false;
}

void RecordsetGrid::loadEarlierRows() {
    if (!model_ || !model_->canFetchBefore()) return;
    const int added = model_->fetchBefore();
    // The rows in sight stay in sight.
    if (added <= 0) return;
    updateGeometries(); // the scroll range must take in the new rows before the position moves by them
    verticalScrollBar()->setSliderPosition(verticalScrollBar()->sliderPosition() + added);
}

} // namespace shell
