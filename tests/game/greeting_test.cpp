// The greeting: off by default, and against a loopback server when switched on.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <tuple>
#include <utility>

#include "game/greeting.h"
#include "game_fixture.h"
#include "net/async_event.h"

namespace {

// A socket bound to a free loopback port, and the port.
std::pair<int, int> Bound() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
  return {fd, ntohs(address.sin_port)};
}

// Answers one request with a fixed reply, or gives up after two seconds.
class OneShotServer {
public:
  explicit OneShotServer(std::string reply) : reply_(std::move(reply)) {
    std::tie(listener_, port_) = Bound();
    listen(listener_, 1);
    thread_ = std::thread([this] { Serve(); });
  }
  ~OneShotServer() {
    thread_.join();
    close(listener_);
  }
  int Port() const { return port_; }
  const std::string &Request() const { return request_; }

private:
  void Serve() {
    pollfd wait{listener_, POLLIN, 0};
    if (poll(&wait, 1, 2000) <= 0) return;
    int client = accept(listener_, nullptr, nullptr);
    char buffer[1024];
    while (request_.find("\r\n\r\n") == std::string::npos) {
      pollfd in{client, POLLIN, 0};
      if (poll(&in, 1, 2000) <= 0) break;
      ssize_t n = recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      request_.append(buffer, static_cast<size_t>(n));
    }
    send(client, reply_.data(), reply_.size(), MSG_NOSIGNAL);
    close(client);
  }
  std::string reply_, request_;
  int listener_ = -1, port_ = 0;
  std::thread thread_;
};

// Pumps the asynchronous events until the greeting completes or time is up.
void PumpUntilDone(c_MyApp &app) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!app.m_httpDone && std::chrono::steady_clock::now() < end) {
    vex_asyncevent_UpdateAsyncEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

using Greeting = GameTest;

TEST_F(Greeting, OffByDefaultOpensNoSocket) {
  size_t sources = vex_asyncevent__sources.size();
  Create();
  EXPECT_EQ(app->m_httpRequest, nullptr);
  EXPECT_EQ(app->m_httpReply, String("N/A"));
  EXPECT_EQ(vex_asyncevent__sources.size(), sources);
  EXPECT_EQ(vex_Tilemarch_J_On_Able, 0);
}

TEST_F(Greeting, SwitchedOnGreetsTheServiceAndRecordsTheAnswer) {
  OneShotServer server("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nhello there");
  vex_Tilemarch_J_On_Allow = 1;
  vex_Tilemarch_GreetingUrl = "http://127.0.0.1:" + String(server.Port()) + "/housecall.php";
  testing::internal::CaptureStdout();
  Create();
  PumpUntilDone(*app);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("Requesting URL"), std::string::npos);
  EXPECT_NE(out.find("Http GET complete! 200"), std::string::npos) << out;
  EXPECT_EQ(app->m_httpReply, String("hello there"));
  EXPECT_EQ(vex_Tilemarch_J_On_Able, 1);
  EXPECT_EQ(app->m_state, 1) << "the game starts as usual";
  app.reset();
  EXPECT_EQ(server.Request().rfind("GET /housecall.php?hello=1&gameID=415 ", 0), 0u) << server.Request();
}

TEST_F(Greeting, NothingListeningLeavesTheGamePlaying) {
  // A port that was just free: bound, never listened on, let go.
  auto [unused, port] = Bound();
  close(unused);
  vex_Tilemarch_J_On_Allow = 1;
  vex_Tilemarch_GreetingUrl = "http://127.0.0.1:" + String(port) + "/housecall.php";
  testing::internal::CaptureStdout();
  Create();
  PumpUntilDone(*app);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(vex_Tilemarch_J_On_Able, 0);
  EXPECT_TRUE(app->m_httpReply.Empty() || app->m_httpReply == String("N/A"));
  FinishLoading();
  EXPECT_EQ(app->m_loadStep, 0) << "the loader runs to its end";
}

} // namespace
