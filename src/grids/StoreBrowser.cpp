#include "grids/StoreBrowser.h"

#include "grids/OldStoreConversion.h"
#include "platform/Text.h"

#include <algorithm>
#include <system_error>

namespace vez {

namespace {

// Buttons codes of the message box.
constexpr int kYesCancel = 11;
constexpr int kOkCancel = 14;

std::string Num(long long v) {
    return std::to_string(v);
}

const std::string& ZeroSizeText() {
    // After a cut or a clear the status shows this fixed text (with a Latin x).
    static const std::string s = ru("Размер решетки 0 x 0");
    return s;
}

// The number of a storage file name "GratCROS<N>.bmp" as StorePath writes it; nullopt for any
// other name (a copy such as GratCROS7.bak.bmp or GratCROS07.bmp is not storage 7).
std::optional<int> StorageNumberOf(const std::string& name) {
    static const std::string head = "GratCROS", tail = ".bmp";
    if (name.size() <= head.size() + tail.size() || name.compare(0, head.size(), head) != 0 ||
        name.compare(name.size() - tail.size(), tail.size(), tail) != 0)
        return std::nullopt;
    const std::string digits = name.substr(head.size(), name.size() - head.size() - tail.size());
    if (digits.size() > 9 || digits[0] == '0') return std::nullopt;
    for (char ch : digits)
        if (ch < '0' || ch > '9') return std::nullopt;
    return std::stoi(digits);
}

// Numbers of the storage files in CROS; nullopt when the folder cannot be listed.
std::optional<std::vector<int>> ListStorageNumbers(const fs::path& home) {
    std::error_code ec;
    std::vector<int> out;
    const fs::path dir = home / "CROS";
    if (!fs::exists(dir, ec)) return ec ? std::nullopt : std::optional(out);
    fs::directory_iterator it(dir, ec), end;
    if (ec) return std::nullopt;
    for (; it != end; it.increment(ec)) {
        if (ec) return std::nullopt;
        if (auto n = StorageNumberOf(it->path().filename().string())) out.push_back(*n);
    }
    if (ec) return std::nullopt;
    return out;
}

// Text of an entry up to the first blank: the signature.
std::string_view SignatureOf(std::string_view entry) {
    return entry.substr(0, entry.find(' '));
}

} // namespace

std::optional<StorePurpose> StorePurposeFromCode(int code) {
    switch (code) {
    case 12:
        return StorePurpose::Compose;
    case 72:
        return StorePurpose::Save;
    case 73:
        return StorePurpose::Correction;
    case 88:
        return StorePurpose::Picture;
    case 98:
        return StorePurpose::Print;
    default:
        return std::nullopt;
    }
}

std::string StorePurposeCaption(StorePurpose p) {
    switch (p) {
    case StorePurpose::Compose:
        return ru("Выбрать ячейку для составления кроссворда");
    case StorePurpose::Save:
        return ru("Выбрать ячейку для записи решетки");
    case StorePurpose::Correction:
        return ru("Выбрать ячейку для коррекции решетки");
    case StorePurpose::Picture:
        return ru("Выбрать решетку для рисунка");
    case StorePurpose::Print:
        return ru("Выбрать решетку для печати");
    }
    return {};
}

EmptyGridMap MakeEmptyGridMap(const TGratShape& shape) {
    EmptyGridMap m{};
    for (int i = 1; i <= kCellSquares; ++i)
        for (int j = 1; j <= kCellSquares; ++j)
            m[i][j] = shape.letter[i][j] ? kMapLetter : kMapBlocked;
    const int w = shape.width, h = shape.height;
    auto edge = [&](int i, int j) {
        if (m[i][j] == kMapBlocked) m[i][j] = kMapOutside;
    };
    for (int i = 1; i <= w; ++i) {
        edge(i, 1);
        if (h >= 1) edge(i, h);
    }
    for (int j = 1; j <= h; ++j) {
        edge(1, j);
        if (w >= 1) edge(w, j);
    }
    // Outside spreads inwards through blocked squares until nothing changes.
    for (bool changed = true; changed;) {
        changed = false;
        for (int j = 2; j <= h - 1; ++j)
            for (int i = 2; i <= w - 1; ++i)
                if (m[i][j] == kMapBlocked && (m[i - 1][j] == kMapOutside || m[i + 1][j] == kMapOutside ||
                                               m[i][j - 1] == kMapOutside || m[i][j + 1] == kMapOutside)) {
                    m[i][j] = kMapOutside;
                    changed = true;
                }
    }
    return m;
}

std::int64_t ShapeSignature(const TGratShape& shape) {
    std::int64_t s = 0;
    for (std::int64_t i = 1; i <= kCellSquares; ++i)
        for (std::int64_t j = 1; j <= kCellSquares; ++j)
            if (shape.letter[i][j]) s += j * j * i * i + i;
    return s;
}

StoreBrowser::StoreBrowser(fs::path home, Settings& settings, Dialogs& dialogs, Busy& busy)
    : home_(std::move(home)), settings_(settings), dialogs_(dialogs), busy_(busy) {
    current_ = std::clamp(settings_.CurrGrat, 1, kMaxStoreNumber);
    SetBlockFor(current_);
    SetPanelCaption();
}

fs::path StoreBrowser::IniPath() const {
    return home_ / kIniFileName;
}

bool StoreBrowser::StorageExists(int n) const {
    std::error_code ec;
    return fs::is_regular_file(StorePath(home_, n), ec);
}

std::string StoreBrowser::StoreFileText(int n) const {
    return "CROS\\GratCROS" + Num(n) + ".bmp";
}

std::string StoreBrowser::CellName() const {
    return ru("Ячейка ") + Num(col_ + 1) + " : " + Num(row_ + 1);
}

std::string StoreBrowser::CellStatus() const {
    return CellName();
}

void StoreBrowser::SetBlockFor(int n) {
    block_ = std::clamp((n - 1) / 5, 0, kMaxStoreNumber / 5 - 1);
}

void StoreBrowser::SetPanelCaption() {
    panelCaption_ = ru("  Хранилище № ") + Num(current_);
}

bool StoreBrowser::LoadCurrent() {
    picture_ = LoadStore(home_, current_);
    dirty_ = false;
    if (!picture_)
        dialogs_.Show(ru("Не удалось прочитать файл хранилища решеток\r\n") + StoreFileText(current_),
                      ru(" Ошибка !"), kBtnOK, kBtnOK, kIconWarn);
    return picture_.has_value();
}

bool StoreBrowser::WriteStore() {
    if (!picture_) return false;
    if (SaveStore(home_, current_, *picture_)) {
        dirty_ = false;
        return true;
    }
    dirty_ = true;
    dialogs_.Show(ru("Файл хранилища решеток не сохранен !"), ru(" Ошибка !"), kBtnOK, kBtnOK, kIconWarn);
    return false;
}

void StoreBrowser::RememberCurrent() {
    settings_.CurrGrat = current_;
    // The choice is a convenience: a settings file that cannot be written only loses it for the
    // next run, so no message interrupts the user here.
    WriteCurrGrat(IniPath(), current_);
}

void StoreBrowser::Open(StorePurpose purpose, const TGratShape* working) {
    purpose_ = purpose;
    thumb1_.reset();
    thumb2_.reset();
    duplicatesShown_ = false;
    duplicates_.clear();
    saveOffered_ = purpose == StorePurpose::Save;
    working_ = (saveOffered_ && working) ? *working : TGratShape{};
    if (saveOffered_) thumb2_ = working_;

    std::error_code ec;
    if (fs::exists(OldStorePath(home_), ec)) ConvertOldStore(home_, dialogs_);

    col_ = row_ = 5;
    measuredW_ = measuredH_ = 0;
    sizeStatus_.clear();
    picture_.reset();
    dirty_ = false;
    if (!StorageExists(current_)) current_ = 1;
    SetBlockFor(current_);
    SetPanelCaption();
    if (!StorageExists(current_)) return;
    if (LoadCurrent()) Measure();
}

std::optional<StorePickResult> StoreBrowser::Close(bool ok) {
    CloseDuplicates();
    if (dirty_) WriteStore();
    if (!ok || !picture_) return std::nullopt;

    StorePickResult res;
    res.purpose = purpose_;
    res.storage = current_;
    res.column = col_;
    res.row = row_;
    const TGratShape shape = ReadShape(*picture_, col_, row_);
    res.width = shape.width;
    res.height = shape.height;
    res.source = Num(col_ + 1) + " " + Num(row_ + 1) + "*" + Num(current_);
    switch (purpose_) {
    case StorePurpose::Compose:
        res.grat = GratFromShape(shape);
        break;
    case StorePurpose::Correction:
        if (shape.width > 1 && shape.height > 1) res.shape = shape;
        break;
    case StorePurpose::Picture:
    case StorePurpose::Print:
        res.map = MakeEmptyGridMap(shape);
        break;
    case StorePurpose::Save:
        break;
    }
    return res;
}

std::optional<TGratStore> StoreBrowser::DisplayPicture() const {
    if (!picture_) return std::nullopt;
    TGratStore shown = *picture_;
    for (int y = kCellPitch * row_; y <= kCellPitch * (row_ + 1); ++y)
        for (int x = kCellPitch * col_; x <= kCellPitch * (col_ + 1); ++x)
            if (shown.Contains(x, y)) {
                const Rgb p = shown.At(x, y);
                shown.Set(x, y,
                          Rgb{std::uint8_t(255 - p.r), std::uint8_t(255 - p.g), std::uint8_t(255 - p.b)});
            }
    return shown;
}

BrowserMenu StoreBrowser::Menu() const {
    BrowserMenu m;
    const bool save = purpose_ == StorePurpose::Save;
    m.cut = !save && !cut_;
    m.paste = !save && cut_.has_value();
    m.clear = true;
    m.separator = m.save = save && saveOffered_;
    return m;
}

NumberStyle StoreBrowser::ButtonStyle(int k) const {
    const int n = ButtonNumber(k);
    if (n == current_) return NumberStyle::Current;
    return StorageExists(n) ? NumberStyle::Exists : NumberStyle::Missing;
}

bool StoreBrowser::NextBlockEmphasised() const {
    const auto numbers = ListStorageNumbers(home_);
    if (!numbers) return false;
    const int last = ButtonNumber(4);
    return std::any_of(numbers->begin(), numbers->end(), [last](int n) { return n > last; });
}

void StoreBrowser::SelectAt(int x, int y) {
    Select(std::clamp(x / kCellPitch, 0, kStoreCells - 1), std::clamp(y / kCellPitch, 0, kStoreCells - 1));
}

void StoreBrowser::Select(int c, int r) {
    col_ = std::clamp(c, 0, kStoreCells - 1);
    row_ = std::clamp(r, 0, kStoreCells - 1);
}

void StoreBrowser::ShowMeasurement(const TGratShape& s) {
    measuredW_ = s.width;
    measuredH_ = s.height;
    thumb1_ = s;
    sizeStatus_ = ru("Размер решетки ") + Num(s.width) + ru(" х ") + Num(s.height);
}

void StoreBrowser::Measure() {
    if (picture_) ShowMeasurement(ReadShape(*picture_, col_, row_));
}

void StoreBrowser::MoveSelection(int dc, int dr) {
    col_ = ((col_ + dc) % kStoreCells + kStoreCells) % kStoreCells;
    row_ = ((row_ + dr) % kStoreCells + kStoreCells) % kStoreCells;
}

BrowserAction StoreBrowser::Ok() {
    if (purpose_ == StorePurpose::Save) return SaveShape();
    return BrowserAction::CloseOk;
}

BrowserAction StoreBrowser::DoubleClick() {
    if (purpose_ == StorePurpose::Save) return SaveShape();
    if (picture_ && !IsCellEmpty(*picture_, col_, row_)) return BrowserAction::CloseOk;
    return BrowserAction::None;
}

void StoreBrowser::Cut() {
    // A full buffer is never overwritten: the shape in it exists nowhere else.
    if (!picture_ || cut_ || IsCellEmpty(*picture_, col_, row_)) return;
    cut_ = ReadShape(*picture_, col_, row_);
    ClearCell(*picture_, col_, row_);
    WriteStore();
    thumb2_ = cut_;
    thumb1_.reset();
    measuredW_ = measuredH_ = 0;
    sizeStatus_ = ZeroSizeText();
}

void StoreBrowser::Paste() {
    if (!picture_ || !cut_) return;
    if (!IsCellEmpty(*picture_, col_, row_)) {
        dialogs_.Show(ru("Вставить в эту ячейку невозможно!"), CellName() + ru(" не пуста!"), kBtnOK, kBtnOK,
                      kIconWarn);
        return;
    }
    WriteShape(*picture_, col_, row_, *cut_);
    WriteStore();
    ShowMeasurement(*cut_);
    cut_.reset();
    // In the save purpose the second thumbnail goes back to the shape being saved.
    if (purpose_ == StorePurpose::Save && saveOffered_)
        thumb2_ = working_;
    else
        thumb2_.reset();
}

void StoreBrowser::Clear() {
    if (!picture_ || IsCellEmpty(*picture_, col_, row_)) return;
    const int answer = dialogs_.Show(ru("Вы действительно хотите\rочистить ВЫДЕЛЕННУЮ ячейку?"), CellName(),
                                     kOkCancel, kBtnCancel, kIconQuestion);
    if (answer != kBtnOK) return;
    ClearCell(*picture_, col_, row_);
    WriteStore();
    thumb1_.reset();
    measuredW_ = measuredH_ = 0;
    sizeStatus_ = ZeroSizeText();
}

BrowserAction StoreBrowser::SaveShape() {
    if (purpose_ != StorePurpose::Save || !saveOffered_ || !picture_) return BrowserAction::None;
    if (!IsCellEmpty(*picture_, col_, row_)) {
        dialogs_.Show(ru("Запись в эту ячейку невозможна!"), CellName() + ru(" не пуста!"), kBtnOK, kBtnOK,
                      kIconWarn);
        return BrowserAction::None;
    }
    const TGratStore before = *picture_;
    for (int j = 1; j <= kCellSquares; ++j)
        for (int i = 1; i <= kCellSquares; ++i)
            if (working_.letter[i][j])
                picture_->Set(kCellPitch * col_ + i, kCellPitch * row_ + j, kStoreYellow);
    // The editor learns that its shape is stored only when it is on disk: a failed write keeps the
    // window open and the cell as it was.
    if (!WriteStore()) {
        picture_ = before;
        dirty_ = false;
        return BrowserAction::None;
    }
    saveOffered_ = false;
    Measure();
    return BrowserAction::CloseOk;
}

void StoreBrowser::SwitchTo(int n) {
    std::string error;
    auto next = LoadStore(home_, n, &error);
    if (!next) {
        dialogs_.Show(ru("Не удалось прочитать файл хранилища решеток\r\n") + StoreFileText(n),
                      ru(" Ошибка !"), kBtnOK, kBtnOK, kIconWarn);
        return;
    }
    if (dirty_) WriteStore();
    picture_ = std::move(next);
    dirty_ = false;
    current_ = n;
    Measure();
    SetPanelCaption();
    RememberCurrent();
}

void StoreBrowser::NumberClick(int k) {
    const int n = ButtonNumber(k);
    if (StorageExists(n)) {
        SwitchTo(n);
        return;
    }
    const int answer =
        dialogs_.Show(ru("Хранилище решеток №") + Num(n) + ru("\r\nне существует !\r\nСоздать его ?"), "",
                      kYesCancel, kBtnCancel, kIconQuestion);
    if (answer != kBtnYes) return;
    // Without storage 1 nothing can be created, and that is not a write failure.
    if (!CreateBlankStore(home_, n) && StorageExists(1))
        dialogs_.Show(ru("Файл хранилища решеток \r\n") + StoreFileText(n) + ru("\r\nне сохранен !"),
                      ru(" Ошибка !"), kBtnOK, kBtnOK, kIconWarn);
    if (StorageExists(n)) SwitchTo(n);
}

void StoreBrowser::NumberRightClick() {
    const int n = current_;
    if (n == 1) {
        dialogs_.Show(ru("Первое хранилище решеток\r\nудалять НЕЛЬЗЯ !"), ru(" Предупреждение !"), kBtnCancel,
                      kBtnCancel, kIconWarn);
        return;
    }
    const int answer = dialogs_.Show(ru("Вы действительно хотите удалить \r\nфайл хранилища решеток \r\n") +
                                         StoreFileText(n) + " ?",
                                     ru(" Внимание !"), kYesCancel, kBtnCancel, kIconWarn);
    if (answer != kBtnYes) return;

    auto failed = [&] {
        dialogs_.Show(ru("Не удалось удалить\r\nФайл хранилища решеток \r\n") + StoreFileText(n),
                      ru(" Ошибка !"), kBtnOK, kBtnOK, kIconWarn);
    };
    std::error_code ec;
    if (!fs::remove(StorePath(home_, n), ec) || ec) {
        failed();
        return;
    }
    int m = n - 1;
    while (m > 1 && !StorageExists(m))
        --m;
    current_ = std::max(m, 1);
    picture_ = LoadStore(home_, current_);
    dirty_ = false;
    SetBlockFor(current_);
    SetPanelCaption();
    RememberCurrent();
    if (!picture_) {
        failed();
        thumb1_.reset();
        return;
    }
    Measure();
}

void StoreBrowser::PrevBlock() {
    if (ButtonNumber(0) > 5) --block_;
}

void StoreBrowser::NextBlock() {
    if (ButtonNumber(4) < kMaxStoreNumber) ++block_;
}

std::optional<int> StoreBrowser::LargestStorageNumber() const {
    const auto numbers = ListStorageNumbers(home_);
    if (!numbers) return std::nullopt;
    return numbers->empty() ? 0 : *std::max_element(numbers->begin(), numbers->end());
}

bool StoreBrowser::SearchStorages(std::vector<std::string>& entries) {
    const auto last = LargestStorageNumber();
    if (!last) return false;
    for (int n = 1; n <= *last; ++n) {
        if (!StorageExists(n)) continue;
        const auto pic = LoadStore(home_, n);
        if (!pic) return false;
        for (int r = 0; r < kStoreCells; ++r)
            for (int c = 0; c < kStoreCells; ++c) {
                const std::int64_t s = ShapeSignature(ReadShape(*pic, c, r));
                if (s > 0) entries.push_back(Num(s) + " " + Num(n) + "-" + Num(c + 1) + " : " + Num(r + 1));
            }
        panelCaption_ = ru("  Поиск в ") + Num(n);
        if (onChanged) onChanged();
        busy_.ProcessEvents();
    }
    return true;
}

void StoreBrowser::FindDuplicates() {
    if (searching_) return;
    searching_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{searching_};

    if (!LargestStorageNumber()) {
        dialogs_.Show(ru("Поиск одинаковых\r\nрешеток хранилищ прерван !"), ru(" Ошибка !"), kBtnCancel,
                      kBtnCancel, kIconWarn);
        return;
    }
    std::vector<std::string> entries;
    bool ok;
    {
        BusyScope busy(busy_);
        ok = SearchStorages(entries);
    }
    SetPanelCaption();
    if (onChanged) onChanged();
    if (!ok) {
        dialogs_.Show(ru("Поиск одинаковых решеток хранилищ прерван !"), ru(" Ошибка !"), kBtnCancel,
                      kBtnCancel, kIconWarn);
        return;
    }

    // Sorted as texts, equal signatures stand together (a signature is followed by a blank, which
    // sorts before every digit).
    std::sort(entries.begin(), entries.end());
    std::vector<DuplicateRow> rows;
    const size_t count = entries.size();
    for (size_t k = 0; k < count; ++k) {
        const std::string_view sig = SignatureOf(entries[k]);
        const bool withNext = k + 1 < count && SignatureOf(entries[k + 1]) == sig;
        const bool withPrev = k > 0 && SignatureOf(entries[k - 1]) == sig;
        if (!withNext && !withPrev) continue;
        if (!withPrev && !rows.empty()) rows.push_back({}); // a new group follows an earlier one
        const std::string& e = entries[k];
        const size_t blank = e.find(' '), dash = e.find('-');
        rows.push_back({e.substr(blank + 1, dash - blank - 1), e.substr(dash + 1, 7)});
    }

    if (rows.empty()) {
        CloseDuplicates();
        dialogs_.Show(ru("Одинаковых решеток\r\nв хранилищах НЕТ !"), ru("Информация"), kBtnOK, kBtnOK,
                      kIconInfo);
        return;
    }
    dialogs_.Show(ru("В хранилищах ЕСТЬ похожие решетки.\r\nУдалите лишние одинаковые решетки\r\nи снова "
                     "запустите поиск."),
                  ru("Поиск завершен"), kBtnOK, kBtnOK, kIconInfo);
    duplicates_ = std::move(rows);
    duplicatesShown_ = true;
}

void StoreBrowser::CloseDuplicates() {
    duplicatesShown_ = false;
    duplicates_.clear();
}

BrowserAction StoreBrowser::Key(BrowserKey key) {
    switch (key) {
    case BrowserKey::Enter:
    case BrowserKey::Space:
        return Ok();
    case BrowserKey::Escape:
        return BrowserAction::CloseCancel;
    case BrowserKey::Delete:
    case BrowserKey::Dot:
        Clear();
        break;
    case BrowserKey::CtrlX:
    case BrowserKey::CtrlC:
        Cut();
        break;
    case BrowserKey::CtrlV:
        Paste();
        break;
    case BrowserKey::Left:
        MoveSelection(-1, 0);
        break;
    case BrowserKey::Right:
        MoveSelection(1, 0);
        break;
    case BrowserKey::Up:
        MoveSelection(0, -1);
        break;
    case BrowserKey::Down:
        MoveSelection(0, 1);
        break;
    case BrowserKey::F9:
        return BrowserAction::OpenSettings;
    }
    return BrowserAction::None;
}

} // namespace vez
