#include "shell/recordset_grid_model.h"

#include "data/fixed_text.h"

#include <QMetaObject>

#include <algorithm>

namespace shell {

namespace {

bool isNumeric(db::FieldType type) {
    return type == db::FieldType::Int16 || type == db::FieldType::Int32 || type == db::FieldType::Currency ||
           type == db::FieldType::Single;
}

const std::vector<QString>& noTexts() {
    static const std::vector<QString> none;
    return none;
}

// Where a query recordset stands, so that reading rows for the grid can put it back.
struct QueryPlace {
    db::Bookmark mark = 0;
    bool beforeFirst = false;
};

QueryPlace placeOf(const db::QueryRecordset& set) {
    if (set.bof()) return {0, true};
    if (set.eof()) return {0, false};
    try {
        return {set.bookmark(), false};
    } catch (const db::DbError&) {
        return {0, false}; // on a deleted row of a dynaset: put back after the last
    }
}

void returnTo(db::QueryRecordset& set, const QueryPlace& place) {
    if (place.mark != 0) {
        set.setBookmark(place.mark);
    } else if (place.beforeFirst) {
        set.moveFirst();
        set.movePrevious();
    } else {
        set.moveLast();
        set.moveNext();
    }
}

} // namespace

QString plainCellText(const db::Value& value) {
    if (value.isNull()) return {};
    if (value.isText()) return QString::fromStdString(data::trimText(value.asText()));
    if (value.isCurrency()) return QString::number(value.asCurrency().roundedWhole());
    if (value.isDouble()) return QString::number(value.asDouble());
    return QString::number(value.asInt());
}

bool standsOnRow(const db::TableRecordset* table) {
    return table && !table->bof() && !table->eof() && table->hasCurrent();
}

bool standsOnRow(const db::QueryRecordset* set) { return set && !set->bof() && !set->eof(); }

// ---- GridModel

GridModel::GridModel(std::vector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)) {}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= static_cast<int>(columns_.size())) return {};
    return columns_[static_cast<std::size_t>(section)].caption;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::TextAlignmentRole) {
        Qt::Alignment alignment = columns_[column].alignment;
        if (!alignment) alignment = numericColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft;
        return QVariant::fromValue(alignment | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) return {};
    const std::vector<QString>& texts = rowTexts(index.row());
    return column < texts.size() ? texts[column] : QString();
}

QString GridModel::cellText(int column, const db::Value& value) const {
    const GridColumn& spec = columns_[static_cast<std::size_t>(column)];
    return spec.format ? spec.format(value) : plainCellText(value);
}

// ---- RecordsetGridModel

RecordsetGridModel::RecordsetGridModel(std::vector<GridColumn> columns, QObject* parent)
    : GridModel(std::move(columns), parent) {}

RecordsetGridModel::~RecordsetGridModel() {
    if (recordset_) recordset_->removeListener(listener_);
}

void RecordsetGridModel::setRecordset(db::TableRecordset* recordset) {
    if (recordset_ != recordset) {
        if (recordset_) recordset_->removeListener(listener_);
        recordset_ = recordset;
        fieldIndexes_.clear();
        if (recordset_) {
            for (const GridColumn& column : gridColumns())
                fieldIndexes_.push_back(recordset_->columnIndex(column.field));
            listener_ = recordset_->addListener([this](db::RecordsetEvent event) { recordsetEvent(event); });
        }
    }
    refresh();
}

void RecordsetGridModel::refresh() {
    followPending_ = false;
    rowsChanged_ = false;
    const db::Bookmark mark = currentBookmark();
    anchorAt(mark);
    emit currentRowFollowed(mark ? rowOf(mark) : -1);
}

void RecordsetGridModel::recordsetEvent(db::RecordsetEvent event) {
    if (event == db::RecordsetEvent::Closed) {
        // The recordset is going away with its data file: nothing of it may be touched again.
        recordset_ = nullptr;
        followPending_ = false;
        anchorAt(0);
        emit currentRowFollowed(-1);
        return;
    }
    if (event == db::RecordsetEvent::RowsChanged) rowsChanged_ = true;
    if (followPending_) return;
    followPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { followNow(); }, Qt::QueuedConnection);
}

