#pragma once
// A line database that never answers: a port on 127.0.0.1 that takes connections (the kernel
// completes them from the backlog) and never says a word.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace dorvik::test {

class SilentListener final {
public:
    SilentListener() : socket_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ >= 0 &&
            ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(socket_, 64) == 0 &&
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            port_ = ntohs(address.sin_port);
        }
    }
    ~SilentListener() {
        if (socket_ >= 0) {
            ::close(socket_);
        }
    }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    int Port() const { return port_; } // 0 when it could not listen

private:
    int socket_;
    int port_ = 0;
};

} // namespace dorvik::test
