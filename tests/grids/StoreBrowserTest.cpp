#include "grids/StoreBrowser.h"
#include "StoreTestUtil.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace vez;
using namespace vez::test;

namespace {

TGratShape Shape(const std::vector<std::string>& rows) {
    auto s = ShapeFromRows(rows);
    EXPECT_TRUE(s);
    return s.value_or(TGratShape{});
}

const TGratShape kPlus = Shape({".*.", "***", ".*."});
const TGratShape kRing = Shape({"****", "*..*", "*..*", "****"});
const TGratShape kBar = Shape({"***"});

using Cells = std::map<std::pair<int, int>, TGratShape>; // (column, row) -> shape

void PutStore(const fs::path& home, int n, const Cells& cells) {
    TGratStore p = MakeBlankStore();
    for (const auto& [cr, shape] : cells)
        WriteShape(p, cr.first, cr.second, shape);
    ASSERT_TRUE(SaveStore(home, n, p));
}

TGratShape OnDisk(const fs::path& home, int n, int c, int r) {
    auto p = LoadStore(home, n);
    EXPECT_TRUE(p) << "storage " << n;
    return p ? ReadShape(*p, c, r) : TGratShape{};
}

bool SameShape(const TGratShape& a, const TGratShape& b) {
    return a.width == b.width && a.height == b.height && a.letter == b.letter;
}

std::string U(const std::string& cp1251) {
    return Cp1251ToUtf8(cp1251);
}

// A program folder with Vezd.ini and CROS, and a browser on it.
struct Fixture {
    TempHome home;
    Settings settings;
    FakeDialogs dialogs;
    FakeBusy busy;
    std::optional<StoreBrowser> browser;

    Fixture() {
        fs::create_directories(home.path() / "CROS");
        EXPECT_TRUE(WriteDefaultIni(home.path() / kIniFileName));
    }
    StoreBrowser& Make(int currGrat = 1) {
        settings.CurrGrat = currGrat;
        browser.emplace(home.path(), settings, dialogs, busy);
        return *browser;
    }
    int StoredCurrGrat() const { return LoadSettings(home.path() / kIniFileName).Values.CurrGrat; }
};

const char* kNotSaved = "Файл хранилища решеток не сохранен !";

} // namespace

TEST(StoreBrowser, HandsBackTheSelectedCellAsEachPurposeNeedsIt) {
    Fixture f;
    PutStore(f.home.path(), 1, {});
    PutStore(f.home.path(), 2, {{{2, 6}, kRing}, {{0, 0}, kBar}});
    StoreBrowser& b = f.Make(2);
    const TGratShape working = kPlus;
    for (StorePurpose p :
         {StorePurpose::Compose, StorePurpose::Correction, StorePurpose::Picture, StorePurpose::Print}) {
        SCOPED_TRACE(static_cast<int>(p));
        b.Open(p, &working);
        EXPECT_EQ(U(b.CellStatus()), "Ячейка 6 : 6"); // every opening starts on the middle cell
        EXPECT_EQ(U(b.PanelCaption()), "  Хранилище № 2");
        EXPECT_FALSE(b.SecondThumb()); // only the save purpose shows a shape to save
        b.SelectAt(41 * 2 + 20, 41 * 6 + 40);
        b.Measure();
        EXPECT_EQ(U(b.SizeStatus()), "Размер решетки 4 х 4");
        auto res = b.Close(true);
        ASSERT_TRUE(res);
        EXPECT_EQ(res->source, "3 7*2");
        EXPECT_EQ(res->width, 4);
        EXPECT_EQ(res->height, 4);
        if (p == StorePurpose::Compose) {
            const TGrat want = GratFromShape(kRing);
            EXPECT_EQ(res->grat.cells, want.cells);
            EXPECT_EQ(res->grat.width, 4);
        }
        EXPECT_EQ(res->shape.has_value(), p == StorePurpose::Correction);
        if (res->shape) {
            EXPECT_TRUE(SameShape(*res->shape, kRing));
        }
        if (p == StorePurpose::Picture || p == StorePurpose::Print) {
            // The hole of the ring is enclosed by letter squares, so it stays a blocked square.
            EXPECT_EQ(res->map[1][1], kMapLetter);
            EXPECT_EQ(res->map[2][2], kMapBlocked);
            EXPECT_EQ(res->map[3][3], kMapBlocked);
        }
    }

    // A cancel hands back nothing; a correction of a one-row shape leaves the editor's shape alone.
    b.Open(StorePurpose::Compose);
    EXPECT_FALSE(b.Close(false));
    b.Open(StorePurpose::Correction);
    b.Select(0, 0);
    auto bar = b.Close(true);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->width, 3);
    EXPECT_FALSE(bar->shape);
    // An empty cell hands back a 0 x 0 grid.
    b.Open(StorePurpose::Compose);
    auto none = b.Close(true);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->grat.width, 0);
    EXPECT_EQ(none->grat.height, 0);
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(StoreBrowser, EmptyGridMapMarksOnlyEnclosedBlockedSquares) {
    // Row 2 holds a blocked square closed on four sides (3, 2) and a notch open to the edge (5, 1).
    // clang-format off
    const TGratShape s = Shape({"****.**",
                                "**.****",
                                "*******",
                                ".******"});
    const EmptyGridMap m = MakeEmptyGridMap(s);
    EXPECT_EQ(m[3][2], kMapBlocked);
    EXPECT_EQ(m[5][1], kMapOutside);
    EXPECT_EQ(m[1][4], kMapOutside);
    EXPECT_EQ(m[2][2], kMapLetter);

    // Outside spreads inwards through a channel of blocked squares, however long.
    const TGratShape channel = Shape({"**.**",
                                      "**.**",
                                      "**.**",
                                      "*****"});
    // clang-format on
    const EmptyGridMap c = MakeEmptyGridMap(channel);
    for (int j = 1; j <= 3; ++j)
        EXPECT_EQ(c[3][j], kMapOutside) << j;
}

