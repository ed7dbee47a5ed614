#include "support/http_test_server.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace yilou::testing {

namespace {

/// A socket bound to 127.0.0.1 on a free port, and that port.
std::pair<int, int> boundSocket() {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("test server: no socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        throw std::runtime_error("test server: cannot bind 127.0.0.1");
    }
    return {fd, ntohs(address.sin_port)};
}

bool sendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t sent = send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
    return true;
}

std::string reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

} // namespace

HttpTestServer::HttpTestServer(Handler handler) : handler_(std::move(handler)) {
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    std::tie(listener_, port_) = boundSocket();
    if (listen(listener_, 16) != 0) {
        close(listener_);
        throw std::runtime_error("test server: cannot listen");
    }
    acceptor_ = std::thread([this] { acceptLoop(); });
}

HttpTestServer::~HttpTestServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_all();
    acceptor_.join();
    for (std::thread& connection : connections_)
        connection.join();
    close(listener_);
}

std::string HttpTestServer::url(const std::string& target) const {
    return "http://127.0.0.1:" + std::to_string(port_) + target;
}

std::vector<std::string> HttpTestServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string HttpTestServer::refusedUrl() {
    const auto [fd, port] = boundSocket(); // bound but not listening: connections are refused
    close(fd);
    return "http://127.0.0.1:" + std::to_string(port) + "/";
}

bool HttpTestServer::wait(std::chrono::milliseconds duration) {
    std::unique_lock lock(mutex_);
    return !stopped_.wait_for(lock, duration, [this] { return stopping_; });
}

void HttpTestServer::acceptLoop() {
    pollfd waiting{listener_, POLLIN, 0};
    while (wait(std::chrono::milliseconds(0))) {
        if (poll(&waiting, 1, 20) <= 0)
            continue;
        const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        std::lock_guard lock(mutex_);
        connections_.emplace_back([this, connection] {
            answer(connection);
            close(connection);
        });
    }
}

void HttpTestServer::answer(int connection) {
    std::string request;
    char buffer[4096];
    timeval timeout{2, 0};
    setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    const auto start = request.find(' ') + 1;
    const std::string target = request.substr(start, request.find(' ', start) - start);
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(target);
    }
    const HttpResponse response = handler_(target);
    if (!wait(response.delay))
        return;
    std::string head = "HTTP/1.1 " + std::to_string(response.status) + " " +
                       reasonPhrase(response.status) + "\r\nConnection: close\r\n";
    for (const auto& [name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    if (response.announceLength)
        head += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    head += "\r\n";
    if (!sendAll(connection, head.data(), head.size()))
        return;
    const std::size_t piece = response.pieceBytes ? response.pieceBytes : response.body.size();
    for (std::size_t at = 0; at < response.body.size(); at += piece) {
        if (at > 0 && !wait(response.pause))
            return;
        if (!sendAll(connection, response.body.data() + at,
                     std::min(piece, response.body.size() - at)))
            return;
    }
}

} // namespace yilou::testing
