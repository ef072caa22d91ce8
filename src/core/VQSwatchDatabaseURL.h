#pragma once
// Where the library file lives. Decided once per process; later calls return
// the same answer without asking anything again.

#include <QString>

// ~/.local/share/Vellico/Vellico Library.vlb (XDG_DATA_HOME is honoured); the folder is created.
QString VQDefaultLibraryPath();
QString VQSwatchDatabaseURL();
// Forgets the decision (tests).
void VQResetSwatchDatabaseURL();