TEST(StoreBrowser, OpeningFallsBackToStorageOneAndConvertsAnOldStorage) {
    Fixture f;
    PutStore(f.home.path(), 1, {{{5, 5}, kPlus}});
    // A file in the place of the old storage that is not one is announced, refused and removed.
    f.home.Write("CROS/GratCROS.bmp", EncodeBmp(RgbImage(10, 10, kStoreTeal)));
    f.dialogs.ExpectMsg("Ваш файл хранилища решеток 15x15\rбудет преобразован в нужный формат 10x10",
                        " Внимание !", kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    f.dialogs.ExpectMsg("Не правильный формат\rфайла хранилища решеток\rCROS\\GratCROS.bmp",
                        " Отмена преобразования", kBtnCancel, kBtnCancel, kIconWarn, kBtnCancel);
    StoreBrowser& b = f.Make(9);
    b.Open(StorePurpose::Compose);
    EXPECT_TRUE(f.dialogs.AllConsumed());
    EXPECT_FALSE(fs::exists(OldStorePath(f.home.path())));
    EXPECT_EQ(b.CurrentStorage(), 1);
    EXPECT_EQ(b.ButtonNumber(0), 1);
    EXPECT_EQ(U(b.SizeStatus()), "Размер решетки 3 х 3");
    ASSERT_TRUE(b.CurrentThumb());
    EXPECT_TRUE(SameShape(*b.CurrentThumb(), kPlus));

    // Without storage 1 the board stays empty and OK hands nothing back.
    fs::remove(StorePath(f.home.path(), 1));
    b.Open(StorePurpose::Compose);
    EXPECT_FALSE(b.HasBoard());
    EXPECT_EQ(b.Ok(), BrowserAction::CloseOk);
    EXPECT_FALSE(b.Close(true));
}

TEST(StoreBrowser, CutSwitchAndPasteMoveAShapeBetweenStoragesOnDisk) {
    Fixture f;
    PutStore(f.home.path(), 1, {{{5, 5}, kPlus}});
    PutStore(f.home.path(), 2, {});
    StoreBrowser& b = f.Make(1);
    b.Open(StorePurpose::Compose);
    EXPECT_TRUE(b.Menu().cut);
    EXPECT_FALSE(b.Menu().paste);

    b.Cut();
    EXPECT_EQ(OnDisk(f.home.path(), 1, 5, 5).width, 0);
    EXPECT_EQ(U(b.SizeStatus()), "Размер решетки 0 x 0");
    EXPECT_FALSE(b.CurrentThumb());
    ASSERT_TRUE(b.SecondThumb());
    EXPECT_TRUE(SameShape(*b.SecondThumb(), kPlus));
    EXPECT_FALSE(b.Menu().cut);
    EXPECT_TRUE(b.Menu().paste);

    // The buffer lives on when the window is closed and opened again.
    EXPECT_TRUE(b.Close(false) == std::nullopt);
    b.Open(StorePurpose::Compose);
    EXPECT_TRUE(b.CutBufferFull());

    b.NumberClick(1); // storage 2
    EXPECT_EQ(b.CurrentStorage(), 2);
    EXPECT_EQ(f.settings.CurrGrat, 2);
    EXPECT_EQ(f.StoredCurrGrat(), 2);
    EXPECT_EQ(U(b.PanelCaption()), "  Хранилище № 2");
    EXPECT_EQ(b.SelectedColumn(), 5); // the selection stays where it was

    b.Select(0, 9);
    b.Paste();
    EXPECT_TRUE(SameShape(OnDisk(f.home.path(), 2, 0, 9), kPlus));
    EXPECT_EQ(U(b.SizeStatus()), "Размер решетки 3 х 3");
    EXPECT_FALSE(b.CutBufferFull());
    EXPECT_FALSE(b.SecondThumb());

    // What is on disk is the plain storage: the inverted selection exists only on screen.
    auto file = LoadStore(f.home.path(), 2);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->pixels, b.Picture()->pixels);
    auto shown = b.DisplayPicture();
    ASSERT_TRUE(shown);
    for (int y = 0; y < kStoreSide; ++y)
        for (int x = 0; x < kStoreSide; ++x) {
            const bool inCell = x <= 41 && y >= 41 * 9;
            ASSERT_EQ(shown->At(x, y) == file->At(x, y), !inCell) << x << "," << y;
        }
    EXPECT_TRUE(f.dialogs.shown.empty());
}

