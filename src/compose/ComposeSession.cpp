#include "compose/ComposeSession.h"

#include "compose/SmartSearch.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace vez {

namespace {

const std::string& Title() {
    static const std::string t = ru("Программа \"Вездар\"");
    return t;
}
const std::string& ErrorStatus() {
    static const std::string t = "Error";
    return t;
}

} // namespace

MsgPos ComposeMsgPosition(int windowLeft, int windowWidth, int clientTop, int boxWidth, int screenRight) {
    MsgPos p;
    p.left = windowLeft + (windowWidth - boxWidth) / 2;
    if (p.left + boxWidth > screenRight) p.left = screenRight - 20 - boxWidth;
    if (p.left < 0) p.left = 20;
    p.top = clientTop + 20;
    return p;
}

std::string LongTimeText(std::chrono::steady_clock::duration d) {
    const long long s = std::max<long long>(0, std::chrono::duration_cast<std::chrono::seconds>(d).count());
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return buf;
}

int LetterFontSize(int cell, const std::function<int(int size)>& heightOfZero) {
    for (int size = 24; size > 2; --size)
        if (heightOfZero(size) <= cell + 1) return size;
    return 2;
}

int ComposeSession::PlacedDialogs::ShowMsgBox(const MsgBoxRequest& req, std::string* input) {
    MsgBoxRequest placed = req;
    if (session_.placeMessage) session_.placeMessage(placed);
    return session_.env_.dialogs.ShowMsgBox(placed, input);
}

ComposeSession::ComposeSession(ComposeEnv env) : env_(std::move(env)) {}

ComposeSession::~ComposeSession() {
    StopEngine();
}

std::string ComposeSession::KindWord(const char* cros, const char* scan) const {
    return ru(crossword_ ? cros : scan);
}

int ComposeSession::Ask(std::string text, std::string caption, int buttons, int focus, int icon,
                        std::string* input) {
    return placed_.ShowMsgBox({std::move(text), std::move(caption), buttons, focus, icon}, input);
}

bool ComposeSession::Open(const TGrat& grat, const TScanLayout* layout) {
    if (phase_ != ComposePhase::Idle) Close();
    BusyScope busy(env_.busy);
    crossword_ = layout == nullptr;
    view_ = {};
    view_.status = Title();
    view_.caption = ru("Составление ") + KindWord("кроссворда", "сканворда");
    grat_ = grat;
    if (layout)
        layout_ = *layout;
    else
        layout_.Clear();

    auto fail = [&](const std::string& message) {
        view_.status = ErrorStatus();
        phase_ = ComposePhase::LoadFailed;
        Ask(message, Title(), kBtnOK, kBtnOK, kIconError);
        return false;
    };

    bool built =
        grat_.width >= 1 && grat_.width <= kMaxGridSide && grat_.height >= 1 && grat_.height <= kMaxGridSide;
    try {
        if (built) {
            slots_ = FindSlots(grat_);
            built = BuildCrossings(grat_, slots_);
        }
    } catch (const std::exception&) {
        built = false;
    }
    if (!built) return fail(ru("Ошибка при загрузке решетки !"));

    // Only a crossword uses the main window's progress bar; the scanword builder has its own.
    constexpr int kBarMax = 100;
    if (crossword_) env_.busy.SetProgressMax(kBarMax);
    PoolsResult pools = BuildPools(env_.home, slots_, [&](int len) {
        if (crossword_) env_.busy.SetProgress(kBarMax * len / kMaxWordLen);
        env_.busy.ProcessEvents();
    });
    if (crossword_) env_.busy.SetProgressMax(0);
    if (!pools.ok()) return fail(pools.error);
    pools_ = std::move(pools.pools);

    view_.shown = grat_;
    view_.gridVisible = true;
    running_ = true;
    phase_ = ComposePhase::Composing;
    queue_.Drain();
    start_ = env_.now();
    const std::uint64_t seed =
        env_.seed ? *env_.seed
                  : static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    engine_ = std::make_unique<FillEngine>(grat_, slots_, pools_, options_, queue_, seed);
    engine_->Start();
    return true;
}

