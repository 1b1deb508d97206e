#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QString>

namespace veskplan::test {

// A loopback port of the test's own: listening, the system takes a connection and nobody ever
// answers it (a server that hangs); else a connection is refused (a server that is down).
class LoopbackPort {
public:
    explicit LoopbackPort(bool listening) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            (listening && ::listen(socket_, 4) != 0) ||
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            throw std::runtime_error("no loopback port");
        }
        port_ = QString::number(ntohs(address.sin_port));
    }
    ~LoopbackPort() { ::close(socket_); }
    LoopbackPort(const LoopbackPort&) = delete;
    LoopbackPort& operator=(const LoopbackPort&) = delete;

    const QString& port() const { return port_; }

private:
    int socket_;
    QString port_;
};

}  // namespace veskplan::test
