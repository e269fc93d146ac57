// The filling engine's thread: runs cycles of a FillStrategy on the shared grid until every slot
// is filled, the owner stops it, or an internal error ends it.
//
// Pause and stop are requests guarded by one mutex and condition variable and honoured only at
// check points (the start of every cycle and of every fill attempt). A paused engine waits on the
// condition variable for the request to be cleared, so a resume given before the engine reached its
// check point is never lost. While the engine is parked, or after its run ended, the owner may read
// and redraw the grid: the mutex hand-over orders those reads after the engine's writes.
#pragma once

#include "compose/FillSearch.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace vez {

enum class FillEnd { Running, Finished, Stopped, Failed, Unfillable };

class FillEngine {
public:
    // The grid, slots, pools, options and sink must outlive the object. The slot words must be
    // empty; `lastWord` is reset here.
    FillEngine(TGrat& grat, SlotTable& slots, const TWordPool& pools, const FillOptions& options,
               FillReportSink& sink, std::uint64_t seed);
    // Stops the run and waits for the thread.
    ~FillEngine();
    FillEngine(const FillEngine&) = delete;
    FillEngine& operator=(const FillEngine&) = delete;

    void Start();
    // Asks the engine to suspend itself at its next check point; returns at once.
    void Pause();
    // Waits until the engine is parked (true) or the request was withdrawn or the run ended (false).
    bool WaitPaused();
    void Resume();
    // Asks the engine to end at its next check point (a paused engine wakes for it).
    void Stop();
    // Waits up to `timeout` for the end of the run; Running when it has not ended.
    FillEnd WaitEnd(std::chrono::nanoseconds timeout);
    FillEnd End() const;
    // Counters of the run so far; exact once the run has ended.
    FillStats Stats() const;
    // Time from the start of the run to its end (or to now while it runs).
    double Seconds() const;

private:
    void Run();
    bool CheckPoint();
    void Finish(FillEnd end, FillReport report);

    TGrat& grat_;
    SlotTable& slots_;
    const TWordPool& pools_;
    const FillOptions& options_;
    FillReportSink& sink_;
    std::uint64_t seed_;

    mutable std::mutex m_;
    std::condition_variable cv_;
    bool pauseReq_ = false;
    bool stopReq_ = false;
    bool parked_ = false;
    FillEnd end_ = FillEnd::Running;
    std::atomic<bool> anyRequest_{false}; // fast path of the check point
    std::chrono::steady_clock::time_point started_{}, ended_{};
    std::atomic<std::uint64_t> cycles_{0}, attempts_{0}, scanned_{0};

    std::jthread thread_; // last: it must start after, and stop before, everything above
};

} // namespace vez
