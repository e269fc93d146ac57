#include "StoreTestUtil.h"
#include "grids/GridStore.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vez;
using namespace vez::test;

namespace {

TGratShape Shape(const std::vector<std::string>& rows) {
    auto s = ShapeFromRows(rows);
    EXPECT_TRUE(s);
    return s.value_or(TGratShape{});
}

void ExpectSameShape(const TGratShape& got, const TGratShape& want, const std::string& where) {
    EXPECT_EQ(got.width, want.width) << where;
    EXPECT_EQ(got.height, want.height) << where;
    EXPECT_EQ(got.letter, want.letter) << where;
}

void ExpectLinesIntact(const TGratStore& p) {
    for (int k = 0; k <= kStoreCells; ++k)
        for (int t = 0; t < kStoreSide; ++t) {
            ASSERT_EQ(p.At(41 * k, t), kStoreBlack) << "vertical line " << k << " at " << t;
            ASSERT_EQ(p.At(t, 41 * k), kStoreBlack) << "horizontal line " << k << " at " << t;
        }
}

} // namespace

TEST(GridStore, CellOperationsSurviveASaveInFourAndTwentyFourBits) {
    const TGratShape plus = Shape({".*.", "***", ".*."});
    const TGratShape corner = Shape({"**", "*."});
    for (int bpp : {4, 24}) {
        TempHome home;
        fs::create_directories(home.path() / "CROS");
        TGratStore p = MakeBlankStore();
        p.bitsPerPixel = bpp; // as a paint program would have saved it
        WriteShape(p, 0, 0, plus);
        WriteShape(p, 9, 9, corner);
        WriteShape(p, 3, 2, plus);
        ClearCell(p, 3, 2);
        // A colour one step from yellow is not a letter square: colours compare exactly.
        p.Set(41 * 5 + 7, 41 * 5 + 3, Rgb{254, 255, 0});
        ASSERT_TRUE(SaveStore(home.path(), 2, p));
        EXPECT_EQ(FileBitsPerPixel(*ReadFileBytes(StorePath(home.path(), 2))), bpp);
        EXPECT_FALSE(fs::exists(home.path() / "CROS" / "promt"));

        auto back = LoadStore(home.path(), 2);
        ASSERT_TRUE(back) << bpp;
        EXPECT_EQ(back->pixels, p.pixels) << bpp;
        ExpectLinesIntact(*back);
        ExpectSameShape(ReadShape(*back, 0, 0), plus, "cell 1:1");
        ExpectSameShape(ReadShape(*back, 9, 9), corner, "cell 10:10");
        EXPECT_EQ(ReadShape(*back, 5, 5).width, 0);
        for (int k = 0; k < kStoreCellCount; ++k) {
            const int c = k % 10, r = k / 10;
            const bool holdsShape = k == 0 || k == 99;
            EXPECT_EQ(IsCellEmpty(*back, c, r), !holdsShape) << "cell " << c << "," << r;
        }
        // Saving it again keeps the format.
        ASSERT_TRUE(SaveStore(home.path(), 2, *back));
        EXPECT_EQ(FileBitsPerPixel(*ReadFileBytes(StorePath(home.path(), 2))), bpp);
    }
}

TEST(GridStore, EmptinessLooksOnlyAtTheFirstRowWhileShapesReadTheWholeCell) {
    TGratStore p = MakeBlankStore();
    // Yellow only at square (40, 40): the first row is uniform, yet the shape spans the cell.
    p.Set(41 * 2 + 40, 41 * 1 + 40, kStoreYellow);
    EXPECT_TRUE(IsCellEmpty(p, 2, 1));
    TGratShape s = ReadShape(p, 2, 1);
    EXPECT_EQ(s.width, 40);
    EXPECT_EQ(s.height, 40);
    EXPECT_TRUE(s.letter[40][40]);
    // A single odd pixel in the first row makes a cell occupied, whatever its colour.
    p.Set(41 * 4 + 40, 41 * 0 + 1, Rgb{1, 2, 3});
    EXPECT_FALSE(IsCellEmpty(p, 4, 0));
}

TEST(GridStore, StoreFromTextShapesPlacesThemRowByRow) {
    std::vector<std::vector<std::string>> shapes;
    for (int k = 0; k < 12; ++k)
        shapes.push_back({std::string(static_cast<size_t>(k % 5 + 2), '*'), "*"});
    auto p = MakeStoreFromShapes(shapes);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->bitsPerPixel, 4);
    ExpectLinesIntact(*p);
    for (int k = 0; k < 12; ++k)
        ExpectSameShape(ReadShape(*p, k % 10, k / 10), Shape(shapes[k]), std::to_string(k));
    EXPECT_TRUE(IsCellEmpty(*p, 2, 1));

    const std::vector<std::vector<std::string>> bad[] = {
        std::vector<std::vector<std::string>>(101, {"**"}),
        {{"*x"}},
        {{std::string(41, '*')}},
        {std::vector<std::string>(41, "*")},
    };
    for (const auto& b : bad)
        EXPECT_FALSE(MakeStoreFromShapes(b));
}

