// The code-category table in memory (CodeKbnTable), rebuilt from F10KBNTB, and the digit limit
// that every code field reads from it.
#pragma once

#include "data/program_state.h"

namespace data {

// Rebuilds the whole of CodeKbnTable from the open data file: headings in row 0, the category
// number in column 1 of every row 1 to 20, and name, digits and length of the categories that
// exist. Categories numbered outside 1 to 20 have no row and are passed over.
void LoadCodeKbnTable(ProgramState& s);

// The number of digits a code of the category may have: the numeric value of cell (k, 3);
// 0 (no limit) when the cell is empty or the category lies outside 1 to 20.
int CodeDigits(const ProgramState& s, int category);

} // namespace data
