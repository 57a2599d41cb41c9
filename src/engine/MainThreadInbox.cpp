#include "MainThreadInbox.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

namespace skyloom {

MainThreadInbox::MainThreadInbox(QObject* parent)
    : QObject(parent), m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (m_fd < 0)
        qFatal("Skyloom: cannot create an eventfd for the worker results");
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { Drain(); });
}

MainThreadInbox::~MainThreadInbox() {
    delete m_notifier;
    ::close(m_fd);
}

void MainThreadInbox::Post(std::function<void()> task) {
    {
        std::lock_guard lock(m_lock);
        m_tasks.push_back(std::move(task));
    }
    const quint64 one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

void MainThreadInbox::Drain() {
    quint64 count = 0;
    [[maybe_unused]] const ssize_t got = ::read(m_fd, &count, sizeof count);
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard lock(m_lock);
        tasks.swap(m_tasks);
    }
    for (auto& task : tasks)
        task();
}

} // namespace skyloom
