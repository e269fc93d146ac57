#include "app/MainLogic.h"

#include "grids/GridStore.h"
#include "platform/Text.h"

#include <algorithm>

namespace vez {
namespace {

const char* const kProgramCaption = " Программа \"Вездар\"";

// The menu as the window is built, before any mode is applied.
MainMenu DesignMenu() {
    MainMenu m;
    m.CrosCaption = ru(" &Кроссворд ");
    m.RisFirst = m.PrintFirst = ru("&Кроссворда...");
    m.PopupRisFirst = m.PopupPrintFirst = ru("Кроссворда...");
    m.CheckedMode = kModeCros;
    return m;
}

bool IsMode(std::string_view kind) {
    return kind == kModeCros || kind == kModeScan || kind == kModeJapan;
}

// The first line of a document, without its line end; empty when it cannot be read.
std::string FirstLine(const fs::path& p) {
    const auto bytes = ReadFileBytes(p);
    if (!bytes) return {};
    return bytes->substr(0, bytes->find_first_of("\r\n"));
}

} // namespace

std::string PassedTimeText(std::chrono::seconds elapsed) {
    const long long s = std::max<long long>(0, elapsed.count());
    const long long days = s / 86400;
    const long long rest = s % 86400;
    const long long minutes = rest % 3600 / 60;
    std::string text = std::to_string(rest / 3600) + ru("ч ") + (minutes < 10 ? "0" : "") +
                       std::to_string(minutes) + ru("м");
    return days >= 1 ? std::to_string(days) + ru("д ") + text : text;
}

MainLogic::MainLogic(AppState& state, Dialogs& dialogs, Sounds& sounds, Busy& busy, MainHooks hooks)
    : state_(state), dialogs_(dialogs), sounds_(sounds), busy_(busy), hooks_(std::move(hooks)) {
    ApplyStateMode();
}

void MainLogic::ApplyStateMode() {
    menu_ = DesignMenu();
    ApplyMode(state_.CrosKind);
}

void MainLogic::ApplyMode(std::string_view kind) {
    if (!IsMode(kind)) return;
    menu_.CheckedMode = std::string(kind);
    if (kind == kModeCros) {
        menu_.CrosCaption = ru(" &Кроссворд ");
        menu_.ReshVisible = true;
        menu_.RisFirst = menu_.PrintFirst = ru("&Кроссворда...");
        menu_.PopupRisFirst = menu_.PopupPrintFirst = ru("Кроссворда...");
        menu_.LetticeVisible = true;
    } else if (kind == kModeScan) {
        menu_.CrosCaption = ru(" С&канворд ");
        menu_.ReshVisible = false;
        menu_.RisFirst = menu_.PrintFirst = ru("&Сканворда...");
        menu_.PopupRisFirst = ru("Сканворда...");
        menu_.PopupPrintFirst = ru("Сканворда");
        menu_.LetticeVisible = false;
    } else {
        // The japanese mode changes only the caption and the grid editor; the picture items keep
        // whatever the previous mode gave them.
        menu_.CrosCaption = ru("Яп. &кроссворд");
        menu_.ReshVisible = true;
    }
}

std::string MainLogic::KindWord(const char* cros, const char* scan) const {
    return ru(state_.IsCros() ? cros : scan);
}

bool MainLogic::Available(MainCommand c) const {
    const bool japan = state_.CrosKind == kModeJapan;
    switch (c) {
    case MainCommand::Make:
        if (japan) return true;
        if (state_.IsCros()) return hooks_.PickStorageCell && hooks_.OpenCompose;
        return bool(hooks_.OpenScanBuilder);
    case MainCommand::ReMake:
        return hooks_.PickDocument && hooks_.OpenRework;
    case MainCommand::View:
        return bool(hooks_.OpenBrowser);
    case MainCommand::Solve:
        return hooks_.PickDocument && hooks_.OpenSolve;
    case MainCommand::Dict:
        return hooks_.OpenDictionary && (state_.Dict.DictReady || hooks_.RunDictCheck);
    case MainCommand::Resh:
        return bool(hooks_.OpenGridEditor);
    case MainCommand::Param:
        if (japan) return true;
        return state_.IsCros() ? bool(hooks_.OpenSettings) : bool(hooks_.OpenScanSettings);
    case MainCommand::Help:
        return bool(hooks_.OpenHelp);
    case MainCommand::Exit:
        return true;
    }
    return false;
}

bool MainLogic::ModeItemsEnabled() const {
    return !state_.ComposeOpen && !state_.ScanBuilderOpen;
}

std::string MainLogic::PassedTime(std::chrono::system_clock::time_point now) const {
    return PassedTimeText(std::chrono::duration_cast<std::chrono::seconds>(now - state_.StartTime));
}

bool MainLogic::SwitchMode(std::string_view kind) {
    if (!IsMode(kind) || !ModeItemsEnabled()) return false;
    ApplyMode(kind);
    state_.CrosKind = std::string(kind);
    state_.Sets.CrosScan = std::string(kind);
    WriteCrosScan(state_.IniPath(), kind);
    return true;
}

void MainLogic::Compose() {
    if (!Available(MainCommand::Make) || state_.CrosKind == kModeJapan) return;
    if (!state_.IsCros()) {
        state_.WindowCode = wc::Compose;
        hooks_.OpenScanBuilder();
        return;
    }
    const std::string caption = ru(" Отмена составления кроссворда");
    if (state_.ComposeOpen) {
        dialogs_.Show(ru("Составление предыдущего\rкроссворда еще продолжается. "), caption, kBtnOK, kBtnOK,
                      kIconInfo);
        return;
    }
    // Storage 1, or the old single storage that the storage window converts when it opens.
    std::error_code ec;
    if (!fs::exists(StorePath(state_.ProgramFolder, 1), ec) && !fs::exists(OldStorePath(state_.ProgramFolder), ec)) {
        dialogs_.Show(ru("Не найден файл решеток кроссворда\r\"CROS\\GratCROS1.bmp\""), caption, kBtnOK,
                      kBtnOK, kIconWarn);
        return;
    }
    state_.WindowCode = wc::ComposePick;
    const auto pick = hooks_.PickStorageCell(ru("Выбрать ячейку для составления кроссворда"));
    // Back in the main window whatever was picked, so that shared windows do not take a cancelled
    // pick for one in progress.
    state_.WindowCode = wc::Main;
    if (!pick || pick->Grat.width < 2 || pick->Grat.height < 2) return;
    busy_.SetProgressMax(100);
    hooks_.OpenCompose(*pick);
    busy_.SetProgressMax(0);
}

void MainLogic::Rework() {
    if (!Available(MainCommand::ReMake)) return;
    state_.WindowCode = wc::ReworkPick;
    const auto pick =
        hooks_.PickDocument(KindWord("Выбрать кроссворд для доработки", "Выбрать сканворд для доработки"));
    if (!pick) {
        state_.WindowCode = wc::Main;
        return;
    }
    state_.WindowCode = wc::Rework;
    hooks_.OpenRework(*pick,
                      KindWord("Доработка кроссворда ", "Доработка сканворда ") + UpperCase(pick->FileName));
}

void MainLogic::View() {
    if (!Available(MainCommand::View)) return;
    state_.WindowCode = wc::Browse;
    hooks_.OpenBrowser(KindWord("Просмотр кроссвордов", "Просмотр сканвордов"));
}

void MainLogic::Solve() {
    if (!Available(MainCommand::Solve)) return;
    state_.WindowCode = wc::SolvePick;
    const auto pick = hooks_.PickDocument(
        KindWord("Выбрать кроссворд для разгадывания", "Выбрать сканворд для разгадывания"));
    state_.WindowCode = wc::Main;
    if (!pick) return;
    const std::string line = FirstLine(pick->Path);
    const std::string caption = ru(" Выход из режима");
    if (line.rfind("AS", 0) != 0) {
        dialogs_.Show(ru("Это не ") + KindWord("кроссворд !", "сканворд !"), caption, kBtnOK, kBtnOK,
                      kIconInfo);
        return;
    }
    if (line.rfind("AS.", 0) == 0) {
        dialogs_.Show(KindWord("Кроссворд", "Сканворд") + ru(" не завершен !"), caption, kBtnOK, kBtnOK,
                      kIconInfo);
        return;
    }
    state_.WindowCode = wc::Solve;
    hooks_.OpenSolve(*pick,
                     ru("Разгадываем ") + KindWord("кроссворд ", "сканворд ") + UpperCase(pick->FileName));
}

void MainLogic::Dict() {
    if (!Available(MainCommand::Dict)) return;
    if (!state_.Dict.DictReady) {
        if (!hooks_.RunDictCheck()) return;
        state_.Dict.DictReady = true;
    }
    state_.WindowCode = wc::Dict;
    hooks_.OpenDictionary();
}

void MainLogic::GridEditor() {
    if (!Available(MainCommand::Resh)) return;
    state_.WindowCode = wc::GridEditor;
    hooks_.OpenGridEditor();
}

void MainLogic::Parameters() {
    if (!Available(MainCommand::Param) || state_.CrosKind == kModeJapan) return;
    if (state_.IsCros())
        hooks_.OpenSettings();
    else
        hooks_.OpenScanSettings();
}

void MainLogic::Help() {
    if (Available(MainCommand::Help)) hooks_.OpenHelp();
}

void MainLogic::CtrlTab() {
    if (state_.ComposeOpen) {
        if (hooks_.FocusCompose) hooks_.FocusCompose();
    } else if (state_.ScanBuilderOpen) {
        if (hooks_.FocusScanBuilder) hooks_.FocusScanBuilder();
    }
}

bool MainLogic::ToggleToolBar() {
    state_.Sets.ShowPanelMenu = !state_.Sets.ShowPanelMenu;
    WriteShowPanelMenu(state_.IniPath(), state_.Sets.ShowPanelMenu);
    return state_.Sets.ShowPanelMenu;
}

bool MainLogic::QueryExit() {
    const std::string caption = ru(kProgramCaption);
    if (state_.ComposeOpen) {
        dialogs_.Show(ru("Для выхода из программы\r\nнеобходимо закрыть окно\r\nсоставления ") +
                          KindWord("кроссворда.", "сканворда."),
                      caption, kBtnOK, kBtnOK, kIconInfo);
        return false;
    }
    if (state_.ScanBuilderOpen && hooks_.CloseScanBuilder) hooks_.CloseScanBuilder();
    if (dialogs_.Show(ru("Завершить программу?"), caption, 14, kBtnCancel, kIconQuestion) != kBtnOK)
        return false;
    if (state_.Sets.Sound) sounds_.PlaySoundFile("Exit.wav", PlayMode::ToEnd);
    return true;
}

void MainLogic::OnShownAgain() {
    if (state_.RisStatus != kRisError) return;
    state_.RisStatus.clear();
    if (state_.WindowCode >= wc::FirstPicture && state_.WindowCode <= wc::LastPicture)
        dialogs_.Show(ru("Ошибка вывода в рисунок !"), ru(kProgramCaption), kBtnOK, kBtnOK, kIconWarn);
}

} // namespace vez
