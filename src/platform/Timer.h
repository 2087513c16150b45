#pragma once
// A single-shot timer on the event loop: each Start runs the call once, that many milliseconds after the
// latest start, unless it is stopped first.

#include <functional>
#include <memory>

class CTimer {
public:
    explicit CTimer(std::function<void()> call);
    ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    // (Re)starts the countdown.
    void Start(int milliseconds);
    void Stop();
    bool IsActive() const;

private:
    struct TimerImpl;
    std::unique_ptr<TimerImpl> m_impl;
};
