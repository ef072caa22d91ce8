#include "VQDictionary.h"

#include <gtest/gtest.h>

TEST(VQDictionaryTest, NumbersAndNumericTextReadLeniently)
{
    VQPlist dict = VQPlist::dictionary();
    dict.set("versionText", VQPlist::string(QStringLiteral("0.3")))
        .set("versionReal", VQPlist::real(0.3))
        .set("count", VQPlist::integer(2))
        .set("junk", VQPlist::string(QStringLiteral("junk")))
        .set("leading", VQPlist::string(QStringLiteral("12abc")))
        .set("fraction", VQPlist::real(3.9))
        .set("list", VQPlist::array());

    struct Row {
        const char *key;
        double asDouble;
        std::int64_t asInteger;
    } rows[] = {
        {"versionText", 0.3, 0}, {"versionReal", 0.3, 0}, {"count", 2, 2},   {"junk", 0, 0},
        {"leading", 12, 12},     {"fraction", 3.9, 3},    {"list", 0, 0},    {"absent", 0, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(VQDictionary::doubleForKey(dict.node(), row.key), row.asDouble);
        EXPECT_EQ(VQDictionary::integerForKey(dict.node(), row.key), row.asInteger);
    }
}

TEST(VQDictionaryTest, NotADictionaryReadsZero)
{
    VQPlist list = VQPlist::array();
    list.append(VQPlist::integer(5));
    EXPECT_EQ(VQDictionary::doubleForKey(list.node(), "0"), 0.0);
    EXPECT_EQ(VQDictionary::integerForKey(VQPlistNode(), "x"), 0);
}
