#include "vqcore/VQFileURL.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace VQFileURL
{

std::optional<VQFileDate> modificationDate(const QString &path)
{
    struct stat st {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return VQFileDate{std::int64_t(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec, std::uint64_t(st.st_ino),
                      std::int64_t(st.st_size)};
}

bool exists(const QString &path)
{
    struct stat st {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

bool isDirectory(const QString &path)
{
    struct stat st {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isWritable(const QString &path)
{
    return isDirectory(path) && ::access(QFile::encodeName(path).constData(), W_OK | X_OK) == 0;
}

} // namespace VQFileURL
