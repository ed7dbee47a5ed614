#include "online/page_fetch.h"

#include "core/messages.h"
#include "core/system_error_text.h"

#include <cerrno>
#include <curl/curl.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace yilou::history {

namespace {

struct Transfer {
    const FetchLimits& limits;
    const FetchControl& control;
    FetchedPage page;
    bool tooLarge = false;
};

std::size_t receive(char* data, std::size_t size, std::size_t count, void* user) {
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (transfer.page.body.size() + bytes > transfer.limits.maxBytes) {
        transfer.tooLarge = true;
        return 0; // ends the transfer with a write error
    }
    transfer.page.body.append(data, bytes);
    return bytes;
}

int progressed(void* user, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
    auto& transfer = *static_cast<Transfer*>(user);
    if (transfer.control.cancelled())
        return 1;
    if (transfer.control.progress)
        transfer.control.progress({received, expected});
    return 0;
}

/// "10 秒", "0.3 秒".
std::string secondsText(std::chrono::milliseconds duration) {
    const auto ms = duration.count();
    std::string text = std::to_string(ms / 1000);
    if (ms % 1000 != 0) {
        text += "." + std::to_string(ms % 1000 + 1000).substr(1);
        text.erase(text.find_last_not_of('0') + 1);
    }
    return messages::seconds(text);
}

/// "20 MB", "64 KB", "1000 字节".
std::string sizeText(std::size_t bytes) {
    if (bytes % (1024 * 1024) == 0)
        return std::to_string(bytes / (1024 * 1024)) + " MB";
    if (bytes % 1024 == 0)
        return std::to_string(bytes / 1024) + " KB";
    return messages::byteCount(bytes);
}

std::string causeOf(CURLcode code, CURL* curl, const Transfer& transfer) {
    const FetchLimits& limits = transfer.limits;
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL: {
        // The address itself, or the one a redirect led to (followed to http and https only).
        long redirects = 0;
        const char* target = nullptr;
        curl_easy_getinfo(curl, CURLINFO_REDIRECT_COUNT, &redirects);
        curl_easy_getinfo(curl, CURLINFO_EFFECTIVE_URL, &target);
        return redirects > 0 && target ? messages::redirectRefused(target)
                                       : messages::unsupportedAddress();
    }
    case CURLE_URL_MALFORMAT:
        return messages::malformedAddress();
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return messages::hostNotFound();
    case CURLE_COULDNT_CONNECT:
        return messages::connectionFailed();
    case CURLE_OPERATION_TIMEDOUT:
        return messages::noTimelyAnswer(secondsText(limits.connectTimeout),
                                        secondsText(limits.transferTimeout));
    case CURLE_TOO_MANY_REDIRECTS:
        return messages::tooManyRedirects(limits.maxRedirects);
    case CURLE_HTTP_RETURNED_ERROR: {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        return messages::httpError(status);
    }
    case CURLE_FILESIZE_EXCEEDED:
        return messages::pageTooLarge(sizeText(limits.maxBytes));
    case CURLE_WRITE_ERROR:
        return transfer.tooLarge ? messages::pageTooLarge(sizeText(limits.maxBytes))
                                 : messages::cannotKeepPage();
    case CURLE_GOT_NOTHING:
        return messages::emptyAnswer();
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
        return messages::secureConnectionFailed();
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return messages::transferInterrupted();
    default:
        return messages::networkFailure();
    }
}

/// The file a file: address names, or nothing for an address of another kind. An address of
/// a file on another machine is malformed.
std::optional<std::string> filePath(const std::string& url) {
    std::unique_ptr<CURLU, void (*)(CURLU*)> parts(curl_url(), &curl_url_cleanup);
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        return std::nullopt; // no scheme of its own: curl reads it as http
    const auto part = [&](CURLUPart which, unsigned flags) -> std::optional<std::string> {
        char* text = nullptr;
        if (curl_url_get(parts.get(), which, &text, flags) != CURLUE_OK)
            return std::nullopt;
        std::string out(text);
        curl_free(text);
        return out;
    };
    if (part(CURLUPART_SCHEME, 0) != "file")
        return std::nullopt;
    const auto host = part(CURLUPART_HOST, 0);
    const auto path = part(CURLUPART_PATH, CURLU_URLDECODE);
    if ((host && *host != "localhost") || !path || path->find('\0') != std::string::npos)
        throw UserError(messages::pageFileFailure(url, messages::malformedAddress()));
    return path;
}

/// Reads the page a file: address names under the limits of a transfer: a regular file only
/// (a pipe or a device may never end, or never open), opened without blocking, at most
/// limits.maxBytes, within limits.transferTimeout.
FetchedPage readPageFile(const std::string& url, const std::string& path, const FetchLimits& limits,
                         const FetchControl& control) {
    const auto fail = [&](const std::string& cause) {
        throw UserError(messages::pageFileFailure(url, cause));
    };
    const auto started = std::chrono::steady_clock::now();
    // The name is checked before it is opened, so that opening a device has no effect on it.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        fail(systemErrorText(errno));
    if (!S_ISREG(status.st_mode))
        fail(messages::notARegularFile());
    struct OpenFile {
        int fd;
        ~OpenFile() { ::close(fd); }
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        fail(systemErrorText(errno));
    const OpenFile closing{fd};
    // The file may have been replaced since it was looked at.
    if (::fstat(fd, &status) != 0)
        fail(systemErrorText(errno));
    if (!S_ISREG(status.st_mode))
        fail(messages::notARegularFile());
    if (static_cast<std::uint64_t>(status.st_size) > limits.maxBytes)
        fail(messages::pageTooLarge(sizeText(limits.maxBytes)));

    FetchedPage page;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        if (control.cancelled())
            throw Cancelled(messages::pageReadCancelled(url));
        if (std::chrono::steady_clock::now() - started > limits.transferTimeout)
            fail(messages::pageFileTooSlow(secondsText(limits.transferTimeout)));
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail(systemErrorText(errno));
        if (got == 0)
            return page;
        if (page.body.size() + static_cast<std::size_t>(got) > limits.maxBytes)
            fail(messages::pageTooLarge(sizeText(limits.maxBytes)));
        page.body.append(buffer.data(), static_cast<std::size_t>(got));
        if (control.progress)
            control.progress({static_cast<std::int64_t>(page.body.size()),
                              static_cast<std::int64_t>(status.st_size)});
    }
}

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

FetchedPage fetchPage(const std::string& url, const FetchLimits& limits,
                      const FetchControl& control) {
    initialiseCurl();
    if (const auto path = filePath(url))
        return readPageFile(url, *path, limits, control);
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        throw UserError(messages::cannotReadPage(url, messages::networkUnavailable(), "curl"));
    Transfer transfer{limits, control, {}};
    char detail[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);
    // A worker thread must not get the alarm signal curl would otherwise use for timeouts.
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, limits.maxRedirects);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(limits.connectTimeout.count()));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.transferTimeout.count()));
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_ACCEPT_ENCODING, ""); // every compression curl can undo
    curl_easy_setopt(c, CURLOPT_USERAGENT, "yilou/1.0");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &receive);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &progressed);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(c);
    if (code == CURLE_ABORTED_BY_CALLBACK || control.cancelled())
        throw Cancelled(messages::pageReadCancelled(url));
    if (code != CURLE_OK)
        throw UserError(messages::cannotReadPage(url, causeOf(code, c, transfer),
                                                 detail[0] ? detail : curl_easy_strerror(code)));
    const char* contentType = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
        transfer.page.contentType = contentType;
    return std::move(transfer.page);
}

} // namespace yilou::history