bool ComposeSession::Poll() {
    const auto reports = queue_.Drain();
    for (const FillReport& r : reports)
        Apply(r);
    return !reports.empty();
}

void ComposeSession::Apply(const FillReport& r) {
    if (phase_ != ComposePhase::Composing) return; // reports of a run the user already ended
    switch (r.kind) {
    case FillReportKind::LetterPlaced:
        // Letters queued before they were hidden are drawn again from the grid when shown.
        if (options_.showLetters) view_.shown.at(r.x, r.y) = r.letter;
        break;
    case FillReportKind::CellEmptied:
        if (options_.showLetters) view_.shown.at(r.x, r.y) = kEmptyCell;
        break;
    case FillReportKind::Progress:
        view_.progress = r.percent;
        break;
    case FillReportKind::Finished:
        running_ = false;
        elapsed_ = env_.now() - start_;
        phase_ = ComposePhase::Finished;
        view_.progress = 100;
        view_.caption = ru(crossword_ ? "Кроссворд составлен" : "Сканворд составлен");
        env_.sounds.Play("Mobil.wav", BeepKind::Exclamation, PlayMode::Repeat);
        break;
    case FillReportKind::Failed:
        running_ = false;
        phase_ = ComposePhase::Failed;
        view_.status = ErrorStatus();
        view_.caption = ru("Ошибка !");
        view_.redCross = true;
        env_.sounds.Play("Error.wav", BeepKind::Error);
        break;
    case FillReportKind::Unfillable:
        // Proven: no fill exists. Shown like a failure, with the words whose candidates ran out.
        running_ = false;
        phase_ = ComposePhase::Failed;
        view_.status = ErrorStatus();
        view_.caption = ru("Решетка не заполняется");
        view_.redCross = true;
        env_.sounds.Play("Error.wav", BeepKind::Error);
        Ask(ru("Решетку нельзя заполнить словами словаря:\rне хватает слов для ") + DeadSlotsText(slots_, r.slots) +
                ".",
            ru("Решетка не заполняется"), kBtnOK, kBtnOK, kIconError);
        break;
    case FillReportKind::Stopped:
        break;
    }
}

std::string ComposeSession::DirectionCaption() const {
    return options_.backward ? "<-----" : "----->";
}

void ComposeSession::RedrawLetters() {
    for (int x = 1; x <= grat_.width; ++x)
        for (int y = 1; y <= grat_.height; ++y)
            view_.shown.at(x, y) = grat_.at(x, y);
}

void ComposeSession::ToggleHideLetters() {
    // The grid is read only while the engine is parked (or has ended).
    const bool pause = phase_ == ComposePhase::Composing && engine_;
    if (pause) {
        engine_->Pause();
        engine_->WaitPaused();
    }
    Poll();
    options_.showLetters = !options_.showLetters;
    if (options_.showLetters) {
        RedrawLetters();
    } else {
        for (int x = 1; x <= view_.shown.width; ++x)
            for (int y = 1; y <= view_.shown.height; ++y)
                if (static_cast<unsigned char>(view_.shown.at(x, y)) > kBlockedCell)
                    view_.shown.at(x, y) = kEmptyCell;
    }
    if (pause) engine_->Resume();
}

void ComposeSession::StopEngine() {
    if (!engine_) return;
    engine_->Stop();
    engine_->Resume();
    engine_.reset(); // joins: the engine ends at its next check point, leaving the grid consistent
}

bool ComposeSession::AllSlotsFilled() const {
    for (int n = 1; n <= SlotCount(slots_); ++n)
        if (slots_[n].word.empty()) return false;
    return true;
}

