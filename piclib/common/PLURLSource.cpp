#include "piclib/common/PLURLSource.h"

#include "piclib/common/PLTextException.h"

#include <climits>
#include <curl/curl.h>
#include <mutex>

namespace {

// One easy handle for the whole program, set up on first use and released at exit.
class SharedCurl {
public:
    SharedCurl()
    {
        curl_global_init(CURL_GLOBAL_ALL);
        handle = curl_easy_init();
    }
    ~SharedCurl()
    {
        if (handle)
            curl_easy_cleanup(handle);
        curl_global_cleanup();
    }
    CURL* handle;
    std::mutex lock;
};

SharedCurl& sharedCurl()
{
    static SharedCurl curl;
    return curl;
}

struct StatusEntry {
    long code;
    const char* text;
};

constexpr StatusEntry StatusTexts[] = {
    {400, "Bad Request"}, {401, "Unauthorized"}, {402, "Payment Required"}, {403, "Forbidden"},
    {404, "Not Found"}, {405, "Method Not Allowed"}, {406, "Not Acceptable"},
    {407, "Proxy Authentication Required"}, {408, "Request Time-out"}, {409, "Conflict"}, {410, "Gone"},
    {411, "Length Required"}, {412, "Precondition Failed"}, {413, "Request Entity Too Large"},
    {414, "Request-URI Too Large"}, {415, "Unsupported Media Type"}, {416, "Requested range not satisfiable"},
    {417, "Expectation Failed"}, {500, "Internal Server Error"}, {501, "Not Implemented"},
    {502, "Bad Gateway"}, {503, "Service Unavailable"}, {504, "Gateway Time-out"},
    {505, "HTTP Version not supported"},
};

} // namespace

PLURLSource::PLURLSource()
{
    m_Data.reserve(32786);
}

PLURLSource::~PLURLSource()
{
    if (IsOpen())
        Close();
}

const char* PLURLSource::StatusText(long status)
{
    for (const auto& entry : StatusTexts)
        if (entry.code == status)
            return entry.text;
    return "Unknown error";
}

// Called from libcurl: never throws; returning less than asked aborts the transfer.
size_t PLURLSource::receive(char* data, size_t size, size_t count, void* target)
{
    auto* self = static_cast<PLURLSource*>(target);
    const size_t bytes = size * count;
    if (bytes > static_cast<size_t>(INT_MAX) - self->m_Data.size())
        return 0;
    try {
        self->m_Data.append(data, bytes);
    } catch (...) {
        return 0;
    }
    return bytes;
}

int PLURLSource::OpenSource(const char* url)
{
    SharedCurl& curl = sharedCurl();
    std::lock_guard guard(curl.lock);
    if (!curl.handle) {
        m_LastError = CURLE_FAILED_INIT;
        m_ErrorText = curl_easy_strerror(CURLE_FAILED_INIT);
        return PL_ERRURL_SOURCE;
    }
    char errorBuffer[CURL_ERROR_SIZE] = "";
    m_Data.clear();
    curl_easy_reset(curl.handle);
    curl_easy_setopt(curl.handle, CURLOPT_URL, url);
    curl_easy_setopt(curl.handle, CURLOPT_NOPROGRESS, 1L);
    curl_easy_setopt(curl.handle, CURLOPT_WRITEFUNCTION, &PLURLSource::receive);
    curl_easy_setopt(curl.handle, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(curl.handle, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl.handle, CURLOPT_NOPROXY, "localhost,127.0.0.1");
    curl_easy_setopt(curl.handle, CURLOPT_CONNECTTIMEOUT, 30L);
    const CURLcode result = curl_easy_perform(curl.handle);
    curl_easy_setopt(curl.handle, CURLOPT_ERRORBUFFER, nullptr);
    if (result != CURLE_OK) {
        m_LastError = result;
        m_ErrorText = errorBuffer[0] ? errorBuffer : curl_easy_strerror(result);
        return PL_ERRURL_SOURCE;
    }
    long status = 0;
    curl_easy_getinfo(curl.handle, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) {
        m_LastError = static_cast<int>(status);
        m_ErrorText = StatusText(status);
        return PL_ERRURL_SOURCE;
    }
    SetBlock(reinterpret_cast<const uint8_t*>(m_Data.data()));
    Open(url, static_cast<int>(m_Data.size()));
    return 0;
}

void PLURLSource::Close()
{
    PLDataSource::Close();
    m_Data.clear();
}
