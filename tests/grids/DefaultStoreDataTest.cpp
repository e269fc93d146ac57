// The delivered default storage data/CROS/GratCROS1.bmp: its format, its range of shapes and the
// crossing guarantees every shape must keep. Whether the dictionary fills the shapes is shown by
// the report of vezdar-cli make-default-store, not here (it takes minutes).
#include "StoreTestUtil.h"
#include "grids/GridStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace vez;

namespace {

const fs::path kDefaultStore = fs::path(VEZDAR_DATA_DIR) / "CROS" / "GratCROS1.bmp";

// Faults of one shape against what a crossword of the storage promises; empty when it is sound.
// Walks every run across and down on its own rather than through the generator's checks, so a shape
// that slipped past them is still caught.
std::string ShapeFaults(const TGratShape& s) {
    auto at = [&](int x, int y) { return x >= 1 && y >= 1 && x <= 40 && y <= 40 && s.letter[x][y]; };
    std::string faults;
    for (int across = 0; across <= 1; ++across) {
        const int dx = across, dy = 1 - across; // along the run
        for (int line = 1; line <= 40; ++line)
            for (int t = 1; t <= 40; ++t) {
                const int x = across ? t : line, y = across ? line : t;
                if (!at(x, y) || at(x - dx, y - dy)) continue; // not the start of a run
                int len = 0, crossed = 0;
                for (int u = x, v = y; at(u, v); u += dx, v += dy, ++len)
                    crossed += at(u - dy, v - dx) || at(u + dy, v + dx);
                const std::string where = std::string(across ? "across" : "down") + " run at " +
                                          std::to_string(x) + "," + std::to_string(y);
                if (len > 16) faults += where + " longer than 16; ";
                if (across && len == 1 && crossed == 0) // no neighbour either way
                    faults += "isolated square at " + std::to_string(x) + "," + std::to_string(y) + "; ";
                if (len >= 2 && crossed < 2)
                    faults += where + " crossed " + std::to_string(crossed) + " time(s); ";
            }
    }
    return faults;
}

TEST(DefaultStore, DeliveredStorageHoldsSoundShapesFromSmallToLarge) {
    auto bytes = ReadFileBytes(kDefaultStore);
    ASSERT_TRUE(bytes) << kDefaultStore;
    EXPECT_EQ(test::FileBitsPerPixel(*bytes), 4);
    std::string error;
    auto p = DecodeBmp(*bytes, &error);
    ASSERT_TRUE(p) << error;
    ASSERT_EQ(p->width, kStoreSide);
    ASSERT_EQ(p->height, kStoreSide);
    for (int k = 0; k <= kStoreCells; ++k)
        for (int t = 0; t < kStoreSide; ++t) {
            ASSERT_EQ(p->At(kCellPitch * k, t), kStoreBlack) << "vertical line " << k;
            ASSERT_EQ(p->At(t, kCellPitch * k), kStoreBlack) << "horizontal line " << k;
        }

    // Shapes fill the first cells without gaps, so the browser shows them together.
    int shapes = 0, smallest = kCellSquares * kCellSquares, largest = 0;
    bool gap = false;
    for (int k = 0; k < kStoreCellCount; ++k) {
        const int c = k % kStoreCells, r = k / kStoreCells;
        const TGratShape s = ReadShape(*p, c, r);
        if (s.width == 0) {
            gap = true;
            continue;
        }
        SCOPED_TRACE("cell " + std::to_string(c + 1) + " : " + std::to_string(r + 1));
        EXPECT_FALSE(gap) << "a shape after an empty cell";
        EXPECT_FALSE(IsCellEmpty(*p, c, r)) << "a shape the browser would take for an empty cell";
        EXPECT_EQ(ShapeFaults(s), "");
        EXPECT_GE(std::min(s.width, s.height), 7);
        EXPECT_LE(std::max(s.width, s.height), 25);
        smallest = std::min(smallest, s.width * s.height);
        largest = std::max(largest, s.width * s.height);
        ++shapes;
    }
    EXPECT_GE(shapes, 30);
    EXPECT_EQ(smallest, 7 * 7);
    EXPECT_EQ(largest, 25 * 25);
}

// The checker itself must see the faults it is there for.
TEST(DefaultStore, ShapeCheckerFindsEachFault) {
    struct Case {
        const char* name;
        std::vector<std::string> rows;
        const char* fault; // nullptr: sound
    } cases[] = {
        {"sound frame", {"***", "*.*", "***"}, nullptr},
        {"word crossed once", {"***", "*..", "*.."}, "crossed 1 time"},
        {"isolated square", {"***", "*.*", "***", "...", "..*"}, "isolated square at 3,5"},
        {"run of 17", {std::string(17, '*'), "*...............*"}, "longer than 16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = ShapeFromRows(c.rows);
        ASSERT_TRUE(s);
        const std::string faults = ShapeFaults(*s);
        if (c.fault)
            EXPECT_NE(faults.find(c.fault), std::string::npos) << faults;
        else
            EXPECT_EQ(faults, "");
    }
}

} // namespace
