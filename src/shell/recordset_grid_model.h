// Table models for the grids of the entry windows. A grid over a shared table recordset loads its
// rows on demand, a few hundred at a time in index order, and follows the recordset: whenever any
// window or job moves it, the grid's current row moves along. A grid over a query shows the rows of
// a snapshot or dynaset that its window owns.
#pragma once

#include "platform/db/database.h"

#include <QAbstractTableModel>
#include <QString>

#include <deque>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace shell {

// One column of a grid: the bound field, its heading and how its value reads in a cell.
struct GridColumn {
    using Format = std::function<QString(const db::Value&)>;
    GridColumn(std::string field, QString caption, Format format = {}, Qt::Alignment alignment = {})
        : field(std::move(field)), caption(std::move(caption)), format(std::move(format)), alignment(alignment) {}

    std::string field;
    QString caption;
    Format format;           // empty: plain text, numbers whole, blanks trimmed
    Qt::Alignment alignment; // empty: texts left, numbers right
};

// The value as a cell shows it when its column sets no format of its own.
QString plainCellText(const db::Value& value);

// Whether a grid's table recordset stands on a row that a choice in the grid can take.
bool standsOnRow(const db::TableRecordset* table);
// The same for a grid's query recordset.
bool standsOnRow(const db::QueryRecordset* set);

// What a grid view needs of its model, whatever the rows come from.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int BatchSize = 200;

    GridModel(std::vector<GridColumn> columns, QObject* parent);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Makes the row the source's current row; false when the row is gone.
    virtual bool chooseRow(int row) = 0;
    // Rows before the first one loaded, for a view scrolled to its top.
    virtual bool canFetchBefore() const { return false; }
    virtual int fetchBefore() { return 0; }
    // Reads the source afresh and shows the rows around its current row.
    virtual void refresh() = 0;

signals:
    // The source stands on this row now (-1: on none). A view shows it without taking it as a choice.
    void currentRowFollowed(int row);

protected:
    const std::vector<GridColumn>& gridColumns() const { return columns_; }
    QString cellText(int column, const db::Value& value) const;
    // The texts of one loaded row, one per column; empty when the row is gone.
    virtual const std::vector<QString>& rowTexts(int row) const = 0;
    // Whether a column's field holds numbers, for its alignment.
    virtual bool numericColumn(int column) const = 0;

private:
    std::vector<GridColumn> columns_;
};

// A grid over a long-lived table recordset. It holds a window of consecutive rows (by bookmark),
// grows it at either end as the view scrolls and re-anchors it on the recordset's current row.
// Moves and writes of the recordset are taken up once control returns to the event loop, so that a
// job that reads thousands of rows moves the grid once.
class RecordsetGridModel : public GridModel {
    Q_OBJECT
public:
    explicit RecordsetGridModel(std::vector<GridColumn> columns, QObject* parent = nullptr);
    ~RecordsetGridModel() override;

    // Binds the grid (again) to `recordset` and shows the rows around its current row; nullptr unbinds.
    void setRecordset(db::TableRecordset* recordset);
    db::TableRecordset* recordset() const { return recordset_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    bool canFetchBefore() const override { return recordset_ && !atStart_; }
    int fetchBefore() override;

    bool chooseRow(int row) override;
    void refresh() override;

    db::Bookmark bookmarkAt(int row) const;
    // The loaded row of a bookmark; -1 when it is not loaded.
    int rowOf(db::Bookmark mark) const;
    // Takes up the recordset's moves and writes now rather than on return to the event loop.
    void followNow();

protected:
    const std::vector<QString>& rowTexts(int row) const override;
    bool numericColumn(int column) const override;

private:
    void recordsetEvent(db::RecordsetEvent event);
    void anchorAt(db::Bookmark mark);
    void appendRows(const std::vector<db::Bookmark>& marks);
    db::Bookmark currentBookmark() const;
    bool rowExists(db::Bookmark mark) const;

    db::TableRecordset* recordset_ = nullptr;
    int listener_ = 0;
    std::vector<int> fieldIndexes_;
    std::deque<db::Bookmark> rows_;
    // The place of a loaded row: its sequence number less that of the first loaded row.
    std::unordered_map<db::Bookmark, long long> sequence_;
    long long firstSequence_ = 0;
    mutable std::unordered_map<db::Bookmark, std::vector<QString>> texts_;
    bool atStart_ = true;
    bool atEnd_ = true;
    bool followPending_ = false;
    bool rowsChanged_ = false;
};

// A grid over a query recordset its window owns (a snapshot or dynaset). The window tells it when it
// has moved or re-queried the recordset.
class QueryGridModel : public GridModel {
    Q_OBJECT
public:
    explicit QueryGridModel(std::vector<GridColumn> columns, QObject* parent = nullptr);

    void setRecordset(db::QueryRecordset* recordset);
    db::QueryRecordset* recordset() const { return recordset_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    bool chooseRow(int row) override;
    // Re-queries the recordset and shows its rows from the first.
    void refresh() override;
    // Shows the row the recordset stands on.
    void followCurrent();

protected:
    const std::vector<QString>& rowTexts(int row) const override;
    bool numericColumn(int column) const override;

private:
    void reload();
    void loadTexts(std::size_t upTo);

    db::QueryRecordset* recordset_ = nullptr;
    std::vector<int> fieldIndexes_;
    std::vector<db::Bookmark> marks_;         // every row of the set, in order
    std::vector<std::vector<QString>> texts_; // of the rows loaded so far
};

} // namespace shell
