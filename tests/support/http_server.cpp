#include "support/http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace bilvox::testing {

TestHttpServer::TestHttpServer() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
      pipe2(wake_, O_CLOEXEC) != 0)
    throw std::runtime_error("the test HTTP server cannot listen");
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { Run(); });
}

TestHttpServer::~TestHttpServer() {
  stopping_ = true;
  (void)!write(wake_[1], "x", 1);
  thread_.join();
  for (int fd : held_) close(fd);
  close(listener_);
  close(wake_[0]);
  close(wake_[1]);
}

std::string TestHttpServer::Url() const { return "http://127.0.0.1:" + std::to_string(port_); }

void TestHttpServer::Serve(const std::string& path, HttpReply reply) {
  std::lock_guard lock(mutex_);
  replies_[path] = std::move(reply);
}

std::vector<std::string> TestHttpServer::Paths() const {
  std::lock_guard lock(mutex_);
  return paths_;
}

std::string TestHttpServer::LastHeaders() const {
  std::lock_guard lock(mutex_);
  return lastHeaders_;
}

void TestHttpServer::Run() {
  while (!stopping_) {
    pollfd fds[2] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN)) continue;
    const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client >= 0) Answer(client);
  }
}

namespace {

// Waits up to `ms` for the socket to become ready or fail; false when nothing happened.
bool Ready(int fd, short events, int ms) {
  pollfd p{fd, events, 0};
  return poll(&p, 1, ms) == 1;
}

bool SendAll(int fd, const std::string& data) {
  for (size_t at = 0; at < data.size();) {
    const ssize_t n = send(fd, data.data() + at, data.size() - at, MSG_NOSIGNAL);
    if (n <= 0) return false;
    at += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

void TestHttpServer::Answer(int client) {
  std::string request;
  char buf[4096];
  while (request.find("\r\n\r\n") == std::string::npos && Ready(client, POLLIN, 2000)) {
    const ssize_t n = recv(client, buf, sizeof buf, 0);
    if (n <= 0) break;
    request.append(buf, static_cast<size_t>(n));
  }
  // "GET /path HTTP/1.1"; a client that left before asking anything gets no answer.
  const size_t sp = request.find(' ');
  if (sp == std::string::npos || request.find("\r\n") == std::string::npos) {
    close(client);
    return;
  }
  const std::string path = request.substr(sp + 1, request.find(' ', sp + 1) - sp - 1);
  HttpReply reply(404, "not here");
  {
    std::lock_guard lock(mutex_);
    paths_.push_back(path);
    lastHeaders_ = request.substr(request.find("\r\n") + 2);
    if (auto it = replies_.find(path); it != replies_.end()) reply = it->second;
  }

  switch (reply.kind) {
    case HttpReply::Kind::NeverAnswer:
      held_.push_back(client);
      return;
    case HttpReply::Kind::Endless: {
      const std::string chunk(64 * 1024, 'x');
      if (SendAll(client, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"))
        while (!stopping_)
          if (Ready(client, POLLOUT, 100) && !SendAll(client, chunk)) break;
      break;
    }
    case HttpReply::Kind::Normal: {
      std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " Test\r\n";
      if (!reply.location.empty()) head += "Location: " + reply.location + "\r\n";
      head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
      SendAll(client, head + reply.body);
      break;
    }
  }
  shutdown(client, SHUT_WR);
  close(client);
}

}  // namespace bilvox::testing
