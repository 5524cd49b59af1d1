#pragma once
// Ctrl+C and SIGTERM as a request to stop, while an object of this class lives: the work in hand asks
// stopRequested() and ends cleanly (no partial file, the sound server's stream closed).

#include <csignal>

namespace vantoli::cli {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    static bool stopRequested();

private:
    struct sigaction oldInt_ {};
    struct sigaction oldTerm_ {};
    struct sigaction oldHup_ {};
};

}  // namespace vantoli::cli
