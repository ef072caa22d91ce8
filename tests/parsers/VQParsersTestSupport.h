#pragma once
// Shared by the parser tests: a fixture that records the debug log, and a
// one-line picture of parsed collections.

#include "VQTestSupport.h"

#include "VQSwatchCollection.h"

#include <QStringList>

#include <optional>
#include <ostream>
#include <vector>

// Failing rows print QStrings as text.
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }

class VQParserTest : public VQLibraryTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Every line written to the debug log since SetUp.
    static QStringList &logLines();
    static int logLinesContaining(const QString &text);
};

// "Title: name=#HEX, name=#HEX | Title: …"; CMYK colours show "cmyk(c,m,y,k)" instead of the hex.
QString VQDescribeCollections(const std::optional<std::vector<VQSwatchCollectionRef>> &collections);