TEST(GridStore, BlankStoreTakesStorageOnesFormatAndNeedsIt) {
    TempHome home;
    EXPECT_FALSE(CreateBlankStore(home.path(), 2)) << "storage 1 is missing";
    EXPECT_FALSE(fs::exists(StorePath(home.path(), 2)));

    home.Write("CROS/GratCROS1.bmp", "BM broken");
    EXPECT_FALSE(CreateBlankStore(home.path(), 2)) << "storage 1 is unreadable";
    EXPECT_FALSE(fs::exists(StorePath(home.path(), 2)));

    // A cropped 24-bit storage 1 still yields a full-size 24-bit blank storage.
    RgbImage first(100, 80, kStoreYellow, 24);
    ASSERT_TRUE(SaveStore(home.path(), 1, first));
    ASSERT_TRUE(CreateBlankStore(home.path(), 7));
    auto blank = LoadStore(home.path(), 7);
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->bitsPerPixel, 24);
    EXPECT_TRUE(HasStoreSize(*blank));
    EXPECT_EQ(blank->pixels, MakeBlankStore().pixels);
    EXPECT_FALSE(CreateBlankStore(home.path(), 7)) << "an existing storage is never replaced";
}

TEST(GridStore, FirstFreeNumberFillsGaps) {
    TempHome home;
    for (int n : {1, 2, 4})
        home.Write("CROS/GratCROS" + std::to_string(n) + ".bmp", "x");
    home.Write("CROS/GratCROS03.bmp", "x"); // not storage 3: numbers have no leading zeros
    const std::pair<int, int> cases[] = {{1, 3}, {3, 3}, {4, 5}, {0, 3}};
    for (auto [from, want] : cases)
        EXPECT_EQ(FirstFreeStoreNumber(home.path(), from), want) << from;
}

TEST(GridStore, UnreadableStoragesAreErrorsAndOtherSizesReadSafely) {
    TempHome home;
    std::string bytes = EncodeBmp(MakeBlankStore());
    home.Write("CROS/GratCROS1.bmp", bytes.substr(0, bytes.size() / 2));
    home.Write("CROS/GratCROS2.bmp", "GIF89a this is no BMP");
    for (int n : {1, 2, 3}) {
        std::string error;
        EXPECT_FALSE(LoadStore(home.path(), n, &error)) << n;
        EXPECT_FALSE(error.empty()) << n;
    }

    // A small picture: cells beyond it read as blocked squares; writes there are dropped.
    TGratStore small(50, 50, kStoreYellow, 24);
    ASSERT_TRUE(SaveStore(home.path(), 4, small));
    auto p = LoadStore(home.path(), 4);
    ASSERT_TRUE(p);
    EXPECT_FALSE(HasStoreSize(*p));
    EXPECT_EQ(ReadShape(*p, 0, 0).width, 40);
    EXPECT_EQ(ReadShape(*p, 1, 0).width, 8); // squares 1 … 8 of cell 2:1 lie inside the picture
    EXPECT_EQ(ReadShape(*p, 9, 9).width, 0);
    EXPECT_TRUE(IsCellEmpty(*p, 9, 9));
    WriteShape(*p, 9, 9, Shape({"**"}));
    ClearCell(*p, 9, 9);
    EXPECT_EQ(p->width, 50);
}

TEST(GridStore, FailedSaveLeavesTheOldStorageWhole) {
    TempHome home;
    fs::create_directories(home.path() / "CROS");
    TGratStore old = MakeBlankStore();
    WriteShape(old, 0, 0, Shape({"***"}));
    ASSERT_TRUE(SaveStore(home.path(), 1, old));
    const std::string before = *ReadFileBytes(StorePath(home.path(), 1));
    TGratStore changed = old;
    WriteShape(changed, 1, 0, Shape({"**"}));

    BlockPromt(home.path() / "CROS" / "promt"); // the disk refuses the new file
    EXPECT_FALSE(SaveStore(home.path(), 1, changed));
    EXPECT_EQ(*ReadFileBytes(StorePath(home.path(), 1)), before);
}

TEST(GridStore, ReadOnlyStorageFolderRefusesSaves) {
    TempHome home;
    fs::create_directories(home.path() / "CROS");
    TGratStore old = MakeBlankStore();
    ASSERT_TRUE(SaveStore(home.path(), 1, old));
    const std::string before = *ReadFileBytes(StorePath(home.path(), 1));
    TGratStore changed = old;
    WriteShape(changed, 1, 0, Shape({"**"}));

    if (!MakeReadOnlyDir(home.path() / "CROS")) GTEST_SKIP() << "permissions are not enforced for this user";
    EXPECT_FALSE(SaveStore(home.path(), 1, changed));
    EXPECT_FALSE(SaveStore(home.path(), 2, changed));
    EXPECT_EQ(*ReadFileBytes(StorePath(home.path(), 1)), before);
    EXPECT_FALSE(fs::exists(StorePath(home.path(), 2)));
}
