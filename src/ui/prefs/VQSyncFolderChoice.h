#pragma once
// The shared folder of synchronisation as the preferences take it: what a
// typed or chosen path means, whether it can be used, and the line that tells
// where this computer's copy goes.

#include <QString>

#include <optional>

namespace VQSyncFolderChoice
{
// The path as it would be stored: "~/…" and paths relative to the home folder
// made absolute, cleaned; empty stays empty (no folder).
QString normalized(const QString &typed);

// Why the folder cannot be used (it does not exist, is not a folder, cannot be
// written), or nothing when it can. An empty path can: it means no folder.
std::optional<QString> problem(const QString &path);

// "This computer's copy: FILE", "Choose the shared folder to synchronise."
// when there is none, or why there is no file of our own.
QString ownFileLine(const QString &path);
} // namespace VQSyncFolderChoice
