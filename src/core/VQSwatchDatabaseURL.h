#pragma once
// Where the library file lives. Decided once per process, before the library
// loads; later calls return the same answer without asking anything again.
//
//   asked to choose (Alt held at launch, or --choose-library)
//       → "Choose Library..." an existing file, or "Create Library..." a new
//         empty one; either is remembered under VQCustomLibraryURLData
//   else a library chosen earlier, when it still exists
//   else the default: ~/.local/share/Vellico/Vellico Library.vlb
//
// "Quit", or cancelling a panel, ends the process with status 0.

#include <QString>

inline constexpr const char *VQCustomLibraryURLDataDefaultsKey = "VQCustomLibraryURLData";

// ~/.local/share/Vellico/Vellico Library.vlb (XDG_DATA_HOME is honoured); the folder is created.
QString VQDefaultLibraryPath();
// `chooseLibrary` counts only on the first call: the application passes whether
// the user asked to pick another library at this launch.
QString VQSwatchDatabaseURL(bool chooseLibrary = false);
// Writes a new library without collections at `path`, atomically.
bool VQCreateEmptyLibrary(const QString &path, QString *error = nullptr);
// Forgets the decision (tests).
void VQResetSwatchDatabaseURL();