CloseOutcome ComposeSession::RequestClose() {
    env_.sounds.Stop();
    Poll(); // an end reported meanwhile decides which question is asked
    const std::string kindGen = KindWord("кроссворда", "сканворда");
    switch (phase_) {
    case ComposePhase::Idle:
    case ComposePhase::LoadFailed:
    case ComposePhase::FolderChoice:
        return CloseOutcome::Close;
    case ComposePhase::Failed:
        Ask(ru("Составление ") + kindGen + ru(" прервано."), ru("Ошибка !"), kBtnOK, kBtnOK, kIconError);
        StopEngine();
        return CloseOutcome::Close;
    case ComposePhase::Composing: {
        engine_->Pause();
        const std::string text = ru("Составление ") + kindGen + ru(" не завершено.\r\nВремя составления ") +
                                 LongTimeText(env_.now() - start_) + ru(" сек\r\nСохранить?");
        const int answer = Ask(text, Title(), 12, kBtnCancel, kIconQuestion);
        if (answer == kBtnYes || answer == kBtnNo) {
            StopEngine();
            queue_.Drain();
            if (answer == kBtnNo) return CloseOutcome::Close;
            break;
        }
        engine_->Resume();
        return CloseOutcome::Stay;
    }
    case ComposePhase::Finished: {
        const std::string text = ru(crossword_ ? "Кроссворд" : "Сканворд") +
                                 ru(" составлен.\r\nВремя составления ") + LongTimeText(elapsed_) +
                                 ru(" сек\r\nСохранить?");
        if (Ask(text, Title(), 10, kBtnNo, kIconQuestion) != kBtnYes) return CloseOutcome::Close;
        StopEngine();
        break;
    }
    }
    phase_ = ComposePhase::FolderChoice;
    view_.gridVisible = false;
    view_.folderChoice = true;
    view_.caption = ru("Выбрать имя ") + kindGen;
    FillFolders();
    return CloseOutcome::FolderChoice;
}

void ComposeSession::FillFolders(const std::string& select) {
    view_.folders = LibraryFolders(env_.home, crossword_ ? "Cros" : "Scan");
    const int count = static_cast<int>(view_.folders.size());
    view_.selected = count == 0                                            ? -1
                     : rememberedFolder_ >= 0 && rememberedFolder_ < count ? rememberedFolder_
                                                                           : 0;
    if (!select.empty()) {
        auto it = std::find(view_.folders.begin(), view_.folders.end(), select);
        if (it != view_.folders.end()) view_.selected = static_cast<int>(it - view_.folders.begin());
    }
}

void ComposeSession::SelectFolder(int index) {
    if (index < 0 || index >= static_cast<int>(view_.folders.size())) return;
    view_.selected = index;
    rememberedFolder_ = index;
}

bool ComposeSession::Choose() {
    if (phase_ != ComposePhase::FolderChoice || view_.selected < 0 ||
        view_.selected >= static_cast<int>(view_.folders.size()))
        return false;
    DocToWrite doc;
    doc.kind = crossword_ ? "Cros" : "Scan";
    doc.folder = view_.folders[view_.selected];
    doc.grat = grat_;
    doc.slots = slots_;
    // A run stopped just after its last word is still a complete puzzle.
    doc.finished = !running_ || AllSlotsFilled();
    doc.layout = layout_;
    doc.deletedEntries = env_.deletedEntries;
    view_.status = doc.folder;
    const SaveResult res = SaveComposition(env_.home, placed_, doc);
    if (res.outcome == SaveOutcome::FolderFull) return false;
    if (res.outcome == SaveOutcome::Written) {
        lastDoc_ = res.path;
        view_.status = PathToName(fs::relative(res.path, env_.home));
        if (env_.onDocumentWritten) env_.onDocumentWritten(doc.folder);
    }
    Close();
    return true;
}

void ComposeSession::NewFolder() {
    if (phase_ != ComposePhase::FolderChoice) return;
    std::string name;
    if (Ask(ru("Ввести новое имя папки"), ru("Создание новой папки"), 14, kFocusInput, kIconNone, &name) !=
            kBtnOK ||
        name.empty())
        return;
    if (auto made = CreateLibraryFolder(env_.home, placed_, crossword_ ? "Cros" : "Scan", name))
        FillFolders(*made);
}

void ComposeSession::Close() {
    StopEngine();
    queue_.Drain();
    for (auto& col : grat_.cells)
        col.fill(0);
    grat_.width = grat_.height = 0;
    layout_.Clear();
    slots_.clear();
    pools_ = TWordPool{};
    env_.deletedEntries.clear();
    running_ = false;
    view_ = {};
    phase_ = ComposePhase::Idle;
}

} // namespace vez
