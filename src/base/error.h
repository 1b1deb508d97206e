#pragma once

#include <QString>
#include <cerrno>
#include <stdexcept>

namespace veskplan {

// A failure the user is told about. The message is complete: it names the file and the reason,
// ready for a message box or the command line's error line.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const { return message_; }

private:
    QString message_;
};

// Whether a system error number says the write was cut short for want of room (the disk, the
// user's share of it, or the largest file allowed).
inline bool isDiskFull(int errorNumber) {
#ifdef EDQUOT
    return errorNumber == ENOSPC || errorNumber == EFBIG || errorNumber == EDQUOT;
#else
    return errorNumber == ENOSPC || errorNumber == EFBIG;  // a C library without disk quotas
#endif
}

}  // namespace veskplan
