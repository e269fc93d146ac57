// Busy cursor, progress bar and "let pending window events run" for long work on the window thread.
#pragma once

namespace vez {

class Busy {
public:
    virtual ~Busy() = default;
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
    // Progress bar from 0 to `max`; max <= 0 hides it.
    virtual void SetProgressMax(int /*max*/) {}
    virtual void SetProgress(int /*value*/) {}
    // Lets pending window events run (no-op outside the program).
    virtual void ProcessEvents() {}
};

// RAII hourglass.
class BusyScope {
public:
    explicit BusyScope(Busy& b) : b_(b) { b_.BeginBusy(); }
    ~BusyScope() { b_.EndBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Busy& b_;
};

} // namespace vez
