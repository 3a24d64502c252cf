// One HTTP GET with libcurl, as the rate download makes it: the program's two request
// headers, redirects followed, no proxy, connect and total timeouts, a bounded body, and a
// stop token that ends the transfer at once.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

namespace bilvox {

struct HttpGetLimits {
  std::chrono::milliseconds connectTimeout{10'000};
  std::chrono::milliseconds totalTimeout{30'000};
  std::size_t maxBodyBytes = 8u << 20;
  bool httpsRedirectsOnly = false;  // a redirect may not leave HTTPS
};

struct HttpGetResult {
  enum class Outcome { Ok, Failed, Stopped };
  Outcome outcome = Outcome::Failed;
  long status = 0;   // the last response's status code; 0 when none came
  std::string body;  // the body of a 200 answer
};

// Called on the transferring thread while the body arrives, with the bytes received so far.
using HttpProgressFn = std::function<void(std::uint64_t received)>;

// Fetches a URL. Ok only for a complete body answered with status 200; any other status, a
// transport error, a timeout or a body beyond the limit is Failed.
HttpGetResult HttpGet(const std::string& url, const HttpGetLimits& limits,
                      const HttpProgressFn& progress, std::stop_token stop);

}  // namespace bilvox
