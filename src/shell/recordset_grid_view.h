// The grid of an entry window: a read-only table view over a GridModel that shows the row its
// source stands on and reports a row the user chooses, by mouse or keys. A row shown because some
// window moved the source is never taken for the user's choice.
#pragma once

#include "shell/recordset_grid_model.h"

#include <QTableView>

namespace shell {

class RecordsetGrid : public QTableView {
    Q_OBJECT
public:
    explicit RecordsetGrid(QWidget* parent = nullptr);

    void setGridModel(GridModel* model);
    GridModel* gridModel() const { return model_; }

    // Room for every column whole and a few rows, so that no window squeezes the grid into a slit.
    QSize minimumSizeHint() const override;

signals:
    // The user chose a row; the model's source now stands on it.
    void rowChosen();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitColumns();
    void follow(int row);
    void currentRowChangedByView(int row);
    void choose(int row);
    void loadEarlierRows();

    GridModel* model_ = nullptr;
    bool userInput_ = false;  // a mouse press or key press of the user is being handled
    bool choiceMade_ = false; // that input already chose a row
};

} // namespace shell
