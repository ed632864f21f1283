#include "platform/WorkerThread.h"

#include "platform/DebugOutput.h"

#include <pthread.h>

#include <utility>

namespace platform {

WorkerThread::WorkerThread(std::string name) : m_name(std::move(name)) {}

WorkerThread::~WorkerThread()
{
    Stop(1000);
}

bool WorkerThread::Start(Body body)
{
    if (IsRunning())
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_shared = std::make_shared<Shared>();
    m_thread = std::thread([shared = m_shared, body = std::move(body)] {
        body(shared->stop);
        shared->finished.Set();
    });
    // The name shows in /proc/<pid>/task/<tid>/comm (at most 15 characters).
    pthread_setname_np(m_thread.native_handle(), m_name.substr(0, 15).c_str());
    return true;
}

void WorkerThread::RequestStop()
{
    if (m_shared)
        m_shared->stop.Set();
}

bool WorkerThread::Stop(int timeoutMs)
{
    if (!m_thread.joinable())
        return true;
    m_shared->stop.Set();
    if (m_shared->finished.Wait(timeoutMs)) {
        m_thread.join();
        return true;
    }
    DebugOutput("thread '" + m_name + "' did not end within " + std::to_string(timeoutMs) + " ms; detached");
    m_thread.detach();
    return false;
}

bool WorkerThread::IsRunning() const
{
    return m_thread.joinable() && !m_shared->finished.IsSet();
}

} // namespace platform
