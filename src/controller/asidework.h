#pragma once

#include <functional>

#include "controller/userport.h"

class QThread;

namespace veskplan {

// Stops the work of `thread` from another thread: its server queries are cancelled and it runs
// no other; work that checks the thread's interruption stops too.
void interruptWork(QThread* thread);

// Runs `work` on a thread of its own while the user waits with Cancel at hand (UserPort::waitFor),
// so that a slow or silent server never freezes the windows. True when the work ended; false when
// the user cancelled it and it stopped short. What it threw otherwise is thrown here.
bool runAside(UserPort& port, const WaitRequest& request, const std::function<void()>& work);

}  // namespace veskplan
