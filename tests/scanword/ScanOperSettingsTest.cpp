#include "settings/Config.h"
#include "scanword/ScanOperSettings.h"

#include <gtest/gtest.h>

using namespace vez;

TEST(ScanOperSettings, LimitsAndAreaStayInTheirRanges) {
    ScanOperSettings o;
    EXPECT_TRUE(o.shortCheck());
    EXPECT_EQ(o.limit(2), 2);
    EXPECT_EQ(o.limit(3), 3);
    EXPECT_EQ(o.limit(4), 16);
    EXPECT_EQ(o.area(), 7);
    struct Case {
        int length, value, expected;
    } cases[] = {{2, 11, 10}, {2, -1, 0}, {3, 21, 20}, {3, 20, 20}, {4, 101, 100}, {4, 0, 0}};
    for (const Case& c : cases) {
        o.SetLimit(c.length, c.value);
        EXPECT_EQ(o.limit(c.length), c.expected) << c.length << " <- " << c.value;
    }
    o.SetLimit(5, 1); // not a limited length: nothing to store
    o.SetShortCheck(false);
    EXPECT_FALSE(o.limitsEnabled());
    o.SetLimit(2, 5);
    EXPECT_EQ(o.limit(2), 0) << "greyed limits cannot change";

    EXPECT_TRUE(o.SetArea(4));
    EXPECT_EQ(o.area(), 5);
    EXPECT_FALSE(o.SetArea(5));
    EXPECT_TRUE(o.SetArea(9));
    EXPECT_EQ(o.area(), 8);
}

TEST(ScanOperSettings, OptionsCarryTheSettingsAndPermitArrow) {
    Settings s;
    ScanOperSettings o;
    EXPECT_FALSE(ScanOperSettings::PermitArrows(s));
    ScanOperSettings::SetPermitArrows(s, true);
    EXPECT_TRUE(s.PermitArrow);
    o.SetLimit(3, 7);
    o.SetArea(5);
    ScanOptions opt = o.Options(s);
    EXPECT_TRUE(opt.permitArrows);
    EXPECT_TRUE(opt.shortCheck);
    EXPECT_EQ(opt.maxShort[2], 2);
    EXPECT_EQ(opt.maxShort[3], 7);
    EXPECT_EQ(opt.maxShort[4], 16);
    EXPECT_EQ(opt.area, 5);
    o.SetShortCheck(false);
    EXPECT_FALSE(o.Options(s).shortCheck);
}

TEST(ScanOperSettings, LengthListRows) {
    ScanOperSettings o;
    std::vector<std::string> rows = o.LengthRows();
    ASSERT_EQ(rows.size(), 15u);
    EXPECT_EQ(rows.front(), "2.");
    EXPECT_EQ(rows.back(), "16.");
    ScanWordCounts c;
    c.byLength[2] = 3;
    c.byLength[16] = 1;
    o.SetLengths(c);
    rows = o.LengthRows();
    EXPECT_EQ(rows[0], "2.  3");
    EXPECT_EQ(rows[1], "3.  0");
    EXPECT_EQ(rows[14], "16.  1");
    o.ClearLengths();
    EXPECT_EQ(o.LengthRows()[0], "2.");
}
