#include "cli/FillRun.h"

#include "compose/SmartSearch.h"
#include "platform/Text.h"

#include <chrono>

namespace vez::cli {

namespace {
const char* const kRuleNames[] = {"follow", "empty", "max", "zigzag", "random", "smart"};
}

std::optional<TFillAlgorithm> ParseRule(const std::string& s) {
    for (int i = 0; i < kFillAlgorithmCount; ++i)
        if (s == kRuleNames[i] || s == std::to_string(i)) return static_cast<TFillAlgorithm>(i);
    return std::nullopt;
}

const char* RuleName(TFillAlgorithm r) { return kRuleNames[static_cast<int>(r)]; }

FillRunResult RunFill(const GridModel& model, const TWordPool& pools, TFillAlgorithm rule, bool backward,
                      std::uint64_t seed, double limitSeconds) {
    FillRunResult res;
    res.model = model;
    FillOptions options;
    options.rule = rule;
    options.backward = backward;
    options.showLetters = false; // nobody draws; progress reports collapse into one
    FillReportQueue queue;
    {
        FillEngine engine(res.model.grat, res.model.slots, pools, options, queue, seed);
        engine.Start();
        res.end = engine.WaitEnd(std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::duration<double>(limitSeconds)));
        if (res.end == FillEnd::Running) {
            engine.Stop();
            engine.WaitEnd(std::chrono::hours(1));
        }
        res.seconds = engine.Seconds();
        res.stats = engine.Stats();
    }
    for (const FillReport& r : queue.Drain())
        if (r.kind == FillReportKind::Failed) res.failure = r.message;
        else if (r.kind == FillReportKind::Unfillable) res.deadSlots = r.slots;
    if (res.end == FillEnd::Unfillable) res.deadText = Cp1251ToUtf8(DeadSlotsText(res.model.slots, res.deadSlots));
    return res;
}

} // namespace vez::cli
