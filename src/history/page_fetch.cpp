#include "history/page_fetch.h"

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
    return text + " 秒";
}

/// "20 MB", "64 KB", "1000 字节".
std::string sizeText(std::size_t bytes) {
    if (bytes % (1024 * 1024) == 0)
        return std::to_string(bytes / (1024 * 1024)) + " MB";
    if (bytes % 1024 == 0)
        return std::to_string(bytes / 1024) + " KB";
    return std::to_string(bytes) + " 字节";
}

std::string causeOf(CURLcode code, CURL* curl, const Transfer& transfer) {
    const FetchLimits& limits = transfer.limits;
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
        return "不支持这种地址，只能读取 http、https 或 file 地址";
    case CURLE_URL_MALFORMAT:
        return "地址的格式不正确";
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "找不到这个服务器（域名无法解析），请检查地址和网络连接";
    case CURLE_COULDNT_CONNECT:
        return "无法连接到服务器（连接被拒绝或网络不通）";
    case CURLE_OPERATION_TIMEDOUT:
        return "服务器没有及时响应（连接限时 " + secondsText(limits.connectTimeout) +
               "，整个读取限时 " + secondsText(limits.transferTimeout) + "）";
    case CURLE_TOO_MANY_REDIRECTS:
        return "页面重定向超过 " + std::to_string(limits.maxRedirects) + " 次";
    case CURLE_HTTP_RETURNED_ERROR: {
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        return "服务器返回错误 HTTP " + std::to_string(status);
    }
    case CURLE_FILESIZE_EXCEEDED:
        return "页面超过 " + sizeText(limits.maxBytes) + " 的上限";
    case CURLE_WRITE_ERROR:
        return transfer.tooLarge ? "页面超过 " + sizeText(limits.maxBytes) + " 的上限"
                                 : "无法保存收到的数据";
    case CURLE_FILE_COULDNT_READ_FILE:
        return "文件不存在或无法读取";
    case CURLE_GOT_NOTHING:
        return "服务器没有返回任何内容";
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
        return "无法建立安全连接（HTTPS 证书无效或无法验证）";
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return "传输中断";
    default:
        return "网络读取失败";
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
        throw UserError("无法读取历史号码页面 " + url + "：网络组件无法启动。");
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
        throw Cancelled("已取消读取历史号码页面 " + url + "。");
    if (code != CURLE_OK) {
        std::string message =
            "无法读取历史号码页面 " + url + "：" + causeOf(code, c, transfer) + "。";
        const std::string diagnosis = detail[0] ? detail : curl_easy_strerror(code);
        throw UserError(message + "（" + diagnosis + "）");
    }
    const char* contentType = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
        transfer.page.contentType = contentType;
    return std::move(transfer.page);
}

} // namespace yilou::history
