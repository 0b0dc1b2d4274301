// One piece of work on a thread of its own, watched from the GUI thread.
//
// The work never touches widgets: it fills data that the window reads once
// finished() has been emitted. It is cancelled by whatever flag it watches,
// not by this object; wait() and the destructor only join it, so a window
// sets its flag first and the data the work uses must outlive the join.
#pragma once

#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <thread>

namespace zolt::studies {

class WorkerRun : public QObject {
    Q_OBJECT

public:
    explicit WorkerRun(QObject* parent = nullptr);
    ~WorkerRun() override;

    // Starts `work`; false, starting nothing, while an earlier one runs.
    bool start(std::function<void()> work);
    bool isRunning() const { return m_thread.joinable(); }
    // Blocks until the work has ended; finished() is not emitted.
    void wait();

signals:
    void progress(); // every tick while the work runs
    void finished(); // the work has ended and its thread is joined

private:
    void poll();

    std::thread m_thread;
    std::atomic<bool> m_done{false};
    QTimer m_timer;
};

} // namespace zolt::studies
