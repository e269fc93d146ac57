#include "StoreTestUtil.h"
#include "grids/GridStore.h"
#include "grids/OldStoreConversion.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace vez;
using namespace vez::test;

namespace {

// An old 601 x 601 storage whose occupied cells are the given old positions (row by row, 0 … 224).
// The n-th occupied cell carries n in its shape: square (1, 1) always, and square (i + 2, 2) for
// every set bit i of n, so the test can tell where each shape went.
RgbImage OldStore(const std::vector<int>& positions) {
    RgbImage p(601, 601, kStoreTeal, 4);
    for (int k = 0; k <= 15; ++k)
        for (int t = 0; t < 601; ++t) {
            p.Set(40 * k, t, kStoreBlack);
            p.Set(t, 40 * k, kStoreBlack);
        }
    for (size_t n = 0; n < positions.size(); ++n) {
        const int x0 = 40 * (positions[n] % 15), y0 = 40 * (positions[n] / 15);
        p.Set(x0 + 1, y0 + 1, kStoreYellow);
        for (int i = 0; i < 8; ++i)
            if (n >> i & 1) p.Set(x0 + i + 2, y0 + 2, kStoreYellow);
        p.Set(x0 + 39, y0 + 39, kStoreYellow); // the far corner of an old cell comes across too
    }
    return p;
}

// The number carried by a converted shape, or -1 for an empty cell.
int Carried(const TGratStore& p, int k) {
    TGratShape s = ReadShape(p, k % 10, k / 10);
    if (s.width == 0) return -1;
    EXPECT_TRUE(s.letter[1][1] && s.letter[39][39]);
    EXPECT_EQ(s.width, 39);
    int n = 0;
    for (int i = 0; i < 8; ++i)
        n |= s.letter[i + 2][2] << i;
    return n;
}

void WriteOld(const TempHome& home, const RgbImage& p) {
    home.Write("CROS/GratCROS.bmp", EncodeBmp(p));
}

void ExpectAnnounce(FakeDialogs& d) {
    d.ExpectMsg("Ваш файл хранилища решеток 15x15\rбудет преобразован в нужный формат 10x10", " Внимание !",
                1, 1, 1, 1);
}
void ExpectFailure(FakeDialogs& d) {
    d.ExpectMsg("Не удалось преобразовать\rваш файл с решетками\rCROS\\GratCROS.bmp", " Ошибка !", 1, 1, 1,
                1);
}

} // namespace

TEST(OldStoreConversion, ShapesKeepTheirOrderAndFillTheLowestFreeNumbers) {
    struct Case {
        const char* name;
        int occupied;
        std::vector<int> existing;
        std::vector<int> written;
    };
    const Case cases[] = {
        {"no shapes: one blank storage", 0, {}, {1}},
        {"one shape beside storage 1", 1, {1}, {2}},
        {"exactly 100 shapes: a full storage and a blank one", 100, {}, {1, 2}},
        {"101 shapes around storages 1 and 3", 101, {1, 3}, {2, 4}},
    };
    for (const Case& c : cases) {
        TempHome home;
        std::vector<int> positions;
        for (int n = 0; n < c.occupied; ++n)
            positions.push_back(n * 2 + (n % 3 == 0)); // scattered cells
        WriteOld(home, OldStore(positions));
        for (int n : c.existing)
            home.Write("CROS/GratCROS" + std::to_string(n) + ".bmp", "mine");
        FakeDialogs d;
        ExpectAnnounce(d);
        d.ExpectMsg("Ваш файл с решетками\rуспешно преобразован\rв новый формат !", "Программа \"Вездар\"", 1,
                    1, 1, 1);

        OldStoreConversion r = ConvertOldStore(home.path(), d);
        EXPECT_EQ(r.outcome, OldStoreConversion::kConverted) << c.name;
        EXPECT_EQ(r.written, c.written) << c.name;
        EXPECT_TRUE(d.AllConsumed()) << c.name;
        EXPECT_FALSE(fs::exists(OldStorePath(home.path()))) << c.name;
        for (int n : c.existing)
            EXPECT_EQ(*ReadFileBytes(StorePath(home.path(), n)), "mine") << c.name;

        int next = 0;
        for (size_t s = 0; s < c.written.size(); ++s) {
            auto p = LoadStore(home.path(), c.written[s]);
            ASSERT_TRUE(p) << c.name;
            EXPECT_EQ(p->bitsPerPixel, 4);
            EXPECT_TRUE(HasStoreSize(*p));
            for (int k = 0; k < 100; ++k) {
                const int want = next < c.occupied ? next++ % 256 : -1;
                ASSERT_EQ(Carried(*p, k), want) << c.name << ", storage " << c.written[s] << ", cell " << k;
            }
        }
    }
}

TEST(OldStoreConversion, AFileThatIsNoOldStorageIsDeletedUnconverted) {
    RgbImage noCrossing = OldStore({0});
    noCrossing.Set(40, 40, kStoreTeal);
    const RgbImage cases[] = {noCrossing, RgbImage(600, 601, kStoreBlack, 4), MakeBlankStore()};
    for (const RgbImage& old : cases) {
        TempHome home;
        WriteOld(home, old);
        FakeDialogs d;
        ExpectAnnounce(d);
        d.ExpectMsg("Не правильный формат\rфайла хранилища решеток\rCROS\\GratCROS.bmp",
                    " Отмена преобразования", 4, 4, 1, 4);
        EXPECT_EQ(ConvertOldStore(home.path(), d).outcome, OldStoreConversion::kWrongFormat);
        EXPECT_TRUE(d.AllConsumed());
        EXPECT_FALSE(fs::exists(OldStorePath(home.path())));
        EXPECT_EQ(FirstFreeStoreNumber(home.path(), 1), 1) << "nothing written";
    }
}

TEST(OldStoreConversion, ReadOrWriteFailureKeepsTheOldFile) {
    {
        TempHome home;
        FakeDialogs d;
        EXPECT_EQ(ConvertOldStore(home.path(), d).outcome, OldStoreConversion::kNoOldStore);
        EXPECT_TRUE(d.shown.empty());
    }
    const std::string good = EncodeBmp(OldStore({0, 5, 17}));
    const std::pair<const char*, std::string> unreadable[] = {
        {"truncated", good.substr(0, good.size() - 100)}, {"not a picture", "old storage"}};
    for (const auto& [name, bytes] : unreadable) {
        TempHome home;
        home.Write("CROS/GratCROS.bmp", bytes);
        FakeDialogs d;
        ExpectAnnounce(d);
        ExpectFailure(d);
        EXPECT_EQ(ConvertOldStore(home.path(), d).outcome, OldStoreConversion::kFailed) << name;
        EXPECT_EQ(*ReadFileBytes(OldStorePath(home.path())), bytes) << name;
        EXPECT_EQ(FirstFreeStoreNumber(home.path(), 1), 1) << name;
    }
    {
        // The disk refuses the new storage: the old file stays for the next attempt.
        TempHome home;
        home.Write("CROS/GratCROS.bmp", good);
        BlockPromt(home.path() / "CROS" / "promt");
        FakeDialogs d;
        ExpectAnnounce(d);
        ExpectFailure(d);
        OldStoreConversion r = ConvertOldStore(home.path(), d);
        EXPECT_EQ(r.outcome, OldStoreConversion::kFailed);
        EXPECT_TRUE(r.written.empty());
        EXPECT_EQ(*ReadFileBytes(OldStorePath(home.path())), good);
        EXPECT_FALSE(fs::exists(StorePath(home.path(), 1)));
    }
}
