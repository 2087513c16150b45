#include "platform/Timer.h"

#include <QTimer>

struct CTimer::TimerImpl {
    QTimer timer;
};

CTimer::CTimer(std::function<void()> call) : m_impl(std::make_unique<TimerImpl>()) {
    m_impl->timer.setSingleShot(true);
    QObject::connect(&m_impl->timer, &QTimer::timeout, std::move(call));
}

CTimer::~CTimer() = default;

void CTimer::Start(int milliseconds) {
    m_impl->timer.start(milliseconds);
}

void CTimer::Stop() {
    m_impl->timer.stop();
}

bool CTimer::IsActive() const {
    return m_impl->timer.isActive();
}
