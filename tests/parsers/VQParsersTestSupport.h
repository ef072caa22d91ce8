#pragma once
// Shared by the parser tests: a fixture that records the debug log, and a
// one-line picture of parsed colours.

#include "VQTestSupport.h"

#include "core/VQSwatchCollection.h"

#include <optional>
#include <ostream>
#include <vector>

class VQParserTest : public VQLibraryTest
{
  protected:
    void SetUp() override;
    void TearDown() override;
    // Lines written to the debug log since SetUp that contain `text`.
    static int logLinesContaining(const QString &text);
};

// "#HEX", or "cmyk(c,m,y,k)" for a CMYK colour.
QString VQDescribeColor(const VQColorRef &color);
// "Title: name=#HEX, #HEX | Title: …" (unnamed colours show only their value).
QString VQDescribeCollections(const std::optional<std::vector<VQSwatchCollectionRef>> &collections);
