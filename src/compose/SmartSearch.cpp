#include "compose/SmartSearch.h"

#include "platform/Text.h"

namespace vez {

std::uint64_t Luby(std::uint64_t i) {
    for (int k = 1; k < 63; ++k) {
        const std::uint64_t end = (std::uint64_t{1} << k) - 1;
        if (i == end) return std::uint64_t{1} << (k - 1);
        if (i < end) return Luby(i - (std::uint64_t{1} << (k - 1)) + 1);
    }
    return std::uint64_t{1} << 62;
}

bool SmartSearch::InStep(const FillContext& ctx) const {
    if (ctx.filled != solver_->Level()) return false;
    for (int s = 1; s <= ctx.N(); ++s) {
        const std::int32_t w = solver_->Assigned(s);
        if ((w >= 0) != ctx.IsFilled(s)) return false;
        if (w >= 0 && ctx.pools.Word(ctx.slots[s].length, static_cast<std::size_t>(w)) != ctx.slots[s].word)
            return false;
    }
    return true;
}

void SmartSearch::Adopt(FillContext& ctx) {
    while (solver_->Level() > 0)
        solver_->Backtrack();
    failed_ = false;
    for (int s = 1; s <= ctx.N(); ++s) {
        if (!ctx.IsFilled(s)) continue;
        const std::int32_t w = failed_ ? -1 : solver_->Find(s, ctx.slots[s].word);
        if (w < 0 || !solver_->Live(s, w)) {
            ctx.Empty(s);
            continue;
        }
        failed_ = !solver_->Assign(s, w);
    }
}

void SmartSearch::Restart(FillContext& ctx) {
    while (solver_->Level() > 0)
        ctx.Empty(solver_->Backtrack().first);
    failed_ = false;
    failuresSinceRestart_ = 0;
    ++lubyIndex_;
    ++restarts;
}

bool SmartSearch::Cycle(FillContext& ctx, TFillAlgorithm, bool) {
    if (!solver_) {
        solver_ = std::make_unique<SmartSolver>(ctx.slots, ctx.pools);
        if (!solver_->Init()) throw FillUnfillable(solver_->DeadSlots());
    }
    if (!InStep(ctx)) Adopt(ctx);
    const std::uint64_t removalsBefore = solver_->removals;
    struct Count {
        FillContext& ctx;
        const SmartSolver& solver;
        std::uint64_t before;
        ~Count() { ctx.stats.scanned += solver.removals - before; }
    } count{ctx, *solver_, removalsBefore};
    for (;;) {
        if (!ctx.CheckPoint()) return false;
        ++ctx.stats.attempts;
        if (failed_) {
            if (solver_->Level() == 0) throw FillUnfillable(solver_->DeadSlots());
            ++failures;
            if (++failuresSinceRestart_ >= restartBase_ * Luby(lubyIndex_)) {
                Restart(ctx);
                continue;
            }
            const auto [s, w] = solver_->Backtrack();
            ctx.Empty(s);
            failed_ = !solver_->Refute(s, w);
            continue;
        }
        const int s = solver_->ChooseSlot(ctx.rnd);
        if (s == 0) return true; // every slot holds a word
        const std::int32_t w = solver_->ChooseValue(s, ctx.rnd);
        failed_ = !solver_->Assign(s, w);
        ctx.Place(s, w);
        ctx.previous = ctx.current;
        ctx.current = s;
        // A full grid ends the run, so a failed last word must be undone before the cycle ends.
        if (failed_ && ctx.filled == ctx.N()) continue;
        return true;
    }
}

GridCheck CheckGrid(const SlotTable& slots, const TWordPool& pools) {
    SmartSolver solver(slots, pools);
    GridCheck res;
    res.unfillable = !solver.Init();
    res.candidates.assign(SlotCount(slots) + 1, 0);
    for (int s = 1; s <= SlotCount(slots); ++s)
        res.candidates[s] = solver.Size(s);
    if (res.unfillable) res.deadSlots = solver.DeadSlots();
    return res;
}

std::vector<int> WordNumbers(const SlotTable& slots) {
    std::vector<int> num(SlotCount(slots) + 1, 0);
    int shown = 0;
    for (int s = 1; s <= SlotCount(slots); ++s) {
        const bool sameCell = s > 1 && slots[s].x == slots[s - 1].x && slots[s].y == slots[s - 1].y;
        num[s] = sameCell ? shown : ++shown;
    }
    return num;
}

std::string DeadSlotsText(const SlotTable& slots, const std::vector<int>& dead) {
    const std::vector<int> num = WordNumbers(slots);
    std::string out;
    for (int s : dead) {
        if (s < 1 || s > SlotCount(slots)) continue;
        if (!out.empty()) out += ", ";
        out += std::to_string(num[s]) + (slots[s].dir == 'H' ? ru(" по горизонтали") : ru(" по вертикали"));
    }
    return out;
}

} // namespace vez
