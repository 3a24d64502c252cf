// A small HTTP server on 127.0.0.1 for the tests of downloads: it listens on a free port,
// answers on a thread of its own with the files it was given, and misbehaves on demand.
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace bilvox::testing {

struct HttpReply {
  enum class Kind {
    Normal,       // the status, the body and, when set, a Location header
    NeverAnswer,  // reads the request and keeps the connection open without a word
    Endless,      // a 200 answer without a length whose body never ends
  };
  HttpReply(int status = 200, std::string body = {}, std::string location = {}, Kind kind = Kind::Normal)
      : status(status), body(std::move(body)), location(std::move(location)), kind(kind) {}
  int status;
  std::string body, location;
  Kind kind;
};

class TestHttpServer {
 public:
  TestHttpServer();
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  // "http://127.0.0.1:PORT"
  std::string Url() const;
  // The answer for a path; a path not given is answered with 404.
  void Serve(const std::string& path, HttpReply reply);
  void Serve(const std::string& path, std::string body) { Serve(path, HttpReply(200, std::move(body))); }
  // The paths asked for, in order, and the header lines of the last request.
  std::vector<std::string> Paths() const;
  std::string LastHeaders() const;

 private:
  void Run();
  void Answer(int client);

  int listener_ = -1;
  int wake_[2] = {-1, -1};
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::map<std::string, HttpReply> replies_;
  std::vector<std::string> paths_;
  std::string lastHeaders_;
  std::vector<int> held_;  // connections that are never answered
  std::thread thread_;
};

}  // namespace bilvox::testing
