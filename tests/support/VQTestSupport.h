#pragma once
// What every test of the library needs: a private home (defaults, data and
// state folders), a fixed clock, scripted modal answers and a termination
// seam that throws instead of exiting.

#include "core/VQSwatchCore.h"
#include "vqcore/VQModalUI.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

class VQLibraryTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    // Paths inside the private home.
    QString path(const QString &relative) const;
    // Writes `bytes` to a file inside the private home; returns its path.
    QString write(const QString &relative, const QByteArray &bytes) const;
    // Moves the fixed clock.
    void setTime(double seconds);
    double time() const { return _time; }

    VQScriptedModalUI &ui() { return *_ui; }
    // Opens the library at `path` as the program holds it (live) and makes it
    // VQSwatchCore::sharedCore() until the test ends or another is shared.
    VQSwatchCore &shareLibrary(const QString &path);
    // The same for a core made otherwise.
    VQSwatchCore &share(std::unique_ptr<VQSwatchCore> core);

    std::unique_ptr<VQSharedCoreOwner> _sharedLibrary;
    std::unique_ptr<QTemporaryDir> _home;
    VQScriptedModalUI *_ui = nullptr;
    double _time = 1700000000.0;
};

// Failures show texts as text rather than as lists of characters. (A template,
// so that a test file's own plain overload still takes precedence.)
template <class Text>
requires std::same_as<Text, QString>
void PrintTo(const Text &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// The whole file, or nothing when it cannot be read.
QByteArray VQReadAll(const QString &path);
// Writes `bytes` to `path`, making its folder; false on failure.
bool VQWriteAll(const QString &path, const QByteArray &bytes);

// A binary property list whose top array refers `times` times to one string
// of `units` characters (ASCII, or UTF-16): small on disk, but libplist makes
// a copy for every reference.
QByteArray VQSharedStringPlist(std::uint32_t units, std::uint32_t times, bool utf16 = false);

// A locale whose decimal separator is a comma ("de_DE.UTF-8"), installed or
// built with localedef into a temporary folder; `locpath` is that folder
// (empty for an installed one; the LOCPATH variable of a child process).
// Nothing, and `why` says why, when neither is possible.
std::optional<QString> VQCommaDecimalLocale(QString *locpath, QString *why);

// Runs python3 with `script` (read from standard input) and `args`; returns
// its exit status. Tests use it to make files the way other programs do.
int VQRunPython(const QString &script, const QStringList &args = {}, QString *output = nullptr);

// How many times `name` is posted while `body` runs.
int VQCountPosts(const char *name, const std::function<void()> &body);

class VQSwatchCore;
// The library at `path` as the program holds it (live, started empty when
// there is no file); null when it cannot be opened.
std::unique_ptr<VQSwatchCore> VQOpenLiveLibrary(const QString &path);
// The library file at `path` opened on its own (detached); null when it cannot be opened.
std::unique_ptr<VQSwatchCore> VQOpenDetachedLibrary(const QString &path);
// The titles of the library's collections in order; none when `core` is null.
QStringList VQCollectionTitles(const VQSwatchCore *core);
// The same for the library file at `path`, opened on its own; none when it cannot be read.
QStringList VQCollectionTitles(const QString &path);

// Titles and names that are hard to keep exactly, each with a label and
// whether XML 1.0 can carry it (the rest hold NUL, other control characters,
// U+FFFE or U+FFFF). None has an unpaired surrogate.
struct VQHardName {
    const char *label;
    QString text;
    bool xml;
};
std::vector<VQHardName> VQHardNames();

// Expects `body` to end the process through the termination seam with `status`.
#define EXPECT_TERMINATES(body, expectedStatus)                                                                        \
    do {                                                                                                               \
        bool terminated_ = false;                                                                                      \
        try {                                                                                                          \
            body;                                                                                                      \
        } catch (const VQTerminationRequest &request_) {                                                               \
            terminated_ = true;                                                                                        \
            EXPECT_EQ(request_.status, (expectedStatus));                                                              \
        }                                                                                                              \
        EXPECT_TRUE(terminated_) << "expected the process to end";                                                     \
    } while (0)
