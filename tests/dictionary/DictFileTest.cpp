#include "dictionary/DictFile.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

using namespace vez;

TEST(DictFile, ReadsCrLfAndBareLfAndAMissingLastDefinition) {
    auto e = ParseDictEntries(ru("кот\r\nЗверь \r\nдом\nЖильё\r\nлес"));
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].Word, ru("кот"));
    EXPECT_TRUE(e[0].Quoted());
    EXPECT_EQ(e[1].Definition, ru("Жильё"));
    EXPECT_EQ(e[2].Word, ru("лес"));
    EXPECT_EQ(e[2].Definition, "");
}

TEST(DictFile, LoneCrStaysInTheLine) {
    auto e = ParseDictEntries("ab\rcd\r\nx\r\n");
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].Word, "ab\rcd");
}
