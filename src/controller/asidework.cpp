#include "controller/asidework.h"

#include <QThread>
#include <exception>
#include <memory>

#if VESKPLAN_SERVER_HISTORY
#include "history/pgconnection.h"
#endif

namespace veskplan {

void interruptWork(QThread* thread) {
#if VESKPLAN_SERVER_HISTORY
    PgConnection::interrupt(thread);
#else
    thread->requestInterruption();
#endif
}

bool runAside(UserPort& port, const WaitRequest& request, const std::function<void()>& work) {
    std::exception_ptr thrown;
    const std::unique_ptr<QThread> thread(QThread::create([&work, &thrown] {
        try {
            work();
        } catch (...) {
            thrown = std::current_exception();
        }
    }));
    bool cancelled = false;
    thread->start();
    port.waitFor(request, *thread, [&cancelled, &thread] {
        cancelled = true;
        interruptWork(thread.get());
    });
    thread->wait();
    if (!thrown) {
        return true;  // it ended before the cancel reached it
    }
    if (cancelled) {
        return false;
    }
    std::rethrow_exception(thrown);
}

}  // namespace veskplan
