// Test doubles of the platform interfaces and a temporary program folder.
#pragma once

#include "platform/Busy.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Sounds.h"

#include <deque>
#include <string>
#include <vector>

namespace vez::test {

// Records every message; answers from a queue of expected messages. A message nobody expected, or
// one that differs from the next expectation, fails the test.
class FakeDialogs : public Dialogs {
public:
    struct Expect {
        MsgBoxRequest req; // position is not compared
        int answer = 0;
        std::string input;
    };
    // Expect the next message (texts in UTF-8 for readability) and answer it.
    void ExpectMsg(const std::string& textUtf8, const std::string& captionUtf8, int buttons, int focus, int icon,
                   int answer, const std::string& inputUtf8 = {});
    // Answer any message with `answer` (for tests that do not check messages).
    void AnswerAll(int answer) { answerAll_ = answer; }
    int ShowMsgBox(const MsgBoxRequest& req, std::string* input = nullptr) override;
    std::vector<MsgBoxRequest> shown;
    bool AllConsumed() const { return expected_.empty(); }

private:
    std::deque<Expect> expected_;
    int answerAll_ = -1;
};

class FakeSounds : public Sounds {
public:
    void PlaySoundFile(const std::string& name, PlayMode mode) override { played.push_back({name, mode}); }
    void StopSounds() override { ++stops; }
    void Beep(BeepKind kind) override { beeps.push_back(kind); }
    bool HasOutputDevice() const override { return device; }
    std::vector<std::pair<std::string, PlayMode>> played;
    std::vector<BeepKind> beeps;
    int stops = 0;
    bool device = true;
};

class FakeClipboard : public Clipboard {
public:
    void SetText(const std::string& t) override { text = t; }
    std::string text;
};

class FakeBusy : public Busy {
public:
    void BeginBusy() override { ++busyDepth; }
    void EndBusy() override { --busyDepth; }
    void SetProgressMax(int m) override { progressMax = m; }
    void SetProgress(int v) override { progress.push_back(v); }
    int busyDepth = 0;
    int progressMax = 0;
    std::vector<int> progress;
};

// A fresh program folder under the system's temporary folder, removed at the end; sets VEZDAR_HOME.
class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    const fs::path& path() const { return path_; }
    // Writes a file below the folder (content as raw bytes).
    fs::path Write(const fs::path& rel, const std::string& bytes) const;

private:
    fs::path path_;
};

} // namespace vez::test
