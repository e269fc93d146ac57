#include "grids/OldStoreConversion.h"

#include "grids/GridStore.h"
#include "platform/Text.h"

namespace vez {

namespace {
constexpr int kOldSide = 601;
constexpr int kOldCells = 15;
constexpr int kOldPitch = 40;
constexpr int kOldSquares = 39;

bool OldCellOccupied(const TGratStore& old, int col, int row) {
    const int y = kOldPitch * row + 1;
    for (int x = kOldPitch * col + 1; x <= kOldPitch * col + kOldSquares - 1; ++x)
        if (old.At(x, y) != old.At(x + 1, y)) return true;
    return false;
}

void CopyOldCell(const TGratStore& old, int col, int row, TGratStore& to, int k) {
    const int nx = kCellPitch * (k % kStoreCells), ny = kCellPitch * (k / kStoreCells);
    for (int j = 1; j <= kOldSquares; ++j)
        for (int i = 1; i <= kOldSquares; ++i)
            to.Set(nx + i, ny + j, old.At(kOldPitch * col + i, kOldPitch * row + j));
}
} // namespace

OldStoreConversion ConvertOldStore(const fs::path& home, Dialogs& dialogs) {
    OldStoreConversion result;
    const fs::path oldPath = OldStorePath(home);
    std::error_code ec;
    if (!fs::exists(oldPath, ec)) return result;

    dialogs.Show(ru("Ваш файл хранилища решеток 15x15\rбудет преобразован в нужный формат 10x10"),
                 ru(" Внимание !"), kBtnOK, kBtnOK, kIconWarn);

    auto fail = [&] {
        dialogs.Show(ru("Не удалось преобразовать\rваш файл с решетками\rCROS\\GratCROS.bmp"),
                     ru(" Ошибка !"), kBtnOK, kBtnOK, kIconWarn);
        result.outcome = OldStoreConversion::kFailed;
        return result;
    };

    auto old = ReadBmpFile(oldPath);
    if (!old) return fail();
    if (old->width != kOldSide || old->height != kOldSide || old->At(kOldPitch, kOldPitch) != kStoreBlack) {
        dialogs.Show(ru("Не правильный формат\rфайла хранилища решеток\rCROS\\GratCROS.bmp"),
                     ru(" Отмена преобразования"), kBtnCancel, kBtnCancel, kIconWarn);
        fs::remove(oldPath, ec);
        result.outcome = OldStoreConversion::kWrongFormat;
        return result;
    }

    TGratStore picture = MakeBlankStore();
    int m = FirstFreeStoreNumber(home, 1);
    int k = 0;
    for (int row = 0; row < kOldCells; ++row)
        for (int col = 0; col < kOldCells; ++col) {
            if (!OldCellOccupied(*old, col, row)) continue;
            CopyOldCell(*old, col, row, picture, k);
            if (++k == kStoreCellCount) {
                if (!SaveStore(home, m, picture)) return fail();
                result.written.push_back(m);
                picture = MakeBlankStore();
                k = 0;
                m = FirstFreeStoreNumber(home, m);
            }
        }
    if (!fs::exists(StorePath(home, m), ec)) {
        if (!SaveStore(home, m, picture)) return fail();
        result.written.push_back(m);
    }

    result.outcome = OldStoreConversion::kConverted;
    if (fs::remove(oldPath, ec))
        dialogs.Show(ru("Ваш файл с решетками\rуспешно преобразован\rв новый формат !"),
                     ru("Программа \"Вездар\""), kBtnOK, kBtnOK, kIconWarn);
    return result;
}

} // namespace vez