void RecordsetGridModel::followNow() {
    if (!followPending_) return;
    followPending_ = false;
    if (!recordset_) return;
    const db::Bookmark mark = currentBookmark();
    if (rowsChanged_) {
        rowsChanged_ = false;
        // Rows were added, changed or deleted: show them afresh around the current row, or else
        // around the first row shown while it is still there.
        db::Bookmark anchor = mark;
        if (!anchor && !rows_.empty() && rowExists(rows_.front())) anchor = rows_.front();
        anchorAt(anchor);
    } else if (mark && rowOf(mark) < 0) {
        anchorAt(mark);
    }
    emit currentRowFollowed(mark ? rowOf(mark) : -1);
}

db::Bookmark RecordsetGridModel::currentBookmark() const {
    if (!recordset_ || recordset_->bof() || recordset_->eof() || !recordset_->hasCurrent()) return 0;
    return recordset_->bookmark();
}

bool RecordsetGridModel::rowExists(db::Bookmark mark) const { return !recordset_->rowAt(mark).empty(); }

void RecordsetGridModel::anchorAt(db::Bookmark mark) {
    beginResetModel();
    rows_.clear();
    sequence_.clear();
    texts_.clear();
    firstSequence_ = 0;
    atStart_ = true;
    atEnd_ = true;
    if (recordset_) {
        constexpr int half = BatchSize / 2;
        if (mark) {
            // Half a batch before the row where there is that much, the rest after it.
            const std::vector<db::Bookmark> before = recordset_->bookmarksBefore(mark, half);
            std::vector<db::Bookmark> marks = before;
            marks.push_back(mark);
            const int wanted = BatchSize - static_cast<int>(marks.size());
            const std::vector<db::Bookmark> after = recordset_->bookmarksAfter(mark, wanted);
            marks.insert(marks.end(), after.begin(), after.end());
            atStart_ = static_cast<int>(before.size()) < half;
            atEnd_ = static_cast<int>(after.size()) < wanted;
            appendRows(marks);
        } else {
            const std::vector<db::Bookmark> marks = recordset_->bookmarksAfter(0, BatchSize);
            atEnd_ = static_cast<int>(marks.size()) < BatchSize;
            appendRows(marks);
        }
    }
    endResetModel();
}

void RecordsetGridModel::appendRows(const std::vector<db::Bookmark>& marks) {
    for (const db::Bookmark mark : marks) {
        sequence_[mark] = firstSequence_ + static_cast<long long>(rows_.size());
        rows_.push_back(mark);
    }
}

int RecordsetGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

bool RecordsetGridModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && recordset_ && !atEnd_;
}

void RecordsetGridModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    const std::vector<db::Bookmark> marks = recordset_->bookmarksAfter(rows_.empty() ? 0 : rows_.back(), BatchSize);
    atEnd_ = static_cast<int>(marks.size()) < BatchSize;
    if (marks.empty()) return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(marks.size()) - 1);
    appendRows(marks);
    endInsertRows();
}

int RecordsetGridModel::fetchBefore() {
    if (!canFetchBefore() || rows_.empty()) return 0;
    const std::vector<db::Bookmark> marks = recordset_->bookmarksBefore(rows_.front(), BatchSize);
    atStart_ = static_cast<int>(marks.size()) < BatchSize;
    if (marks.empty()) return 0;
    const int count = static_cast<int>(marks.size());
    beginInsertRows({}, 0, count - 1);
    for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
        --firstSequence_;
        sequence_[*it] = firstSequence_;
        rows_.push_front(*it);
    }
    endInsertRows();
    return count;
}

bool RecordsetGridModel::chooseRow(int row) {
    const db::Bookmark mark = bookmarkAt(row);
    if (!mark || !recordset_ || !rowExists(mark)) return false;
    recordset_->setBookmark(mark);
    return true;
}

db::Bookmark RecordsetGridModel::bookmarkAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return 0;
    return rows_[static_cast<std::size_t>(row)];
}

int RecordsetGridModel::rowOf(db::Bookmark mark) const {
    const auto found = sequence_.find(mark);
    return found == sequence_.end() ? -1 : static_cast<int>(found->second - firstSequence_);
}

const std::vector<QString>& RecordsetGridModel::rowTexts(int row) const {
    const db::Bookmark mark = bookmarkAt(row);
    if (!mark || !recordset_) return noTexts();
    auto cached = texts_.find(mark);
    if (cached != texts_.end()) return cached->second;
    const std::vector<db::Value> values = recordset_->rowAt(mark);
    std::vector<QString> texts;
    if (!values.empty()) {
        for (std::size_t c = 0; c < fieldIndexes_.size(); ++c)
            texts.push_back(cellText(static_cast<int>(c), values[static_cast<std::size_t>(fieldIndexes_[c])]));
    }
    return texts_.emplace(mark, std::move(texts)).first->second;
}

