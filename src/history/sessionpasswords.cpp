#include "history/sessionpasswords.h"

namespace veskplan {

QString SessionPasswords::find(const QString& address) const {
    const std::lock_guard lock(mutex_);
    const auto found = passwords_.find(address);
    return found == passwords_.end() ? QString() : found->second;
}

void SessionPasswords::remember(const QString& address, const QString& password) {
    const std::lock_guard lock(mutex_);
    passwords_[address] = password;
}

void SessionPasswords::forget(const QString& address) {
    const std::lock_guard lock(mutex_);
    passwords_.erase(address);
}

}  // namespace veskplan
