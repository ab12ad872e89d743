#include "online/http_fetch.h"

#include <curl/curl.h>

#include <mutex>

namespace lx {

namespace {

struct Transfer {
  CURL* curl = nullptr;
  const HttpOptions* options = nullptr;
  const HttpSink* sink = nullptr;
  const HttpProgress* progress = nullptr;
  HttpResult* result = nullptr;
  bool stoppedBySink = false;
};

size_t OnWrite(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  size_t length = size * count;
  long status = 0;
  curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &status);
  std::uint64_t max = t->options->maxBytes;
  size_t take = length;
  if (max > 0 && t->result->bytes + length > max) {
    take = static_cast<size_t>(max - t->result->bytes);
    t->result->tooLarge = true;
  }
  if (take > 0 && t->sink && *t->sink && !(*t->sink)(status, data, take)) {
    t->stoppedBySink = true;
    return 0;
  }
  t->result->bytes += take;
  if (t->progress && *t->progress) {
    curl_off_t total = -1;
    curl_easy_getinfo(t->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
    (*t->progress)(t->result->bytes, total);
  }
  return t->result->tooLarge ? 0 : length;
}

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpResult HttpFetch(const std::string& url, const HttpOptions& options, const HttpSink& sink,
                     const HttpProgress& progress) {
  GlobalInit();
  HttpResult result;
  CURL* curl = curl_easy_init();
  if (!curl) {
    result.initFailed = true;
    result.error = CURLE_FAILED_INIT;
    result.errorText = curl_easy_strerror(CURLE_FAILED_INIT);
    return result;
  }
  Transfer transfer{curl, &options, &sink, &progress, &result};
  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, "Cache-Control: no-cache");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Lorvexandrin");
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
  if (options.totalTimeoutMs > 0) curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options.totalTimeoutMs);
  // A server that stops sending ends the transfer: under one byte a second for the stall time.
  long stallSeconds = options.stallTimeoutMs > 0 ? (options.stallTimeoutMs + 999) / 1000 : 30;
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stallSeconds);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnWrite);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);

  CURLcode code = curl_easy_perform(curl);
  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  result.status = status;
  result.opened = status > 0;
  // Stopping at the size bound is our own doing, not a failed transfer.
  if (code == CURLE_WRITE_ERROR && result.tooLarge && !transfer.stoppedBySink) code = CURLE_OK;
  result.error = code;
  if (code != CURLE_OK) result.errorText = curl_easy_strerror(code);
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return result;
}

HttpResult HttpFetchText(const std::string& url, const HttpOptions& options, std::string& body) {
  body.clear();
  return HttpFetch(url, options, [&body](long, const char* data, size_t size) {
    body.append(data, size);
    return true;
  });
}

std::string UrlHostName(const std::string& url) {
  size_t start = url.find("://");
  start = start == std::string::npos ? 0 : start + 3;
  size_t end = url.find_first_of("/?#", start);
  std::string authority = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
  size_t at = authority.rfind('@');
  if (at != std::string::npos) authority = authority.substr(at + 1);
  if (!authority.empty() && authority[0] == '[') {
    size_t close = authority.find(']');
    return authority.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  size_t colon = authority.find(':');
  return authority.substr(0, colon);
}

std::string JoinUrl(const std::string& base, const std::string& path) {
  std::string b = base;
  while (!b.empty() && b.back() == '/') b.pop_back();
  size_t start = 0;
  while (start < path.size() && path[start] == '/') ++start;
  return b + "/" + path.substr(start);
}

}  // namespace lx
