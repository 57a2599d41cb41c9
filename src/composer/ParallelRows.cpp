#include "ParallelRows.h"

#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <pthread.h>
#include <sched.h>
#include <thread>
#include <vector>

namespace skyloom {
namespace {

// Helper threads of the composer's own, at the lowest priority Linux has (SCHED_IDLE), so that
// composing a wallpaper never takes time from anything the user does. One job at a time: a
// caller that finds the pool busy does its rows alone. The calling thread works on its job too.
class RowPool {
public:
    static RowPool& Instance() {
        static RowPool pool;
        return pool;
    }

    // Runs work over the rows in bands; false when the pool is busy with another caller's job.
    bool TryRun(int rows, int band, const std::function<void(int, int)>& work) {
        std::unique_lock busy(m_busy, std::try_to_lock);
        if (!busy.owns_lock())
            return false;
        {
            std::lock_guard lock(m_lock);
            m_work = &work;
            m_rows = rows;
            m_band = band;
            m_next = 0;
            ++m_job;
        }
        m_wake.notify_all();
        std::unique_lock lock(m_lock);
        ++m_active;
        TakeBands(lock);
        --m_active;
        m_finished.wait(lock, [this] { return m_active == 0; });
        m_work = nullptr;
        m_rows = 0;
        return true;
    }

private:
    RowPool() {
        const int helpers = std::max(0, QThread::idealThreadCount() - 1);
        for (int i = 0; i < helpers; ++i)
            m_threads.emplace_back([this] { Helper(); });
    }

    ~RowPool() {
        {
            std::lock_guard lock(m_lock);
            m_stop = true;
        }
        m_wake.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }

    // Takes bands until none is left; called and returning with the lock held.
    void TakeBands(std::unique_lock<std::mutex>& lock) {
        while (m_work && m_next < m_rows) {
            const int first = m_next;
            const int last = std::min(m_rows, first + m_band);
            m_next = last;
            const std::function<void(int, int)>& work = *m_work;
            lock.unlock();
            work(first, last);
            lock.lock();
        }
    }

    void Helper() {
        sched_param idle{};
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &idle);
        std::unique_lock lock(m_lock);
        unsigned long seen = m_job;
        for (;;) {
            m_wake.wait(lock, [&] { return m_stop || m_job != seen; });
            if (m_stop)
                return;
            seen = m_job;
            ++m_active;
            TakeBands(lock);
            if (--m_active == 0)
                m_finished.notify_all();
        }
    }

    std::mutex m_busy;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    const std::function<void(int, int)>* m_work = nullptr;
    int m_rows = 0;
    int m_band = 1;
    int m_next = 0;
    int m_active = 0;
    unsigned long m_job = 0;
    bool m_stop = false;
    std::vector<std::thread> m_threads;
};

} // namespace

void ParallelRows(int rows, const std::function<void(int, int)>& work) {
    constexpr int kMinimumBand = 16;
    const int threads = std::max(1, QThread::idealThreadCount());
    if (threads == 1 || rows < 2 * kMinimumBand) {
        work(0, rows);
        return;
    }
    // A few bands per core, so that a band that happens to be slower does not hold the rest.
    const int band = std::max(kMinimumBand, (rows + 4 * threads - 1) / (4 * threads));
    if (!RowPool::Instance().TryRun(rows, band, work))
        work(0, rows);
}

} // namespace skyloom
