#pragma once
// The clock the dubbing window's timer mode counts by: the machine's monotonic clock, or a clock a
// test moves by hand.

#include <QElapsedTimer>

#include <cstdint>

namespace vantoli {

class DubbingClock {
public:
    virtual ~DubbingClock() = default;
    // Milliseconds since some fixed moment; never goes back.
    virtual std::int64_t milliseconds() const = 0;
};

class ElapsedClock : public DubbingClock {
public:
    ElapsedClock() { timer_.start(); }
    std::int64_t milliseconds() const override { return timer_.elapsed(); }

private:
    QElapsedTimer timer_;
};

}  // namespace vantoli
