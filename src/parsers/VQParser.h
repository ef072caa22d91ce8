#pragma once
// Base of the swatch-file importers: holds a file's bytes and a reader over
// them, and turns them into collections through parseColors(). A parser may
// leave out entries it cannot read (skippedEntries) and may say why it found
// nothing (failure).

#include "parsers/VQReader.h"
#include "core/VQSwatchCollection.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// An entry of a file that was left out: its line (text files) or byte offset
// (binary ones), and why, in a few words.
struct VQSkippedEntry {
    std::int64_t position = 0;
    QString reason;
};

// Titles and names that a format could not hold as they are, on the way in or
// out: how many were changed (or left out), and how, in a few words.
struct VQChangedNames {
    std::int64_t count = 0;
    QString how;
};

class VQParser
{
  public:
    // Reads the whole file; nothing when it cannot be read (missing, a folder, no permission).
    template <class Parser> static std::unique_ptr<Parser> fromURL(const QString &path)
    {
        std::optional<QByteArray> data = readFile(path);
        if (!data)
            return nullptr;
        return std::make_unique<Parser>(std::move(*data), path);
    }

    // Parses bytes already in memory; `path` only names them.
    VQParser(QByteArray data, QString path = QString());
    virtual ~VQParser();
    VQParser(const VQParser &) = delete;
    VQParser &operator=(const VQParser &) = delete;

    // The collections found, or nothing when the data is not of this parser's kind.
    // Abstract: the base throws VQAbstractMethodException naming "parseColors()".
    virtual std::optional<std::vector<VQSwatchCollectionRef>> parseColors();

    const QString &URL() const { return _url; }
    // Entries the last parseColors() left out, in file order.
    const std::vector<VQSkippedEntry> &skippedEntries() const { return _skipped; }
    // Titles and names the last parseColors() could not keep as the file has them.
    const VQChangedNames &changedNames() const { return _changedNames; }
    // Why the last parseColors() gave nothing, when the parser can say more
    // than "not of this kind" (a line number, a limit); empty otherwise.
    const QString &failure() const { return _failure; }
    const QByteArray &data() const { return _data; }

    // Larger files are refused: 9,999 swatches with long names take about 2 MB.
    static constexpr qint64 kMaximumFileSize = 64 * 1024 * 1024;
    // The file's contents; nothing, with `error` set, when it cannot be read
    // or is no regular file of at most kMaximumFileSize bytes.
    static std::optional<QByteArray> readFile(const QString &path, QString *error = nullptr);

  protected:
    VQReader reader;
    std::vector<VQSkippedEntry> _skipped;
    VQChangedNames _changedNames;
    QString _failure;

  private:
    QByteArray _data;
    QString _url;
};

// How the import commands make a parser for a chosen file (nothing when the file cannot be read).
using VQParserFactory = std::function<std::unique_ptr<VQParser>(const QString &path)>;

// Names in swatch files count a terminating zero unit; the name is what comes before it.
QString VQTrimmedSwatchName(QString name);

// "2 rows were skipped: line 4 (…), line 9 (…)." for messages about a text
// file; the first ten are listed. Empty when nothing was left out.
QString VQDescribeSkippedRows(const std::vector<VQSkippedEntry> &skipped);

// "2 names or titles were changed: how." Empty when none was.
QString VQDescribeChangedNames(const VQChangedNames &changed);
