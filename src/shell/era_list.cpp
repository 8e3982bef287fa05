#include "shell/era_list.h"

namespace shell {

EraList::EraList(QWidget* parent) : QComboBox(parent) { setEditable(false); }

void EraList::fill(const data::F01Rec& control) {
    clear();
    for (int era = 1; era <= 5; ++era) {
        const data::FixedText& name = control.F01_NENG[era];
        if (name.trimmed().empty()) continue;
        addItem(QString::fromStdString(name.str()), era);
    }
    setCurrentIndex(-1);
}

bool EraList::selectEra(int eraNumber) {
    const int position = findData(eraNumber);
    setCurrentIndex(position);
    return position >= 0;
}

int EraList::chosenEra() const { return currentIndex() < 0 ? 0 : currentData().toInt(); }

} // namespace shell
