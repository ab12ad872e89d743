// HTTP fetches on libcurl: agent "Lorvexandrin", never from or into a cache,
// bounded in size and time. The body goes to a sink piece by piece, so that a
// download can be written to a file and its progress shown as it arrives.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace lx {

struct HttpOptions {
  long connectTimeoutMs = 15000;
  long totalTimeoutMs = 0;      // whole transfer; 0 for no limit (a stall still ends it)
  long stallTimeoutMs = 30000;  // no byte for this long ends the transfer
  std::uint64_t maxBytes = 0;   // 0 for no limit
};

struct HttpResult {
  bool initFailed = false;  // the HTTP library could not start a transfer
  bool opened = false;      // the server answered with a status line
  long status = 0;          // HTTP status code
  int error = 0;            // libcurl's code, 0 when the transfer completed
  std::string errorText;
  bool tooLarge = false;  // the body passed maxBytes; the transfer was stopped there
  std::uint64_t bytes = 0;
};

// Receives each piece of the body with the status; false stops the transfer.
using HttpSink = std::function<bool(long status, const char* data, size_t size)>;
// Bytes received so far and the announced total (-1 when not announced).
using HttpProgress = std::function<void(std::uint64_t loaded, std::int64_t total)>;

HttpResult HttpFetch(const std::string& url, const HttpOptions& options, const HttpSink& sink,
                     const HttpProgress& progress = {});

// The whole body in memory (at most maxBytes of it).
HttpResult HttpFetchText(const std::string& url, const HttpOptions& options, std::string& body);

// "http://host:8080/path" -> "host"; empty when the address has none.
std::string UrlHostName(const std::string& url);

// Folder address + path, with exactly one "/" between them.
std::string JoinUrl(const std::string& base, const std::string& path);

}  // namespace lx
