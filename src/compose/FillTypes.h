// What the compose window and the filling engine share: the selection rules, the options the window
// changes while a run goes on, and the reports the engine sends back through a thread-safe queue.
#pragma once

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace vez {

// How the engine picks the slot of a cycle.
enum class TFillAlgorithm : int { Follow = 0, Empty = 1, Max = 2, Zigzag = 3, Random = 4, Smart = 5 };
inline constexpr int kFillAlgorithmCount = 6;

// Written by the window at any time; the engine reads them at the start of every cycle (and the
// show-letters switch at every report).
struct FillOptions {
    std::atomic<TFillAlgorithm> rule{TFillAlgorithm::Follow};
    std::atomic<bool> backward{false};
    std::atomic<bool> showLetters{true};
};

// Unfillable: the search proved that no fill exists (only the Smart rule can prove it).
enum class FillReportKind { LetterPlaced, CellEmptied, Progress, Finished, Stopped, Failed, Unfillable };

struct FillReport {
    FillReportKind kind = FillReportKind::Progress;
    int x = 0, y = 0;    // LetterPlaced, CellEmptied
    char letter = 0;     // LetterPlaced
    int percent = 0;     // Progress
    double seconds = 0;  // Finished: time since the run started
    std::string message; // Failed: what went wrong (for the log; the window shows its own text)
    std::vector<int> slots; // Unfillable: the slots whose candidates ran out
};

// Receives the reports on the engine thread, in the order they happen.
class FillReportSink {
public:
    virtual ~FillReportSink() = default;
    virtual void Report(const FillReport& r) = 0;
};

// The usual sink: the window drains it on its own thread. A progress report that follows another
// progress report replaces it, so a run that nobody drains for a while (letters hidden) keeps a
// bounded queue; the order of all other reports is kept.
class FillReportQueue : public FillReportSink {
public:
    void Report(const FillReport& r) override {
        std::lock_guard lk(m_);
        if (r.kind == FillReportKind::Progress && !q_.empty() && q_.back().kind == FillReportKind::Progress)
            q_.back() = r;
        else
            q_.push_back(r);
    }
    std::vector<FillReport> Drain() {
        std::lock_guard lk(m_);
        std::vector<FillReport> out(q_.begin(), q_.end());
        q_.clear();
        return out;
    }

private:
    std::mutex m_;
    std::deque<FillReport> q_;
};

} // namespace vez
