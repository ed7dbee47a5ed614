#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace yilou::testing {

/// One answer of the test server.
struct HttpResponse {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers; ///< besides Content-Length
    std::string body;
    /// Waited before anything is sent: a server that answers too slowly.
    std::chrono::milliseconds delay{0};
    /// The body is sent in pieces of this many bytes with `pause` between them (0: at once).
    std::size_t pieceBytes = 0;
    std::chrono::milliseconds pause{0};
    /// Without a Content-Length the body ends when the connection closes.
    bool announceLength = true;
};

/// An HTTP/1.1 server on 127.0.0.1 with a port of its own, for tests: every request is
/// answered on a thread of its own by `handler`, given the request target ("/11x5gd?n=168").
/// Requests from this process never go through a proxy.
class HttpTestServer {
public:
    using Handler = std::function<HttpResponse(const std::string& target)>;

    explicit HttpTestServer(Handler handler);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    /// "http://127.0.0.1:PORT" followed by `target`.
    std::string url(const std::string& target) const;
    /// The targets requested so far, in order.
    std::vector<std::string> requests() const;

    /// An address on 127.0.0.1 where nothing listens.
    static std::string refusedUrl();

private:
    void acceptLoop();
    void answer(int connection);
    /// Waits `duration` unless the server stops first; false when it stopped.
    bool wait(std::chrono::milliseconds duration);

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::vector<std::string> requests_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

} // namespace yilou::testing
