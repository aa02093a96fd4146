// The HTTP client against real peers on loopback: scripted servers that answer
// with exactly the bytes a case needs.
#include <gtest/gtest.h>

#include "net/http_request.h"
#include "net_support.h"

namespace {

// What the completion callback saw.
struct Completion : public c_IOnHttpRequestComplete {
  std::shared_ptr<c_HttpRequest> request = std::make_shared<c_HttpRequest>();
  int calls = 0, status = 0;
  String text;
  void p_OnHttpRequestComplete(c_HttpRequest *done) override {
    ++calls, status = done->p_Status(), text = done->p_ResponseText();
  }
};

// Sends a GET, as the game's greeting does, and pumps until it completes.
std::unique_ptr<Completion> Fetch(const String &url) {
  auto outcome = std::make_unique<Completion>();
  outcome->request->m_new2("GET", url, outcome.get());
  outcome->request->p_Send();
  PumpUntil([&] { return outcome->calls > 0; }, 10000);
  return outcome;
}

std::unique_ptr<Completion> FetchFrom(ScriptedServer &server, const std::string &path = "/") {
  return Fetch("http://127.0.0.1:" + String(server.Port()) + String(path.c_str()));
}

TEST(HttpRequest, SendsItsHeadFromTheUrlAndRefusesOneTooLongOrWithLineBreaks) {
  ScriptedServer server({"HTTP/1.0 200 OK\r\n\r\n"});
  EXPECT_EQ(FetchFrom(server, "/api/v1?a=1&b=2#top")->calls, 1);
  EXPECT_EQ(server.Request(), "GET /api/v1?a=1&b=2#top HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
  for (std::string path : {"/" + std::string(5000, 'p'), std::string("/a\r\nX-Admin: 1\r\n\r\nGET /b")}) {
    ScriptedServer unsent({"HTTP/1.0 200 OK\r\n\r\nshould not be read"});
    auto outcome = FetchFrom(unsent, path);
    EXPECT_EQ(outcome->calls, 1);
    EXPECT_EQ(outcome->status, -1);
    EXPECT_EQ(unsent.Request(), "");
  }
}

// Replies as a server sent them, in pieces with pauses between, and what the
// request makes of them: a status of -1 where no valid status line was read.
TEST(HttpRequest, RepliesOfEveryShapeEndInOneCallback) {
  struct Case {
    const char *why;
    std::vector<std::string> chunks;
    int status;
    std::u16string text;
    int pauseMs = 60;
  };
  const Case cases[] = {
      {"two-word status line", {"HTTP/1.0 200\r\n\r\nignored"}, -1, u""},
      {"head in pieces, one between CR and LF",
       {"HTT", "P/1.0 200 O", "K\r\nServer: x\r", "\n\r\nfirst,", "second,", "third", ",fourth"},
       200,
       u"first,second,third,fourth"},
      // A character split across receives turns its chunks into 8-bit text.
      {"split character", {"HTTP/1.0 200 OK\r\n\r\ncaf\xc3", "\xa9 ok"}, 200, u"caf\u00e9 ok", 150},
      {"whole character", {"HTTP/1.0 200 OK\r\n\r\n", "caf\xc3\xa9"}, 200, u"caf\u00e9"},
      {"closed at once", {}, -1, u""},
      {"closed after the head", {"HTTP/1.0 404 Not Found\r\n\r\n"}, 404, u""},
      {"head line past the read buffer",
       {"HTTP/1.0 200 OK\r\nX-Long: " + std::string(20000, 'a') + "\r\n\r\nbody"},
       -1,
       u""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.why);
    ScriptedServer server(c.chunks, c.pauseMs);
    auto outcome = FetchFrom(server);
    EXPECT_EQ(outcome->calls, 1);
    EXPECT_EQ(outcome->status, c.status);
    EXPECT_EQ(outcome->text.Units(), c.text);
  }
}

TEST(HttpRequest, ARefusedConnectionStillCallsBack) {
  int closed = Listener().Port(); // nothing listens there any more
  auto refused = Fetch("http://127.0.0.1:" + String(closed) + "/");
  EXPECT_EQ(refused->calls, 1);
  EXPECT_EQ(refused->status, -1);
}

} // namespace