TEST(StoreBrowser, CutNeverOverwritesAFullBufferAndPasteNeedsAnEmptyCell) {
    Fixture f;
    TGratStore p = MakeBlankStore();
    WriteShape(p, 1, 1, kPlus);
    WriteShape(p, 2, 2, kBar);
    // Only a lower row of this cell is yellow: its first row is uniform, so it counts as empty.
    p.Set(41 * 4 + 5, 41 * 4 + 9, kStoreYellow);
    ASSERT_TRUE(SaveStore(f.home.path(), 1, p));
    StoreBrowser& b = f.Make();
    b.Open(StorePurpose::Compose);

    b.Select(1, 1);
    b.Key(BrowserKey::CtrlX);
    b.Select(2, 2);
    b.Key(BrowserKey::CtrlC); // refused: the plus in the buffer exists nowhere else
    EXPECT_TRUE(SameShape(OnDisk(f.home.path(), 1, 2, 2), kBar));

    f.dialogs.ExpectMsg("Вставить в эту ячейку невозможно!", "Ячейка 3 : 3 не пуста!", kBtnOK, kBtnOK,
                        kIconWarn, kBtnOK);
    b.Key(BrowserKey::CtrlV);
    EXPECT_TRUE(b.CutBufferFull());

    b.Select(4, 4);
    b.Paste();
    EXPECT_TRUE(SameShape(OnDisk(f.home.path(), 1, 4, 4), kPlus));
    EXPECT_TRUE(f.dialogs.AllConsumed());
}

