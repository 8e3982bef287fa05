// The era list beside a date field. Each entry keeps its era's number, so a date's era is found by
// number: an era left unnamed between named ones drops out of the list without shifting the others.
#pragma once

#include "data/records.h"

#include <QComboBox>

namespace shell {

class EraList : public QComboBox {
    Q_OBJECT
public:
    explicit EraList(QWidget* parent = nullptr);

    // Empties the list and adds the named eras 1 to 5 of the control row, in order, as stored.
    void fill(const data::F01Rec& control);

    // Selects the entry of era `eraNumber` (1 to 5); with no such entry nothing is selected and false returned.
    // A selection made here is the window's own and never counts as the user's choice.
    bool selectEra(int eraNumber);

    // The era number of the selected entry; 0 when none is selected.
    int chosenEra() const;
};

} // namespace shell
