#include "cli/fetch_command.h"

#include <curl/curl.h>

#include <memory>
#include <optional>
#include <variant>

#include <nlohmann/json.hpp>

namespace vantoli::cli {

namespace {

constexpr long TimeoutMs = 10'000;
constexpr std::size_t MaxAnswerBytes = 4 * 1024 * 1024;
constexpr int MaxRedirects = 5;

struct Answer {
    long status = 0;
    std::string body;
};

enum class Failure { NoConnection, TimedOut, TooLarge, OtherHost };

const char* failureName(Failure failure)
{
    switch (failure) {
    case Failure::NoConnection: return "no-connection";
    case Failure::TimedOut: return "timed-out";
    case Failure::TooLarge: return "too-large";
    case Failure::OtherHost: return "other-host";
    }
    return "no-connection";
}

std::size_t keep(char* data, std::size_t size, std::size_t count, void* answer)
{
    std::string& body = static_cast<Answer*>(answer)->body;
    const std::size_t bytes = size * count;
    if (body.size() + bytes > MaxAnswerBytes) return 0;  // ends the transfer as a write error
    body.append(data, bytes);
    return bytes;
}

// Scheme, host and port, the port its scheme's own when the address names none.
std::optional<std::string> serviceOf(const std::string& url)
{
    const std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> parsed(curl_url(), &curl_url_cleanup);
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) return std::nullopt;
    std::string service;
    for (const CURLUPart part : {CURLUPART_SCHEME, CURLUPART_HOST, CURLUPART_PORT}) {
        char* text = nullptr;
        if (curl_url_get(parsed.get(), part, &text, CURLU_DEFAULT_PORT) != CURLUE_OK) return std::nullopt;
        service += text;
        service += '\n';
        curl_free(text);
    }
    return service;
}

std::variant<Answer, Failure> fetch(std::string url)
{
    const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) return Failure::NoConnection;
    const std::optional<std::string> service = serviceOf(url);
    if (!service) return Failure::NoConnection;
    const std::string userAgent = "Vantoli/" VANTOLI_VERSION " ( https://vantoli.example.org/ )";
    const std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>
        headers(curl_slist_append(nullptr, "Accept: application/json"), &curl_slist_free_all);
    Answer answer;
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, TimeoutMs);  // redirects included: one deadline
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(MaxAnswerBytes));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, keep);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &answer);
    for (int redirects = 0;; ++redirects) {
        answer.body.clear();
        curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
        const CURLcode result = curl_easy_perform(handle);
        if (result == CURLE_OPERATION_TIMEDOUT) return Failure::TimedOut;
        if (result == CURLE_FILESIZE_EXCEEDED || result == CURLE_WRITE_ERROR) return Failure::TooLarge;
        if (result != CURLE_OK) return Failure::NoConnection;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &answer.status);
        char* location = nullptr;
        curl_easy_getinfo(handle, CURLINFO_REDIRECT_URL, &location);
        if (answer.status < 300 || answer.status >= 400 || !location) return answer;
        // Followed by hand, so that each step is checked before it is taken.
        if (serviceOf(location) != service) return Failure::OtherHost;
        if (redirects == MaxRedirects) return Failure::NoConnection;
        url = location;
    }
}

}  // namespace

int fetchAnswer(const std::string& url, std::FILE* out)
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
    const std::variant<Answer, Failure> fetched = fetch(url);
    curl_global_cleanup();
    std::string text;
    if (const auto* answer = std::get_if<Answer>(&fetched))
        text = nlohmann::json{{"status", answer->status}}.dump() + "\n" + answer->body;
    else
        text = nlohmann::json{{"failure", failureName(std::get<Failure>(fetched))}}.dump() + "\n";
    return std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0 ? 0 : 2;
}

}  // namespace vantoli::cli
