#include "compose/FillEngine.h"

#include "compose/SmartSearch.h"

#include <exception>
#include <new>

namespace vez {

FillEngine::FillEngine(TGrat& grat, SlotTable& slots, const TWordPool& pools, const FillOptions& options,
                       FillReportSink& sink, std::uint64_t seed)
    : grat_(grat), slots_(slots), pools_(pools), options_(options), sink_(sink), seed_(seed) {}

FillEngine::~FillEngine() {
    Stop();
    if (thread_.joinable()) thread_.join();
}

void FillEngine::Start() {
    {
        std::lock_guard lk(m_);
        started_ = std::chrono::steady_clock::now();
    }
    thread_ = std::jthread([this] { Run(); });
}

void FillEngine::Pause() {
    std::lock_guard lk(m_);
    pauseReq_ = true;
    anyRequest_.store(true, std::memory_order_release);
}

bool FillEngine::WaitPaused() {
    std::unique_lock lk(m_);
    cv_.wait(lk, [&] { return parked_ || !pauseReq_ || end_ != FillEnd::Running; });
    return parked_;
}

void FillEngine::Resume() {
    std::lock_guard lk(m_);
    pauseReq_ = false;
    anyRequest_.store(stopReq_, std::memory_order_release);
    cv_.notify_all();
}

void FillEngine::Stop() {
    std::lock_guard lk(m_);
    stopReq_ = true;
    anyRequest_.store(true, std::memory_order_release);
    cv_.notify_all();
}

FillEnd FillEngine::WaitEnd(std::chrono::nanoseconds timeout) {
    std::unique_lock lk(m_);
    cv_.wait_for(lk, timeout, [&] { return end_ != FillEnd::Running; });
    return end_;
}

FillEnd FillEngine::End() const {
    std::lock_guard lk(m_);
    return end_;
}

FillStats FillEngine::Stats() const {
    return {cycles_.load(std::memory_order_relaxed), attempts_.load(std::memory_order_relaxed),
            scanned_.load(std::memory_order_relaxed)};
}

double FillEngine::Seconds() const {
    std::lock_guard lk(m_);
    auto end = end_ == FillEnd::Running ? std::chrono::steady_clock::now() : ended_;
    return std::chrono::duration<double>(end - started_).count();
}

bool FillEngine::CheckPoint() {
    if (!anyRequest_.load(std::memory_order_acquire)) return true;
    std::unique_lock lk(m_);
    while (pauseReq_ && !stopReq_) {
        parked_ = true;
        cv_.notify_all();
        cv_.wait(lk);
    }
    parked_ = false;
    return !stopReq_;
}

void FillEngine::Finish(FillEnd end, FillReport report) {
    {
        std::lock_guard lk(m_);
        ended_ = std::chrono::steady_clock::now();
        report.seconds = std::chrono::duration<double>(ended_ - started_).count();
    }
    // The report goes out before the end is visible, so whoever waits for the end finds it queued.
    sink_.Report(report);
    std::lock_guard lk(m_);
    end_ = end;
    parked_ = false;
    cv_.notify_all();
}

void FillEngine::Run() {
    FillRandom rnd(seed_);
    FillReport end;
    FillEnd how = FillEnd::Finished;
    try {
        FillContext ctx(grat_, slots_, pools_, options_, sink_, rnd, [this] { return CheckPoint(); });
        LocalSearch localSearch;
        SmartSearch smart;
        const int n = ctx.N();
        auto publish = [&] {
            cycles_.store(ctx.stats.cycles, std::memory_order_relaxed);
            attempts_.store(ctx.stats.attempts, std::memory_order_relaxed);
            scanned_.store(ctx.stats.scanned, std::memory_order_relaxed);
        };
        bool stopped = false;
        while (ctx.filled < n) {
            if (!CheckPoint()) {
                stopped = true;
                break;
            }
            // The options are read afresh every cycle, so a change from the menu applies at once.
            const TFillAlgorithm rule = options_.rule.load(std::memory_order_relaxed);
            const bool backward = options_.backward.load(std::memory_order_relaxed);
            FillStrategy& strategy = rule == TFillAlgorithm::Smart ? static_cast<FillStrategy&>(smart) : localSearch;
            const bool goOn = strategy.Cycle(ctx, rule, backward);
            ++ctx.stats.cycles;
            publish();
            if (!goOn) {
                stopped = true;
                break;
            }
            FillReport p;
            p.kind = FillReportKind::Progress;
            p.percent = ctx.filled * 100 / n;
            sink_.Report(p);
        }
        publish();
        if (!stopped) {
            // A stop that came while the last word went in still wins over the finish.
            std::lock_guard lk(m_);
            stopped = stopReq_;
        }
        if (stopped) {
            how = FillEnd::Stopped;
            end.kind = FillReportKind::Stopped;
        } else {
            end.kind = FillReportKind::Finished;
        }
    } catch (const FillUnfillable& e) {
        how = FillEnd::Unfillable;
        end.kind = FillReportKind::Unfillable;
        end.slots = e.deadSlots;
    } catch (const std::bad_alloc&) {
        how = FillEnd::Failed;
        end.kind = FillReportKind::Failed;
        end.message = "out of memory";
    } catch (const std::exception& e) {
        how = FillEnd::Failed;
        end.kind = FillReportKind::Failed;
        end.message = e.what();
    }
    Finish(how, std::move(end));
}

} // namespace vez
