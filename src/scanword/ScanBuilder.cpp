#include "scanword/ScanBuilder.h"

#include "settings/Config.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdio>

namespace vez {

namespace {
// Message boxes of the builder carry the program title after a blank.
std::string Caption() { return ru(" Программа \"Вездар\""); }
} // namespace

void MarkWordCells(TScanLayout& l) {
    for (int y = 1; y <= l.height; ++y)
        for (int x = 1; x <= l.width; ++x) {
            std::uint8_t& c = l.cells[x][y];
            if (!IsScanLetter(c)) continue;
            if (IsScanLetter(l.cells[x - 1][y]) || IsScanLetter(l.cells[x + 1][y])) c |= 1;
            if (IsScanLetter(l.cells[x][y - 1]) || IsScanLetter(l.cells[x][y + 1])) c |= 2;
        }
}

std::string FormatElapsed(double seconds) {
    const long long t = static_cast<long long>(std::max(0.0, seconds));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", t / 3600, t / 60 % 60, t % 60);
    return buf;
}

ScanBuilder::ScanBuilder(Settings& settings, ScanOperSettings& oper) : settings_(settings), oper_(oper) {
    ResetEmpty();
}

ScanBuilder::~ScanBuilder() = default;

void ScanBuilder::ResetEmpty() {
    empty_.Clear();
    empty_.width = width_;
    empty_.height = height_;
    for (int x = 1; x <= width_; ++x)
        for (int y = 1; y <= height_; ++y) empty_.cells[x][y] = excluded_[x][y] ? kScanOutside : 0;
}

const TScanLayout& ScanBuilder::display() const {
    if (gen_) return gen_->layout();
    return layoutReady_ ? layout_ : empty_;
}

int ScanBuilder::currentBlock() const { return gen_ ? gen_->currentBlock() : 0; }
const ScanBlocks* ScanBuilder::blocks() const { return gen_ ? &gen_->blocks() : nullptr; }
std::uint64_t ScanBuilder::passes() const { return gen_ ? gen_->passes() : 0; }

void ScanBuilder::StopGeneration() {
    gen_.reset();
    ++generation_;
}

void ScanBuilder::ClearLayout(State next) {
    if (gen_) StopGeneration();
    layoutReady_ = false;
    composeOffered_ = false;
    layout_.Clear();
    statusTime_.clear();
    statusWords_.clear();
    state_ = next;
    ResetEmpty();
}

bool ScanBuilder::SetWidth(int w) {
    w = std::clamp(w, kScanMinSide, kScanMaxSide);
    if (w == width_) return false;
    width_ = w;
    excluded_ = {};
    ClearLayout(kCleared);
    return true;
}

bool ScanBuilder::SetHeight(int h) {
    h = std::clamp(h, kScanMinSide, kScanMaxSide);
    if (h == height_) return false;
    height_ = h;
    excluded_ = {};
    ClearLayout(kCleared);
    return true;
}

bool ScanBuilder::SizeKey(SizeField field, ArrowKey key) {
    const int step = key == ArrowKey::Up || key == ArrowKey::Right ? 1 : -1;
    return field == SizeField::Width ? SetWidth(width_ + step) : SetHeight(height_ + step);
}

bool ScanBuilder::ToggleExcluded(int x, int y) {
    if (state_ == kBuilding || x < 1 || x > width_ || y < 1 || y > height_) return false;
    excluded_[x][y] ^= 1;
    ClearLayout(kCleared);
    return true;
}

CellPos ScanBuilder::CellAt(int px, int py, int cellSize) const {
    if (cellSize <= 0 || px < 0 || py < 0) return {0, 0};
    const int x = px / cellSize + 1, y = py / cellSize + 1;
    if (x > width_ || y > height_) return {0, 0};
    return {x, y};
}

void ScanBuilder::AreaChanged() { ClearLayout(kCleared); }

bool ScanBuilder::PressBuild(std::uint64_t seed) {
    if (state_ == kBuilding) {
        ClearLayout(kIdle);
        return false;
    }
    oper_.ClearLengths();
    ClearLayout(kBuilding);
    start_ = Clock::now();
    statusTime_ = FormatElapsed(0);
    gen_ = std::make_unique<ScanGenerator>(width_, height_, excluded_, oper_.Options(settings_), seed);
    ++generation_;
    return true;
}

ScanBuilder::RunEnd ScanBuilder::Run(Dialogs& dialogs, const std::function<void()>& pump, Clock::duration pumpEvery) {
    const std::uint64_t mine = generation_;
    try {
        Clock::time_point lastPump = Clock::now();
        while (gen_ && state_ == kBuilding && generation_ == mine) {
            ScanGenerator& g = *gen_;
            bool done = false;
            for (int i = 0; i < 256 && !done; ++i) done = g.Pass();
            if (done) {
                Finish();
                return RunEnd::Complete;
            }
            if (Clock::now() - lastPump >= pumpEvery) {
                pump();
                lastPump = Clock::now();
            }
        }
        return RunEnd::Stopped;
    } catch (const std::exception&) {
        if (generation_ == mine) Fail(dialogs);
        return RunEnd::Failed;
    }
}

std::string ScanBuilder::RunningTime() const {
    if (state_ != kBuilding) return statusTime_;
    return FormatElapsed(std::chrono::duration<double>(Clock::now() - start_).count());
}

void ScanBuilder::Finish() {
    layout_ = gen_->layout();
    MarkWordCells(layout_);
    const ScanWordCounts counts = gen_->counts();
    lastPasses_ = gen_->passes();
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    StopGeneration();
    layoutReady_ = true;
    statusTime_ = ru("Время ") + FormatElapsed(seconds);
    statusWords_ = ru("Слов ") + std::to_string(counts.words) + " = " + std::to_string(counts.horizontal) + " + " +
                   std::to_string(counts.vertical);
    composeOffered_ = !composeOpen_;
    oper_.SetLengths(counts);
    state_ = kIdle;
}

std::optional<ScanHandOver> ScanBuilder::HandOver() {
    if (!composeOffered_ || !layoutReady_) return std::nullopt;
    composeOffered_ = false;
    return ScanHandOver{GratFromScan(layout_), layout_};
}

bool ScanBuilder::RequestClose(Dialogs& dialogs) {
    if (state_ == kBuilding &&
        dialogs.Show(ru("Остановить процесс составления и закрыть окно ?"), Caption(), 11, kBtnCancel,
                     kIconQuestion) != kBtnYes)
        return false;
    excluded_ = {};
    ClearLayout(kIdle);
    oper_.ClearLengths();
    return true;
}

void ScanBuilder::Fail(Dialogs& dialogs) {
    ClearLayout(kIdle);
    dialogs.Show(ru("Ошибка составления решетки сканворда."), Caption(), kBtnOK, kBtnOK, kIconError);
}

void ScanBuilder::Activated(std::uint8_t& windowCode) {
    if (windowCode != kScanWindowCode) previousCode_ = windowCode;
    windowCode = kScanWindowCode;
}

void ScanBuilder::Deactivated(std::uint8_t& windowCode) {
    if (windowCode == kScanWindowCode) windowCode = previousCode_;
}

} // namespace vez
