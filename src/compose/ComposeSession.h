// The compose window's state and behaviour without the window: it loads a grid into the model and
// the word pools, runs the filling engine, turns the engine's reports into what the window draws,
// asks the close question, lets the user pick or create a library folder and writes the document.
//
// One session lives as long as the window; each composition is Open … Close. The window only shows
// `View()` and forwards user input here. Lifecycle:
//   Open → Composing (engine runs) → Finished | Failed (engine report)
//   Composing/Finished → RequestClose: Stay | Close | FolderChoice; Failed → Close
//   FolderChoice → Choose (document written) or close → Closed (model emptied)
#pragma once

#include "platform/SoundPlayer.h"
#include "compose/ComposeSave.h"
#include "compose/FillEngine.h"
#include "compose/WordPool.h"
#include "model/Grat.h"
#include "model/ScanLayout.h"
#include "platform/Busy.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vez {

using ComposeClock = std::function<std::chrono::steady_clock::time_point()>;

// What a session needs from the program. References must outlive the session.
struct ComposeEnv {
    ComposeEnv(fs::path home_, Dialogs& dialogs_, SoundPlayer& sounds_, Busy& busy_,
               std::vector<std::string>& deletedEntries_)
        : home(std::move(home_)), dialogs(dialogs_), sounds(sounds_), busy(busy_),
          deletedEntries(deletedEntries_) {}
    fs::path home;
    Dialogs& dialogs;
    SoundPlayer& sounds;
    Busy& busy;
    // Entries deleted from the dictionary during the composition (word padded to 16, definition);
    // the writer still finds their definitions, and closing empties the list.
    std::vector<std::string>& deletedEntries;
    ComposeClock now = [] { return std::chrono::steady_clock::now(); };
    std::optional<std::uint64_t> seed; // the engine's seed; the clock when not given
    // A document was written into this library folder (the library browser rereads it).
    std::function<void(const std::string& folder)> onDocumentWritten;
};

enum class ComposePhase { Idle, LoadFailed, Composing, Finished, Failed, FolderChoice };

// Everything the window shows. Texts are Windows-1251.
struct ComposeView {
    std::string caption;
    std::string status;        // program title, "Error", or the chosen folder and then the document path
    TGrat shown;               // cells as drawn: a letter, '*' an empty (or hidden) letter cell, '.' blocked
    int progress = 0;          // 0 … 100
    bool gridVisible = false;  // the picture and the progress bar
    bool redCross = false;     // the engine failed
    bool folderChoice = false; // the folder list and its buttons
    std::vector<std::string> folders;
    int selected = -1;
};

enum class CloseOutcome { Stay, Close, FolderChoice };

// Where a question of the compose window goes: centred over the window, kept 20 pixels inside the
// screen's right edge and never left of 20, and 20 pixels below the title bar.
struct MsgPos {
    int left = 0, top = 0;
    bool operator==(const MsgPos&) const = default;
};
MsgPos ComposeMsgPosition(int windowLeft, int windowWidth, int clientTop, int boxWidth, int screenRight);

// Elapsed time as hours:minutes:seconds ("00:03:07"), hours not wrapped at a day.
std::string LongTimeText(std::chrono::steady_clock::duration d);

// The largest letter font size (24 down to 2) whose "0" is at most cell + 1 pixels high.
int LetterFontSize(int cell, const std::function<int(int size)>& heightOfZero);

class ComposeSession {
  public:
    explicit ComposeSession(ComposeEnv env);
    ~ComposeSession();
    ComposeSession(const ComposeSession&) = delete;
    ComposeSession& operator=(const ComposeSession&) = delete;

    // Builds the model and pools and starts the engine. `layout` is null for a crossword. False on a
    // load failure (the message was shown; the window closes itself and then calls Close).
    bool Open(const TGrat& grat, const TScanLayout* layout);

    // Applies the engine's queued reports to the view, in order; true when anything changed.
    bool Poll();

    // The popup menu.
    void SetRule(TFillAlgorithm rule) { options_.rule = rule; }
    TFillAlgorithm Rule() const { return options_.rule; }
    void ToggleDirection() { options_.backward = !options_.backward; }
    // "----->" forward, "<-----" backward.
    std::string DirectionCaption() const;
    void ToggleHideLetters();
    bool LettersHidden() const { return !options_.showLetters; }

    // Esc, a click on the picture or the window's close button. Close means: call Close() and hide.
    CloseOutcome RequestClose();
    // Remembers the clicked folder.
    void SelectFolder(int index);
    // Writes the document into the selected folder; true when the window is to close (the
    // document was written, or the writer reported its failure).
    bool Choose();
    // Asks for a new folder name and creates it (selected on success).
    void NewFolder();
    // Stops the engine and empties the model.
    void Close();

    ComposePhase Phase() const { return phase_; }
    const ComposeView& View() const { return view_; }
    bool Crossword() const { return crossword_; }
    // Positions every question box of the window; set by the window.
    std::function<void(MsgBoxRequest&)> placeMessage;

    // Another window's heavy work holds a running engine and lets it go on afterwards.
    void PauseEngine() {
        if (engine_ && phase_ == ComposePhase::Composing) engine_->Pause();
    }
    void ResumeEngine() {
        if (engine_ && phase_ == ComposePhase::Composing) engine_->Resume();
    }

    // The model as the engine left it (tests).
    const TGrat& Grat() const { return grat_; }
    const SlotTable& Slots() const { return slots_; }
    int RememberedFolder() const { return rememberedFolder_; }
    // The document path last written ("" when none).
    const fs::path& LastDocument() const { return lastDoc_; }

  private:
    // Every box of the window, including the writer's, goes where placeMessage says.
    class PlacedDialogs : public Dialogs {
      public:
        explicit PlacedDialogs(ComposeSession& s) : session_(s) {}
        int ShowMsgBox(const MsgBoxRequest& req, std::string* input = nullptr) override;

      private:
        ComposeSession& session_;
    };

    int Ask(std::string text, std::string caption, int buttons, int focus, int icon,
            std::string* input = nullptr);
    void Apply(const FillReport& r);
    void StopEngine();
    void FillFolders(const std::string& select = {});
    void RedrawLetters();
    bool AllSlotsFilled() const;
    std::string KindWord(const char* cros, const char* scan) const;

    ComposeEnv env_;
    FillOptions options_;      // kept from one composition to the next
    int rememberedFolder_ = 0; // likewise
    ComposePhase phase_ = ComposePhase::Idle;
    bool crossword_ = true;
    bool running_ = false;
    std::chrono::steady_clock::time_point start_{};
    std::chrono::steady_clock::duration elapsed_{};
    ComposeView view_;
    TGrat grat_;
    TScanLayout layout_;
    SlotTable slots_;
    TWordPool pools_;
    FillReportQueue queue_;
    std::unique_ptr<FillEngine> engine_;
    fs::path lastDoc_;
    PlacedDialogs placed_{*this};
};

} // namespace vez
