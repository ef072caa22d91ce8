#pragma once
// Remembers a file the user chose, under a key of the user defaults, across
// launches. Here a location is its plain absolute path: nothing needs to be
// granted before a file the user picked can be opened again.

#include <QString>

#include <optional>

class VQAppScopeBookmarksManager
{
  public:
    static VQAppScopeBookmarksManager &sharedManager();

    // Stores the absolute form of `path` under `defaultsKey`. False for an empty path.
    bool storeURL(const QString &path, const QString &defaultsKey);
    // The path stored under `defaultsKey`; nothing when the key is absent or empty.
    std::optional<QString> resolveURL(const QString &defaultsKey) const;

    // Access to a stored location; plain paths need no grant, so these only say yes.
    bool startAccessing(const QString &path);
    bool stopAccessing(const QString &path);
};
