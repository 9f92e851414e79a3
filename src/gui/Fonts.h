#pragma once
#include <QFont>

namespace zelko6 {

// The two Japanese system fonts the windows are designed in. Their family names are kept; where
// they are not installed, a Japanese font found on the system stands in for them.
QFont gothicFixedFont(); // "ＭＳ ゴシック": grid, text boxes, lists, checksum and data-sheet labels
QFont uiGothicFont();    // "MS UI Gothic": buttons and small labels
void installFontSubstitutions();

} // namespace zelko6
