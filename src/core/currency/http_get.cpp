#include "currency/http_get.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace bilvox {

namespace {

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyFree {
  void operator()(CURL* e) const { curl_easy_cleanup(e); }
};
struct MultiFree {
  void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct ListFree {
  void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

// What the callbacks share with the transfer loop. Nothing may throw out of a callback: the
// library between it and us is C.
struct Transfer {
  std::string body;
  std::size_t limit = 0;
  bool tooLarge = false;
  const HttpProgressFn* progress = nullptr;
  std::stop_token stop;
  std::size_t reported = 0;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t n = size * count;
  if (n > t->limit - t->body.size()) {
    t->tooLarge = true;
    return 0;  // anything but n ends the transfer with an error
  }
  try {
    t->body.append(data, n);
  } catch (...) {
    return 0;
  }
  return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  if (t->stop.stop_requested()) return 1;  // ends the transfer
  if (t->progress && *t->progress && t->body.size() != t->reported) {
    t->reported = t->body.size();
    try {
      (*t->progress)(t->reported);
    } catch (...) {
    }
  }
  return 0;
}

}  // namespace

HttpGetResult HttpGet(const std::string& url, const HttpGetLimits& limits,
                      const HttpProgressFn& progress, std::stop_token stop) {
  InitCurlOnce();
  HttpGetResult result;
  if (stop.stop_requested()) {
    result.outcome = HttpGetResult::Outcome::Stopped;
    return result;
  }
  std::unique_ptr<CURL, EasyFree> easy(curl_easy_init());
  std::unique_ptr<CURLM, MultiFree> multi(curl_multi_init());
  std::unique_ptr<curl_slist, ListFree> headers(
      curl_slist_append(nullptr, "Accept: text/html, */*"));
  if (!easy || !multi || !headers) return result;

  Transfer t;
  t.limit = limits.maxBodyBytes;
  t.progress = &progress;
  t.stop = stop;

  CURL* e = easy.get();
  curl_easy_setopt(e, CURLOPT_URL, url.c_str());
  curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR,
                   limits.httpsRedirectsOnly ? "https" : "http,https");
  curl_easy_setopt(e, CURLOPT_PROXY, "");  // never a proxy, whatever the environment says
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeout.count()));
  curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.totalTimeout.count()));
  curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(e, CURLOPT_USERAGENT, "Mozilla/3.0 (compatible; Indy Library)");
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, &t);

  CURLM* m = multi.get();
  if (curl_multi_add_handle(m, e) != CURLM_OK) return result;
  bool done = false;
  CURLcode code = CURLE_OK;
  {
    // A stop request wakes the wait below at once instead of at its next timeout.
    std::stop_callback wake(stop, [m] { curl_multi_wakeup(m); });
    int running = 1;
    while (running && !stop.stop_requested()) {
      if (curl_multi_perform(m, &running) != CURLM_OK) break;
      if (running && curl_multi_poll(m, nullptr, 0, 1000, nullptr) != CURLM_OK) break;
    }
  }
  int queued = 0;
  while (CURLMsg* msg = curl_multi_info_read(m, &queued)) {
    if (msg->msg == CURLMSG_DONE) {
      done = true;
      code = msg->data.result;
    }
  }
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &result.status);
  curl_multi_remove_handle(m, e);

  if (stop.stop_requested()) {
    result.outcome = HttpGetResult::Outcome::Stopped;
  } else if (done && code == CURLE_OK && !t.tooLarge && result.status == 200) {
    result.outcome = HttpGetResult::Outcome::Ok;
    result.body = std::move(t.body);
  }
  return result;
}

}  // namespace bilvox