TEST(StoreBrowser, ClearAsksAndClearsOnlyOnOk) {
    struct Case {
        int answer;
        bool cleared;
    };
    for (Case c : {Case{kBtnOK, true}, Case{kBtnCancel, false}, Case{0, false}}) {
        Fixture f;
        PutStore(f.home.path(), 1, {{{3, 7}, kPlus}});
        StoreBrowser& b = f.Make();
        b.Open(StorePurpose::Picture);
        b.Select(3, 7);
        f.dialogs.ExpectMsg("Вы действительно хотите\rочистить ВЫДЕЛЕННУЮ ячейку?", "Ячейка 4 : 8", 14,
                            kBtnCancel, kIconQuestion, c.answer);
        b.Key(BrowserKey::Delete);
        EXPECT_EQ(OnDisk(f.home.path(), 1, 3, 7).width, c.cleared ? 0 : 3) << c.answer;
        EXPECT_EQ(b.CurrentThumb().has_value(), !c.cleared);
        // An empty cell asks nothing.
        b.Select(0, 0);
        b.Key(BrowserKey::Dot);
        EXPECT_TRUE(f.dialogs.AllConsumed());
    }
}

TEST(StoreBrowser, SavePurposeWritesTheEditorShapeIntoAnEmptyCellOnly) {
    Fixture f;
    PutStore(f.home.path(), 1, {{{5, 5}, kBar}});
    StoreBrowser& b = f.Make();
    b.Open(StorePurpose::Save, &kRing);
    ASSERT_TRUE(b.SecondThumb());
    EXPECT_TRUE(SameShape(*b.SecondThumb(), kRing));
    EXPECT_TRUE(b.Menu().save && b.Menu().separator);
    EXPECT_FALSE(b.Menu().cut || b.Menu().paste);

    f.dialogs.ExpectMsg("Запись в эту ячейку невозможна!", "Ячейка 6 : 6 не пуста!", kBtnOK, kBtnOK,
                        kIconWarn, kBtnOK);
    EXPECT_EQ(b.Key(BrowserKey::Enter), BrowserAction::None);

    b.Select(8, 1);
    EXPECT_EQ(b.Ok(), BrowserAction::CloseOk); // OK writes, as Enter and Space do here
    EXPECT_FALSE(b.Menu().save);
    EXPECT_TRUE(SameShape(OnDisk(f.home.path(), 1, 8, 1), kRing));
    auto res = b.Close(true);
    ASSERT_TRUE(res);
    EXPECT_EQ(res->source, "9 2*1");
    EXPECT_TRUE(f.dialogs.AllConsumed());

    // A write that fails keeps the window open and the cell empty, so the editor is never told its
    // shape is stored when it is not.
    b.Open(StorePurpose::Save, &kPlus);
    b.Select(0, 0);
    BlockPromt(CrosPromtPath(f.home.path()));
    f.dialogs.ExpectMsg(kNotSaved, " Ошибка !", kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    EXPECT_EQ(b.DoubleClick(), BrowserAction::None);
    EXPECT_TRUE(IsCellEmpty(*b.Picture(), 0, 0));
    EXPECT_EQ(OnDisk(f.home.path(), 1, 0, 0).width, 0);
    EXPECT_FALSE(b.Close(false));
    EXPECT_TRUE(f.dialogs.AllConsumed());
}

TEST(StoreBrowser, DoubleClickClosesOnlyOnAFilledCell) {
    Fixture f;
    PutStore(f.home.path(), 1, {{{5, 5}, kBar}});
    StoreBrowser& b = f.Make();
    b.Open(StorePurpose::Compose);
    EXPECT_EQ(b.DoubleClick(), BrowserAction::CloseOk);
    b.Select(0, 0);
    EXPECT_EQ(b.DoubleClick(), BrowserAction::None);
}

TEST(StoreBrowser, KeysMoveWithWrapAndMapToCommands) {
    Fixture f;
    PutStore(f.home.path(), 1, {});
    StoreBrowser& b = f.Make();
    b.Open(StorePurpose::Compose);
    struct Move {
        int c, r;
        BrowserKey key;
        int wantC, wantR;
    };
    for (Move m : {Move{0, 3, BrowserKey::Left, 9, 3}, Move{9, 3, BrowserKey::Right, 0, 3},
                   Move{4, 0, BrowserKey::Up, 4, 9}, Move{4, 9, BrowserKey::Down, 4, 0},
                   Move{4, 4, BrowserKey::Down, 4, 5}}) {
        b.Select(m.c, m.r);
        EXPECT_EQ(b.Key(m.key), BrowserAction::None);
        EXPECT_EQ(b.SelectedColumn(), m.wantC);
        EXPECT_EQ(b.SelectedRow(), m.wantR);
    }
    EXPECT_EQ(b.Key(BrowserKey::Enter), BrowserAction::CloseOk);
    EXPECT_EQ(b.Key(BrowserKey::Space), BrowserAction::CloseOk);
    EXPECT_EQ(b.Key(BrowserKey::Escape), BrowserAction::CloseCancel);
    EXPECT_EQ(b.Key(BrowserKey::F9), BrowserAction::OpenSettings);
    // Mouse positions beyond the board select the nearest edge cell.
    b.SelectAt(500, -3);
    EXPECT_EQ(b.SelectedColumn(), 9);
    EXPECT_EQ(b.SelectedRow(), 0);
}

TEST(StoreBrowser, NumberButtonsShowBlocksAndStorageState) {
    Fixture f;
    for (int n : {1, 3, 23})
        PutStore(f.home.path(), n, {});
    // Files that only look like storages count for nothing.
    f.home.Write("CROS/GratCROS77.bak.bmp", "x");
    f.home.Write("CROS/GratCROSx.bmp", "x");
    StoreBrowser& b = f.Make(3);
    b.Open(StorePurpose::Compose);
    const std::vector<NumberStyle> want = {NumberStyle::Exists, NumberStyle::Missing, NumberStyle::Current,
                                           NumberStyle::Missing, NumberStyle::Missing};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(b.ButtonStyle(k), want[k]) << k;
    EXPECT_TRUE(b.NextBlockEmphasised());

    b.PrevBlock(); // first block: nothing to go back to
    EXPECT_EQ(b.ButtonNumber(0), 1);
    for (int i = 0; i < 4; ++i)
        b.NextBlock();
    EXPECT_EQ(b.ButtonNumber(0), 21);
    EXPECT_EQ(b.ButtonStyle(2), NumberStyle::Exists);
    EXPECT_FALSE(b.NextBlockEmphasised());
    EXPECT_EQ(b.CurrentStorage(), 3); // paging does not switch
    for (int i = 0; i < 30; ++i)
        b.NextBlock();
    EXPECT_EQ(b.ButtonNumber(4), 100);

    // Opened on storage 23, the buttons show its block.
    StoreBrowser& c = f.Make(23);
    c.Open(StorePurpose::Compose);
    EXPECT_EQ(c.ButtonNumber(0), 21);
    EXPECT_EQ(c.ButtonStyle(2), NumberStyle::Current);
}

TEST(StoreBrowser, CreatingAStorageAsksAndNeedsStorageOne) {
    Fixture f;
    PutStore(f.home.path(), 1, {{{5, 5}, kBar}});
    StoreBrowser& b = f.Make();
    b.Open(StorePurpose::Compose);

    f.dialogs.ExpectMsg("Хранилище решеток №2\r\nне существует !\r\nСоздать его ?", "", 11, kBtnCancel,
                        kIconQuestion, kBtnCancel);
    b.NumberClick(1);
    EXPECT_FALSE(fs::exists(StorePath(f.home.path(), 2)));
    EXPECT_EQ(b.CurrentStorage(), 1);

    f.dialogs.ExpectMsg("Хранилище решеток №2\r\nне существует !\r\nСоздать его ?", "", 11, kBtnCancel,
                        kIconQuestion, kBtnYes);
    b.NumberClick(1);
    EXPECT_TRUE(fs::exists(StorePath(f.home.path(), 2)));
    EXPECT_EQ(b.CurrentStorage(), 2);
    EXPECT_EQ(f.StoredCurrGrat(), 2);
    EXPECT_EQ(U(b.SizeStatus()), "Размер решетки 0 х 0");

    // A write that fails says so and leaves nothing behind.
    BlockPromt(CrosPromtPath(f.home.path()));
    f.dialogs.ExpectMsg("Хранилище решеток №4\r\nне существует !\r\nСоздать его ?", "", 11, kBtnCancel,
                        kIconQuestion, kBtnYes);
    f.dialogs.ExpectMsg("Файл хранилища решеток \r\nCROS\\GratCROS4.bmp\r\nне сохранен !", " Ошибка !",
                        kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    b.NumberClick(3);
    EXPECT_FALSE(fs::exists(StorePath(f.home.path(), 4)));
    EXPECT_EQ(b.ButtonStyle(3), NumberStyle::Missing);
    fs::remove_all(CrosPromtPath(f.home.path()));

    // Without storage 1 nothing is created, and that is no write failure.
    fs::remove(StorePath(f.home.path(), 1));
    fs::remove(StorePath(f.home.path(), 2));
    b.Open(StorePurpose::Compose);
    b.NextBlock();
    b.NextBlock();
    f.dialogs.ExpectMsg("Хранилище решеток №12\r\nне существует !\r\nСоздать его ?", "", 11, kBtnCancel,
                        kIconQuestion, kBtnYes);
    b.NumberClick(1);
    EXPECT_FALSE(fs::exists(StorePath(f.home.path(), 12)));
    EXPECT_EQ(b.ButtonStyle(1), NumberStyle::Missing);
    EXPECT_TRUE(f.dialogs.AllConsumed());
}

TEST(StoreBrowser, DeletingConcernsTheCurrentStorageAndFallsToTheNextLowerOne) {
    Fixture f;
    for (int n : {1, 4, 7, 9})
        PutStore(f.home.path(), n, {});
    StoreBrowser& b = f.Make(7);
    b.Open(StorePurpose::Compose);
    b.NextBlock(); // the block 6 … 10 is shown; storage 9 is there

    f.dialogs.ExpectMsg(
        "Вы действительно хотите удалить \r\nфайл хранилища решеток \r\nCROS\\GratCROS7.bmp ?", " Внимание !",
        11, kBtnCancel, kIconWarn, 0);
    b.NumberRightClick();
    EXPECT_TRUE(fs::exists(StorePath(f.home.path(), 7)));

    f.dialogs.ExpectMsg(
        "Вы действительно хотите удалить \r\nфайл хранилища решеток \r\nCROS\\GratCROS7.bmp ?", " Внимание !",
        11, kBtnCancel, kIconWarn, kBtnYes);
    b.NumberRightClick();
    EXPECT_FALSE(fs::exists(StorePath(f.home.path(), 7)));
    EXPECT_TRUE(fs::exists(StorePath(f.home.path(), 9)));
    EXPECT_EQ(b.CurrentStorage(), 4);
    EXPECT_EQ(b.ButtonNumber(0), 1);
    EXPECT_EQ(f.StoredCurrGrat(), 4);
    EXPECT_EQ(U(b.PanelCaption()), "  Хранилище № 4");

    b.NumberClick(0);
    f.dialogs.ExpectMsg("Первое хранилище решеток\r\nудалять НЕЛЬЗЯ !", " Предупреждение !", kBtnCancel,
                        kBtnCancel, kIconWarn, kBtnCancel);
    b.NumberRightClick();
    EXPECT_TRUE(fs::exists(StorePath(f.home.path(), 1)));
    EXPECT_TRUE(f.dialogs.AllConsumed());
}

TEST(StoreBrowser, ReadOnlyStorageFolderReportsAndLosesNoFile) {
    Fixture f;
    PutStore(f.home.path(), 1, {});
    PutStore(f.home.path(), 2, {{{5, 5}, kPlus}});
    const auto before = ReadFileBytes(StorePath(f.home.path(), 2));
    StoreBrowser& b = f.Make(2);
    b.Open(StorePurpose::Compose);
    if (!MakeReadOnlyDir(f.home.path() / "CROS")) GTEST_SKIP() << "the folder stays writable (root)";

    f.dialogs.ExpectMsg(kNotSaved, " Ошибка !", kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    b.Cut();
    EXPECT_TRUE(b.CutBufferFull()); // the shape is still in the file and in the buffer

    // Leaving the storage tries once more; the message comes again and the file stays whole.
    f.dialogs.ExpectMsg(kNotSaved, " Ошибка !", kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    b.NumberClick(0);
    EXPECT_EQ(b.CurrentStorage(), 1);

    f.dialogs.ExpectMsg(
        "Вы действительно хотите удалить \r\nфайл хранилища решеток \r\nCROS\\GratCROS2.bmp ?", " Внимание !",
        11, kBtnCancel, kIconWarn, kBtnYes);
    f.dialogs.ExpectMsg("Не удалось удалить\r\nФайл хранилища решеток \r\nCROS\\GratCROS2.bmp", " Ошибка !",
                        kBtnOK, kBtnOK, kIconWarn, kBtnOK);
    b.NumberClick(1);
    b.NumberRightClick();
    EXPECT_EQ(ReadFileBytes(StorePath(f.home.path(), 2)), before);

    // Closing without changes writes nothing, so browsing a read-only folder stays silent.
    EXPECT_TRUE(b.Close(true));
    EXPECT_TRUE(f.dialogs.AllConsumed());
}

TEST(StoreBrowser, DuplicateSearchListsGroupsOfEqualShapes) {
    // The row-one bar of three squares has the signature 2 + 6 + 12.
    EXPECT_EQ(ShapeSignature(kBar), 20);
    TGratShape full;
    for (int i = 1; i <= 40; ++i)
        for (int j = 1; j <= 40; ++j)
            full.letter[i][j] = true;
    EXPECT_EQ(ShapeSignature(full), 490212400);

    Fixture f;
    PutStore(f.home.path(), 1, {{{0, 0}, kRing}, {{9, 9}, kBar}, {{4, 4}, kPlus}});
    PutStore(f.home.path(), 2, {{{3, 4}, kRing}});
    PutStore(f.home.path(), 10, {{{2, 0}, kBar}, {{5, 5}, kBar}});
    StoreBrowser& b = f.Make(2);
    b.Open(StorePurpose::Compose);
    std::vector<std::string> captions;
    b.onChanged = [&] { captions.push_back(U(b.PanelCaption())); };

    f.dialogs.ExpectMsg("В хранилищах ЕСТЬ похожие решетки.\r\nУдалите лишние одинаковые решетки\r\nи снова "
                        "запустите поиск.",
                        "Поиск завершен", kBtnOK, kBtnOK, kIconInfo, kBtnOK);
    b.FindDuplicates();
    EXPECT_TRUE(f.dialogs.AllConsumed());
    EXPECT_EQ(f.busy.busyDepth, 0);
    ASSERT_TRUE(b.DuplicatesShown());
    // Sorted as texts: "20 1-…" < "20 10-…"; the ring (signature 761) follows after an empty row.
    const std::vector<DuplicateRow> want = {{"1", "10 : 10"}, {"10", "3 : 1"}, {"10", "6 : 6"},
                                            {"", ""},         {"1", "1 : 1"},  {"2", "4 : 5"}};
    EXPECT_EQ(b.Duplicates(), want);
    EXPECT_EQ(captions,
              (std::vector<std::string>{"  Поиск в 1", "  Поиск в 2", "  Поиск в 10", "  Хранилище № 2"}));
    EXPECT_EQ(U(b.PanelCaption()), "  Хранилище № 2");

    // Closing the list empties it; with the copies gone the search says there are none.
    b.CloseDuplicates();
    EXPECT_TRUE(b.Duplicates().empty());
    b.NumberClick(0);
    b.Select(9, 9);
    b.Cut();
    f.home.Write("CROS/GratCROS10.bmp", EncodeBmp(MakeBlankStore()));
    fs::remove(StorePath(f.home.path(), 2));
    f.dialogs.ExpectMsg("Одинаковых решеток\r\nв хранилищах НЕТ !", "Информация", kBtnOK, kBtnOK, kIconInfo,
                        kBtnOK);
    b.FindDuplicates();
    EXPECT_FALSE(b.DuplicatesShown());

    // A storage that cannot be read stops the search.
    f.home.Write("CROS/GratCROS5.bmp", "not a picture");
    f.dialogs.ExpectMsg("Поиск одинаковых решеток хранилищ прерван !", " Ошибка !", kBtnCancel, kBtnCancel,
                        kIconWarn, kBtnCancel);
    b.FindDuplicates();
    EXPECT_FALSE(b.SearchRunning());
    EXPECT_TRUE(f.dialogs.AllConsumed());
}
