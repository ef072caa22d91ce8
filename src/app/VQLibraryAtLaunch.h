#pragma once
// Opening the program's own library at start-up, where the user hears what
// stops it.

#include <QString>

#include <memory>

class VQSwatchCore;

// The library at `path`, live. When it cannot be opened an alert says why and
// the process ends (status 0); for a damaged file the user may instead choose
// "Overwrite", which keeps that file beside the library and starts an empty one.
std::unique_ptr<VQSwatchCore> VQOpenLibraryAtLaunch(const QString &path);
