#include "gui/QtFileDialogs.h"

#include <QFileDialog>

namespace zelko6 {

// Qt's own dialog: the system's speaks the language of Windows rather than the one chosen in the
// program, and its controls carry none of the names that a screen reader and the checks that drive
// the window find in every other dialog of the program.
void choosePlatformDialog(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
}

} // namespace zelko6
