#include "grids/FormEditor.h"

#include "grids/AutoGrid.h"
#include "grids/GridStore.h"
#include "platform/Text.h"

#include <algorithm>

namespace vez {
namespace {

std::string CellStatus(int column, int row) {
    return ru("Ячейка ") + std::to_string(column) + " : " + std::to_string(row);
}

void ClearLetters(TGratShape& s) {
    for (auto& column : s.letter)
        column.fill(false);
}

MsgBoxRequest Refusal(std::string text, const char* captionUtf8, int button, int icon) {
    return MsgBoxRequest{std::move(text), ru(captionUtf8), button, button, icon};
}

} // namespace

std::string SymmetryStatusText(int symmetry) {
    switch (symmetry) {
    case kSymmetryFull:
        return ru("Симметрия - полная");
    case kSymmetryHorizontal:
        return ru("Симметрия - горизонтальная");
    case kSymmetryVertical:
        return ru("Симметрия - вертикальная");
    default:
        return ru("Симметрия - отсутствует");
    }
}

Stroke StrokeFor(const PointerState& p) {
    if (p.middle || p.shift || p.ctrl || p.alt || p.left == p.right) return Stroke::None;
    return p.left ? Stroke::Paint : Stroke::Erase;
}

int LongestRowRun(const TGratShape& s, int j) {
    int best = 0, run = 0;
    for (int i = 1; i <= s.width; ++i) {
        run = s.letter[i][j] ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

int LongestColumnRun(const TGratShape& s, int i) {
    int best = 0, run = 0;
    for (int j = 1; j <= s.height; ++j) {
        run = s.letter[i][j] ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

std::optional<MsgBoxRequest> SaveCheckFailure(const TGratShape& s) {
    const char* cancelCaption = " Отмена сохранения";
    for (int j = 1; j <= s.height; ++j)
        if (LongestRowRun(s, j) > kMaxRun)
            return Refusal(ru("Длина ") + std::to_string(j) + ru(" - й строки решетки больше 16 !"),
                           cancelCaption, kBtnOK, kIconWarn);
    for (int i = 1; i <= s.width; ++i)
        if (LongestColumnRun(s, i) > kMaxRun)
            return Refusal(ru("Длина ") + std::to_string(i) + ru(" - го столбца решетки больше 16 !"),
                           cancelCaption, kBtnOK, kIconWarn);

    auto rowHas = [&](int j) {
        for (int i = 1; i <= s.width; ++i)
            if (s.letter[i][j]) return true;
        return false;
    };
    auto columnHas = [&](int i) {
        for (int j = 1; j <= s.height; ++j)
            if (s.letter[i][j]) return true;
        return false;
    };
    bool any = false;
    for (int j = 1; j <= s.height && !any; ++j)
        any = rowHas(j);
    if (!any) return Refusal(ru("Нечего сохранять!"), cancelCaption, kBtnCancel, kIconInfo);

    if (!rowHas(1) || !rowHas(s.height) || !columnHas(1) || !columnHas(s.width))
        return Refusal(ru("Боковые стороны решетки не должны быть пусты !"), cancelCaption, kBtnCancel,
                       kIconWarn);

    for (int i = 1; i <= s.width; ++i)
        for (int j = 1; j <= s.height; ++j)
            if (s.letter[i][j] && !s.letter[i - 1][j] && !s.letter[i + 1][j] && !s.letter[i][j - 1] &&
                !s.letter[i][j + 1])
                return Refusal(ru("В решетке не должно быть одиночных ячеек !"), cancelCaption, kBtnCancel,
                               kIconWarn);
    return std::nullopt;
}

FormEditor::FormEditor(Dialogs& dialogs, Sounds& sounds, Busy& busy, fs::path home, FormEditorHooks hooks)
    : dialogs_(dialogs), sounds_(sounds), busy_(busy), home_(std::move(home)), hooks_(std::move(hooks)) {
    shape_.width = 15;
    shape_.height = 15;
}

void FormEditor::ShowSizeText() {
    sizeText_ = ru("Размер решетки ") + std::to_string(shape_.width) + " x " + std::to_string(shape_.height);
}

void FormEditor::ClearOutside() {
    for (int i = 0; i < kGratSize; ++i)
        for (int j = 0; j < kGratSize; ++j)
            if (i < 1 || j < 1 || i > shape_.width || j > shape_.height) shape_.letter[i][j] = false;
}

void FormEditor::Open(int squareSize) {
    square_ = std::max(4, squareSize);
    lastPainted_.reset();
    resize_.reset();
    ShowSizeText();
    symmetryText_ = SymmetryStatusText(symmetry_);
}

void FormEditor::Close() {
    if (generating_) stopRequested_ = true;
    ClearLetters(shape_);
    lastPainted_.reset();
    resize_.reset();
    cellText_.clear();
    sizeText_.clear();
    symmetryText_.clear();
}

void FormEditor::SetSize(int width, int height) {
    shape_.width = std::clamp(width, kFormMinSide, kFormMaxSide);
    shape_.height = std::clamp(height, kFormMinSide, kFormMaxSide);
    ClearOutside();
    ShowSizeText();
}

void FormEditor::SetShape(const TGratShape& shape) {
    shape_ = shape;
    SetSize(shape.width, shape.height);
}

void FormEditor::PointerPressed() {
    lastPainted_.reset();
}

void FormEditor::ApplyStroke(int i, int j, bool set) {
    for (CellPos p : SymmetricPartners(symmetry_, shape_.width, shape_.height, i, j))
        shape_.letter[p.x][p.y] = set;
}

bool FormEditor::PointerMoved(int x, int y, const PointerState& p) {
    // The generator owns the shape while it runs; a stroke now would be mixed into its trial.
    if (generating_ || resize_) return false;
    const Stroke stroke = StrokeFor(p);
    if (stroke == Stroke::None || x < 0 || y < 0) return false;
    const CellPos square{x / square_, y / square_};
    if (square.x >= shape_.width || square.y >= shape_.height) return false;
    if (lastPainted_ && *lastPainted_ == square) return false;
    lastPainted_ = square;

    const int i = square.x + 1, j = square.y + 1;
    ApplyStroke(i, j, stroke == Stroke::Paint);
    if (stroke == Stroke::Paint &&
        (LongestRowRun(shape_, j) > kMaxRun || LongestColumnRun(shape_, i) > kMaxRun)) {
        ApplyStroke(i, j, false);
        sounds_.Beep(BeepKind::Exclamation);
    }
    cellText_ = CellStatus(i, j);
    return true;
}

ResizeEdge FormEditor::EdgeAt(int x, int y) const {
    const int right = shape_.width * square_, bottom = shape_.height * square_;
    const int reach = std::max(2, square_ / 4);
    const bool nearRight = x >= right - reach && x <= right + reach;
    const bool nearBottom = y >= bottom - reach && y <= bottom + reach;
    if (nearRight && nearBottom) return ResizeEdge::Corner;
    if (nearRight && y >= 0 && y < bottom) return ResizeEdge::Right;
    if (nearBottom && x >= 0 && x < right) return ResizeEdge::Bottom;
    return ResizeEdge::None;
}

bool FormEditor::BeginResize(int x, int y) {
    if (generating_) return false;
    const ResizeEdge edge = EdgeAt(x, y);
    if (edge == ResizeEdge::None) return false;
    resize_ = ResizePreview{edge, shape_.width, shape_.height, {}};
    DragResize(x, y);
    return true;
}

void FormEditor::DragResize(int x, int y) {
    if (!resize_) return;
    auto side = [&](int pos) {
        return std::clamp(pos, kFormMinSide * square_, kFormMaxSide * square_) / square_;
    };
    if (resize_->edge != ResizeEdge::Bottom) resize_->width = side(x);
    if (resize_->edge != ResizeEdge::Right) resize_->height = side(y);
    resize_->label = std::to_string(resize_->width) + " x " + std::to_string(resize_->height);
    sizeText_ = ru("Размер решетки ") + resize_->label;
}

void FormEditor::EndResize() {
    if (!resize_) return;
    const ResizePreview r = *resize_;
    resize_.reset();
    SetSize(r.width, r.height);
    cellText_ = CellStatus(0, 0);
}

void FormEditor::NextSymmetry() {
    symmetry_ = symmetry_ % kSymmetryNone + 1;
    symmetryText_ = SymmetryStatusText(symmetry_);
}

void FormEditor::Clear() {
    if (generating_) return;
    ClearLetters(shape_);
    cellText_ = CellStatus(0, 0);
}

bool FormEditor::StorageExists(const char* captionUtf8) {
    std::error_code ec;
    if (fs::exists(StorePath(home_, 1), ec) || fs::exists(OldStorePath(home_), ec)) return true;
    dialogs_.ShowMsgBox(Refusal(ru("Не найден файл решеток кроссворда\r\"CROS\\GratCROS1.bmp\""), captionUtf8,
                                kBtnOK, kIconWarn));
    return false;
}

void FormEditor::Save() {
    if (generating_) return;
    if (auto failure = SaveCheckFailure(shape_)) {
        dialogs_.ShowMsgBox(*failure);
        return;
    }
    if (!StorageExists(" Отмена сохранения решетки")) return;
    if (hooks_.saveToStorage) hooks_.saveToStorage(shape_);
}

void FormEditor::Correction() {
    if (generating_) return;
    if (!StorageExists(" Отмена коррекции решетки")) return;
    if (hooks_.pickForCorrection) {
        // A cell holding a single line of squares (or nothing) is not a grid to edit.
        std::optional<TGratShape> picked = hooks_.pickForCorrection();
        if (picked && picked->width > 1 && picked->height > 1) SetShape(*picked);
    }
    ShowSizeText();
    cellText_ = CellStatus(0, 0);
}

void FormEditor::Generate(std::uint64_t seed) {
    if (generating_) return;
    if (auto refusal = AutoGridSizeRefusal(shape_.width, shape_.height)) {
        dialogs_.ShowMsgBox(*refusal);
        return;
    }
    generating_ = true;
    stopRequested_ = false;
    BusyScope hourglass(busy_);
    const bool paused = hooks_.pauseComposition && hooks_.pauseComposition();

    const AutoGridTick tick = [this] {
        if (hooks_.generationStep) hooks_.generationStep();
        busy_.ProcessEvents();
        return !stopRequested_;
    };
    const AutoGridResult result = GenerateAutoGrid(shape_, symmetry_, seed, tick);
    if (result.status == AutoGridStatus::Accepted) cellText_ = AutoGridFillText(shape_);

    if (paused && hooks_.resumeComposition) hooks_.resumeComposition();
    generating_ = false;
    stopRequested_ = false;
}

} // namespace vez
