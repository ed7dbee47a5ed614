#pragma once

#include "core/user_error.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace yilou::history {

/// What a page fetch may take.
struct FetchLimits {
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds transferTimeout{60'000}; ///< the whole transfer, connecting included
    long maxRedirects = 5;
    std::size_t maxBytes = 20 * 1024 * 1024;
};

/// How far a fetch has come: bytes received and the size the server announced (0 when it
/// announced none).
struct FetchProgress {
    std::int64_t received = 0;
    std::int64_t expected = 0;
};

/// The caller's hold on a running fetch. Both are used from the thread that fetches.
struct FetchControl {
    /// Set from any thread to stop the fetch; it ends within about a second with Cancelled.
    const std::atomic<bool>* cancel = nullptr;
    /// Called now and then while the page comes in.
    std::function<void(const FetchProgress&)> progress;

    bool cancelled() const { return cancel && cancel->load(); }
};

/// Thrown when the caller's cancel flag stopped the work; nothing was changed.
class Cancelled : public UserError {
public:
    using UserError::UserError;
};

/// A page as it came in.
struct FetchedPage {
    std::string body;
    std::string contentType; ///< the Content-Type header; empty when there was none
};

/// Fetches `url` (http, https or file; redirects are followed to http and https only). A
/// failure throws UserError naming the address and the cause in Chinese: no connection, no
/// answer in time, too many redirects, a redirect elsewhere than http or https, an HTTP status of
/// 400 or more, a page larger than limits.maxBytes. A file: address is held to the same limits
/// and must name a regular file of this machine. A cancel throws Cancelled.
FetchedPage fetchPage(const std::string& url, const FetchLimits& limits = {},
                      const FetchControl& control = {});

} // namespace yilou::history
