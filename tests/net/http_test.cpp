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

// Sends a GET (or a POST of body) and pumps until it completes.
std::unique_ptr<Completion> Fetch(const String &url, const String *body = nullptr, int timeoutMs = 10000) {
  auto outcome = std::make_unique<Completion>();
  outcome->request->m_new2(body ? "POST" : "GET", url, outcome.get());
  if (body)
    outcome->request->p_Send2(*body, "text/plain; charset=utf-8", "utf8");
  else
    outcome->request->p_Send();
  PumpUntil([&] { return outcome->calls > 0; }, timeoutMs);
  return outcome;
}

std::unique_ptr<Completion> FetchFrom(ScriptedServer &server, const std::string &path = "/") {
  return Fetch("http://127.0.0.1:" + String(server.Port()) + String(path.c_str()));
}

TEST(HttpRequest, SendsItsHeadFromTheUrlAndRefusesOneTooLongOrWithLineBreaks) {
  ScriptedServer server({"HTTP/1.0 200 OK\r\n\r\n"});
  EXPECT_EQ(FetchFrom(server, "/api/v1?a=1&b=2#top")->calls, 1);
  EXPECT_EQ(server.Request(), "GET /api/v1?a=1&b=2#top HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
  ScriptedServer bare({"HTTP/1.0 204 No Content\r\n\r\n"});
  EXPECT_EQ(Fetch("ann:secret@127.0.0.1:" + String(bare.Port()))->status, 204);
  EXPECT_EQ(bare.Request(), "GET / HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
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
      {"lower case status line", {"http/1.1 201 created\r\n\r\nmade"}, 201, u"made"},
      {"two-word status line", {"HTTP/1.0 200\r\n\r\nignored"}, -1, u""},
      {"not HTTP", {"ICY 200 OK\r\n\r\nignored"}, -1, u""},
      {"double space: an empty status word", {"HTTP/1.0  200 OK\r\n\r\nx"}, 0, u"x"},
      {"blank first line", {"\r\nHTTP/1.0 200 OK\r\n\r\nignored"}, -1, u""},
      {"body with the head", {"HTTP/1.0 200 OK\r\nServer: test\r\nX-A: b\r\n\r\nhello"}, 200, u"hello"},
      {"head in pieces, one between CR and LF",
       {"HTT", "P/1.0 200 O", "K\r\nServer: x\r", "\n\r\nfirst,", "second,", "third", ",fourth"},
       200,
       u"first,second,third,fourth"},
      // A character split across receives turns its chunks into 8-bit text.
      {"split character", {"HTTP/1.0 200 OK\r\n\r\ncaf\xc3", "\xa9 ok"}, 200, u"caf\u00c3\u00a9 ok", 150},
      {"whole character", {"HTTP/1.0 200 OK\r\n\r\n", "caf\xc3\xa9"}, 200, u"caf\u00e9"},
      {"closed at once", {}, -1, u""},
      {"closed inside the head", {"HTTP/1.0 200 OK\r\nServer: x\r\n"}, -1, u""},
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
  std::string large; // many receives into the same buffer
  for (int i = 0; large.size() < 200000; ++i) large += "row " + std::to_string(i) + " ##..##..\n";
  ScriptedServer server({"HTTP/1.0 200 OK\r\n\r\n" + large});
  auto outcome = FetchFrom(server);
  EXPECT_EQ(outcome->request->p_BytesReceived(), static_cast<int>(large.size()));
  EXPECT_TRUE(outcome->text == String(large.c_str()));
}

TEST(HttpRequest, UnreachableServersStillCallBack) {
  auto refused = Fetch("http://127.0.0.1:" + String(ClosedPort()) + "/");
  EXPECT_EQ(refused->calls, 1);
  EXPECT_EQ(refused->status, -1);
  auto unresolved = Fetch("http://no-such-host.invalid/housecall", nullptr, 20000);
  EXPECT_EQ(unresolved->calls, 1);
  EXPECT_EQ(unresolved->status, -1);
}

TEST(HttpRequest, APostOfAMegabyteArrivesWhole) {
  std::u16string units;
  while (units.size() < (1u << 20)) units += u"tile \u00e9 \u20ac row\n";
  String body(units);
  std::string encoded = body.ToUtf8();
  ScriptedServer server({"HTTP/1.0 200 OK\r\n\r\nstored"});
  auto outcome = Fetch("http://127.0.0.1:" + String(server.Port()) + "/upload", &body);
  EXPECT_EQ(outcome->status, 200);
  EXPECT_EQ(outcome->text, String("stored"));
  EXPECT_TRUE(server.Request() == "POST /upload HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Type: text/plain; "
                                  "charset=utf-8\r\nContent-Length: " +
                                      std::to_string(encoded.size()) + "\r\n\r\n" + encoded);
}

TEST(HttpRequest, CallsBackOnceAndCanBeOpenedAgain) {
  ScriptedServer first({"HTTP/1.0 200 OK\r\n\r\none"}), second({"HTTP/1.0 500 Oops\r\n\r\ntwo"});
  auto done = FetchFrom(first);
  PumpFor(100);
  EXPECT_EQ(done->calls, 1);
  done->request->p_Open("GET", "127.0.0.1:" + String(second.Port()), done.get());
  EXPECT_EQ(done->request->p_Status(), -1);
  EXPECT_EQ(done->request->p_ResponseText(), String());
  done->request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return done->calls == 2; }));
  EXPECT_EQ(done->status, 500);
  EXPECT_EQ(done->text, String("two"));
}

} // namespace