bool RecordsetGridModel::numericColumn(int column) const {
    if (!recordset_ || column < 0 || column >= static_cast<int>(fieldIndexes_.size())) return false;
    return isNumeric(
        recordset_->columns()[static_cast<std::size_t>(fieldIndexes_[static_cast<std::size_t>(column)])].type);
}

// ---- QueryGridModel

QueryGridModel::QueryGridModel(std::vector<GridColumn> columns, QObject* parent)
    : GridModel(std::move(columns), parent) {}

void QueryGridModel::setRecordset(db::QueryRecordset* recordset) {
    recordset_ = recordset;
    fieldIndexes_.clear();
    if (recordset_) {
        for (const GridColumn& column : gridColumns())
            fieldIndexes_.push_back(recordset_->columnIndex(column.field));
    }
    reload();
}

void QueryGridModel::refresh() {
    if (recordset_) recordset_->requery();
    reload();
}

void QueryGridModel::reload() {
    beginResetModel();
    marks_.clear();
    texts_.clear();
    if (recordset_ && !recordset_->empty()) {
        const QueryPlace place = placeOf(*recordset_);
        for (recordset_->moveFirst(); !recordset_->eof(); recordset_->moveNext())
            marks_.push_back(recordset_->bookmark());
        returnTo(*recordset_, place);
        loadTexts(std::min<std::size_t>(marks_.size(), BatchSize));
    }
    endResetModel();
    followCurrent();
}

void QueryGridModel::loadTexts(std::size_t upTo) {
    if (upTo <= texts_.size()) return;
    const QueryPlace place = placeOf(*recordset_);
    for (std::size_t row = texts_.size(); row < upTo; ++row) {
        recordset_->setBookmark(marks_[row]);
        std::vector<QString> texts;
        for (std::size_t c = 0; c < fieldIndexes_.size(); ++c)
            texts.push_back(cellText(static_cast<int>(c), recordset_->field(fieldIndexes_[c])));
        texts_.push_back(std::move(texts));
    }
    returnTo(*recordset_, place);
}

int QueryGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

bool QueryGridModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && texts_.size() < marks_.size();
}

void QueryGridModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent)) return;
    const std::size_t upTo = std::min(marks_.size(), texts_.size() + BatchSize);
    beginInsertRows({}, static_cast<int>(texts_.size()), static_cast<int>(upTo) - 1);
    loadTexts(upTo);
    endInsertRows();
}

bool QueryGridModel::chooseRow(int row) {
    if (!recordset_ || row < 0 || row >= static_cast<int>(texts_.size())) return false;
    try {
        recordset_->setBookmark(marks_[static_cast<std::size_t>(row)]);
    } catch (const db::DbError&) {
        return false; // deleted from the dynaset meanwhile
    }
    return true;
}

void QueryGridModel::followCurrent() {
    const QueryPlace place = recordset_ ? placeOf(*recordset_) : QueryPlace{};
    if (!place.mark) {
        emit currentRowFollowed(-1);
        return;
    }
    const auto found = std::lower_bound(marks_.begin(), marks_.end(), place.mark);
    if (found == marks_.end() || *found != place.mark) {
        emit currentRowFollowed(-1);
        return;
    }
    const auto row = static_cast<std::size_t>(found - marks_.begin());
    if (row >= texts_.size()) {
        beginInsertRows({}, static_cast<int>(texts_.size()), static_cast<int>(row));
        loadTexts(row + 1);
        endInsertRows();
    }
    emit currentRowFollowed(static_cast<int>(row));
}

const std::vector<QString>& QueryGridModel::rowTexts(int row) const {
    if (row < 0 || row >= static_cast<int>(texts_.size())) return noTexts();
    return texts_[static_cast<std::size_t>(row)];
}

bool QueryGridModel::numericColumn(int column) const {
    if (!recordset_ || column < 0 || column >= static_cast<int>(fieldIndexes_.size())) return false;
    return isNumeric(
        recordset_->columns()[static_cast<std::size_t>(fieldIndexes_[static_cast<std::size_t>(column)])].type);
}

} // namespace shell
