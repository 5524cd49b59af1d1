#include "cli/stop_signals.h"

namespace vantoli::cli {

namespace {

volatile std::sig_atomic_t requested = 0;
extern "C" void requestStop(int) { requested = 1; }

}  // namespace

StopSignals::StopSignals()
{
    requested = 0;
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &oldInt_);
    sigaction(SIGTERM, &action, &oldTerm_);
    sigaction(SIGHUP, &action, &oldHup_);  // the terminal closed
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &oldInt_, nullptr);
    sigaction(SIGTERM, &oldTerm_, nullptr);
    sigaction(SIGHUP, &oldHup_, nullptr);
}

bool StopSignals::stopRequested() { return requested != 0; }

}  // namespace vantoli::cli
