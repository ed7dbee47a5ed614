#include "online/page_fetch.h"

#include "core/messages.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

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
    case CURLE_FILE_COULDNT_READ_FILE:
        return messages::pageFileNotReadable();
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

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

FetchedPage fetchPage(const std::string& url, const FetchLimits& limits,
                      const FetchControl& control) {
    initialiseCurl();
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
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https,file");
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
