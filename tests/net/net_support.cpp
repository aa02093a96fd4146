// Helpers of the network tests; see net_support.h.
#include "net_support.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "net/async_event.h"

namespace {

using Clock = std::chrono::steady_clock;

int MillisLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

bool WaitReadable(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, timeoutMs) == 1;
}

} // namespace

bool PumpUntil(const std::function<bool()> &done, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done() && Clock::now() < deadline) {
    vex_asyncevent_UpdateAsyncEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
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

int Listener::Accept(int timeoutMs) {
  if (!WaitReadable(fd_, timeoutMs)) return -1;
  int fd = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  if (fd != -1) {
    int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  }
  return fd;
}

std::string ReadRequest(int fd, int timeoutMs, size_t maxBytes) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string got;
  size_t wanted = std::string::npos;
  char block[65536];
  while (got.size() < maxBytes && (wanted == std::string::npos || got.size() < wanted)) {
    if (!WaitReadable(fd, MillisLeft(deadline))) break;
    ssize_t n = recv(fd, block, sizeof block, 0);
    if (n <= 0) break;
    got.append(block, static_cast<size_t>(n));
    size_t headEnd = got.find("\r\n\r\n");
    if (wanted == std::string::npos && headEnd != std::string::npos) {
      size_t length = 0;
      size_t at = got.find("Content-Length: ");
      if (at != std::string::npos && at < headEnd) length = std::strtoul(got.c_str() + at + 16, nullptr, 10);
      wanted = headEnd + 4 + length;
    }
  }
  return got;
}

ScriptedServer::ScriptedServer(std::vector<std::string> chunks, int pauseMs, bool reset)
    : chunks_(std::move(chunks)), pauseMs_(pauseMs), reset_(reset) {
  thread_ = std::thread([this] {
    int fd = listener_.Accept();
    if (fd == -1) return;
    request_ = ReadRequest(fd);
    for (size_t i = 0; i < chunks_.size(); ++i) {
      if (i) std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs_));
      send(fd, chunks_[i].data(), chunks_[i].size(), MSG_NOSIGNAL);
    }
    if (reset_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs_));
      linger abort{1, 0};
      setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }
    close(fd);
  });
}

ScriptedServer::~ScriptedServer() {
  if (thread_.joinable()) thread_.join();
}

std::string ScriptedServer::Request() {
  if (thread_.joinable()) thread_.join();
  return request_;
}

int ClosedPort() {
  Listener listener;
  return listener.Port();
}

namespace {

// The network tests run worker threads; death tests must start a fresh process.
class ThreadsafeDeathTests : public testing::Environment {
public:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

testing::Environment *const threadsafeDeathTests = testing::AddGlobalTestEnvironment(new ThreadsafeDeathTests);

} // namespace
