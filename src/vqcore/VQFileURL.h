#pragma once
// File facts the library needs: when a file last changed, whether a folder can
// be written, whether a path is a folder.

#include <QString>

#include <cstdint>
#include <optional>

// A file's identity in time: the modification time in nanoseconds plus the
// inode and size, so that a replacement by rename is seen even when it lands
// within the file system's time granularity.
struct VQFileDate {
    std::int64_t nanoseconds = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    friend bool operator==(const VQFileDate &, const VQFileDate &) = default;
};

namespace VQFileURL
{
// Nothing when the file does not exist.
std::optional<VQFileDate> modificationDate(const QString &path);
bool exists(const QString &path);
bool isDirectory(const QString &path);
// A folder we may create files in.
bool isWritable(const QString &path);
} // namespace VQFileURL
