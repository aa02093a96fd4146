// Helpers of the network tests; see net_support.h.
#include "net_support.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

#include "net/async_event.h"

bool PumpUntil(const std::function<bool()> &done, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    vex_asyncevent_UpdateAsyncEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

Listener::Listener() {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address);
  listen(fd_, 16);
  socklen_t size = sizeof address;
  getsockname(fd_, reinterpret_cast<sockaddr *>(&address), &size);
  port_ = ntohs(address.sin_port);
}

Listener::~Listener() { close(fd_); }

int Listener::Accept() {
  pollfd p{fd_, POLLIN, 0};
  if (poll(&p, 1, 5000) != 1) return -1;
  int fd = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  int on = 1; // each reply chunk leaves as its own segment
  if (fd != -1) setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  return fd;
}

ScriptedServer::ScriptedServer(std::vector<std::string> chunks, int pauseMs) {
  thread_ = std::thread([this, chunks, pauseMs] {
    int fd = listener_.Accept();
    if (fd == -1) return;
    char block[4096];
    pollfd p{fd, POLLIN, 0};
    while (request_.find("\r\n\r\n") == std::string::npos && poll(&p, 1, 5000) == 1) {
      ssize_t n = recv(fd, block, sizeof block, 0);
      if (n <= 0) break;
      request_.append(block, static_cast<size_t>(n));
    }
    for (size_t i = 0; i < chunks.size(); ++i) {
      if (i) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
      send(fd, chunks[i].data(), chunks[i].size(), MSG_NOSIGNAL);
    }
    close(fd);
  });
}

ScriptedServer::~ScriptedServer() { Request(); }

std::string ScriptedServer::Request() {
  if (thread_.joinable()) thread_.join();
  return request_;
}
