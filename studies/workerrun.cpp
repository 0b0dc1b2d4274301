#include "studies/workerrun.h"

namespace zolt::studies {

namespace {
// Often enough for a progress bar that moves smoothly, seldom enough to
// cost the GUI thread nothing.
constexpr int kPollMilliseconds = 50;
} // namespace

WorkerRun::WorkerRun(QObject* parent) : QObject(parent) {
    m_timer.setInterval(kPollMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &WorkerRun::poll);
}

WorkerRun::~WorkerRun() {
    wait();
}

bool WorkerRun::start(std::function<void()> work) {
    if (isRunning())
        return false;
    m_done.store(false);
    m_thread = std::thread([this, work = std::move(work)] {
        work();
        m_done.store(true, std::memory_order_release);
    });
    m_timer.start();
    return true;
}

void WorkerRun::wait() {
    m_timer.stop();
    if (m_thread.joinable())
        m_thread.join();
}

void WorkerRun::poll() {
    if (!m_done.load(std::memory_order_acquire)) {
        emit progress();
        return;
    }
    wait();
    emit finished();
}

} // namespace zolt::studies
