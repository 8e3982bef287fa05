// The program's face: every text is Japanese, and a Gothic face keeps the half-width kana and the grids readable.
#pragma once

#include <QApplication>
#include <QFont>

namespace shell {

inline void useProgramFont() {
    QFont font = QApplication::font();
    font.setFamilies({"IPAexGothic", "IPAGothic", font.family()});
    QApplication::setFont(font);
}

} // namespace shell
