#include "platform/sys/gteinet/InetDownload.h"

#include "platform/core/FilePath.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <unistd.h>

namespace {

struct Transfer {
    INET_PROGRESS progress = nullptr;
    void* context = nullptr;
    std::FILE* file = nullptr;
    curl_off_t received = 0;
    curl_off_t reported = -1;
    bool waiting = false;
    bool tooLarge = false;
    bool writeFailed = false;
};

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

int Report(Transfer& transfer, int kind, curl_off_t done, curl_off_t total)
{
    if (transfer.progress == nullptr)
        return 0;
    return transfer.progress(transfer.context, kind, static_cast<LONG>(done), static_cast<LONG>(total));
}

size_t WriteBody(char* data, size_t size, size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    size_t bytes = size * count;
    if (transfer.received + static_cast<curl_off_t>(bytes) > kInetMaxBytes) {
        transfer.tooLarge = true;
        return 0;
    }
    if (std::fwrite(data, 1, bytes, transfer.file) != bytes) {
        transfer.writeFailed = true;
        return 0;
    }
    transfer.received += static_cast<curl_off_t>(bytes);
    return bytes;
}

int ShowProgress(void* user, curl_off_t total, curl_off_t done, curl_off_t, curl_off_t)
{
    auto& transfer = *static_cast<Transfer*>(user);
    if (total > kInetMaxBytes) {
        transfer.tooLarge = true;
        return 1;
    }
    if (!transfer.waiting) {
        transfer.waiting = true;
        if (Report(transfer, INET_WAITING, 0, 0) != 0)
            return 1;
    }
    if (done == transfer.reported)
        return 0;
    transfer.reported = done;
    return Report(transfer, INET_RECEIVING, done, total) != 0 ? 1 : 0;
}

void SetOptions(CURL* curl, LPCSTR agent, LPCSTR address, Transfer& transfer)
{
    curl_easy_setopt(curl, CURLOPT_URL, address);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, agent != nullptr ? agent : "");
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kInetMaxBytes));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &WriteBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &ShowProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
}

int ResultOf(CURLcode code, const Transfer& transfer)
{
    if (code == CURLE_OK)
        return INET_OK;
    if (transfer.writeFailed)
        return INET_NO_FILE;
    if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED)
        return INET_FAILED;
    switch (code) {
    case CURLE_ABORTED_BY_CALLBACK:
        return INET_CANCELLED;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
        return INET_NO_CONNECTION;
    default:
        return INET_FAILED;
    }
}

int Download(CURL* curl, LPCSTR agent, LPCSTR address, const std::string& target, Transfer& transfer)
{
    std::string part = target + ".XXXXXX";
    int descriptor = mkstemp(part.data());
    transfer.file = descriptor < 0 ? nullptr : fdopen(descriptor, "wb");
    if (transfer.file == nullptr) {
        if (descriptor >= 0) {
            close(descriptor);
            std::remove(part.c_str());
        }
        return INET_NO_FILE;
    }
    SetOptions(curl, agent, address, transfer);
    int result = Report(transfer, INET_CONNECTING, 0, 0) != 0 ? INET_CANCELLED
                                                              : ResultOf(curl_easy_perform(curl), transfer);
    if (std::fclose(transfer.file) != 0 && result == INET_OK)
        result = INET_NO_FILE;
    if (result == INET_OK && std::rename(part.c_str(), target.c_str()) != 0)
        result = INET_NO_FILE;
    if (result != INET_OK)
        std::remove(part.c_str());
    return result;
}

} // namespace

int Inet_DownloadFile(
    LPCSTR agent, LPCSTR address, LPCSTR localFile, int, INET_PROGRESS progress, void* context)
{
    if (address == nullptr || *address == '\0')
        return INET_FAILED;
    if (localFile == nullptr || *localFile == '\0')
        return INET_NO_FILE;
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return INET_NO_SESSION;
    Transfer transfer;
    transfer.progress = progress;
    transfer.context = context;
    return Download(curl.get(), agent, address, SystemPathFromName(localFile), transfer);
}
