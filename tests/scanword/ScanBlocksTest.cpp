#include "scanword/ScanBlocks.h"

#include <gtest/gtest.h>
#include <vector>

using namespace vez;

TEST(ScanBlocks, Partitions) {
    struct Case {
        int w, h, q, nx, ny;
        std::vector<int> widths;
    } cases[] = {
        {15, 10, 7, 3, 2, {5, 5, 5}},
        {15, 10, 5, 3, 2, {5, 5, 5}},
        {15, 10, 8, 2, 2, {7, 8}},
        {40, 40, 5, 8, 8, {5, 5, 5, 5, 5, 5, 5, 5}},
        {13, 4, 5, 3, 1, {4, 4, 5}},
        {14, 4, 5, 4, 1, {3, 3, 3, 5}},
    };
    for (const auto& c : cases) {
        ScanBlocks b = ComputeScanBlocks(c.w, c.h, c.q);
        EXPECT_EQ(b.nx, c.nx) << c.w << "x" << c.h << " q" << c.q;
        EXPECT_EQ(b.ny, c.ny) << c.w << "x" << c.h << " q" << c.q;
        std::vector<int> widths;
        for (int k = 1; k <= b.nx; ++k) widths.push_back(b.x1(k) - b.x0(k) + 1);
        EXPECT_EQ(widths, c.widths) << c.w << " q" << c.q;
    }
}

TEST(ScanBlocks, BlocksTileTheGridAndBlockOfFindsThem) {
    ScanBlocks b = ComputeScanBlocks(15, 10, 7);
    EXPECT_EQ(b.x0(1), 1);
    EXPECT_EQ(b.x1(3), 15);
    EXPECT_EQ(b.y0(6), 6);
    EXPECT_EQ(b.y1(6), 10);
    for (int k = 1; k <= b.count(); ++k)
        for (int y = b.y0(k); y <= b.y1(k); ++y)
            for (int x = b.x0(k); x <= b.x1(k); ++x) ASSERT_EQ(b.BlockOf(x, y), k);
    ScanBlocks odd = ComputeScanBlocks(14, 4, 5); // last block wider than the others
    EXPECT_EQ(odd.BlockOf(14, 1), 4);
    EXPECT_EQ(odd.BlockOf(10, 1), 4);
}
