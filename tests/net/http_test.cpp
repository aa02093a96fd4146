// The HTTP client against real peers on loopback: Python's http.server and
// scripted servers that answer with exactly the bytes a case needs.
#include <gtest/gtest.h>

#include <regex>

#include "net/http_head.h"
#include "net/http_request.h"
#include "net/url.h"
#include "net_support.h"
#include "support/program.h"

namespace {

class Completion : public c_IOnHttpRequestComplete {
public:
  int calls = 0;
  int status = 0;
  String text;
  void p_OnHttpRequestComplete(c_HttpRequest *request) override {
    ++calls;
    status = request->p_Status();
    text = request->p_ResponseText();
  }
};

struct Outcome {
  std::shared_ptr<c_HttpRequest> request = std::make_shared<c_HttpRequest>();
  Completion completion;
};

// Sends a GET (or a POST of body) and pumps until it completes.
std::unique_ptr<Outcome> Fetch(const String &url, const String *body = nullptr, int timeoutMs = 10000) {
  auto outcome = std::make_unique<Outcome>();
  outcome->request->m_new2(body ? "POST" : "GET", url, &outcome->completion);
  if (body) {
    outcome->request->p_Send2(*body, "text/plain; charset=utf-8", "utf8");
  } else {
    outcome->request->p_Send();
  }
  PumpUntil([&] { return outcome->completion.calls > 0; }, timeoutMs);
  return outcome;
}

std::unique_ptr<Outcome> FetchFrom(ScriptedServer &server, const std::string &path = "/") {
  return Fetch("http://127.0.0.1:" + String(server.Port()) + String(path.c_str()));
}

String Units(std::u16string units) { return String(std::move(units)); }

TEST(HttpStatusLine, NeedsThreeWordsAndAnHttpVersion) {
  int status = -7;
  EXPECT_TRUE(vexHttpParseStatusLine("http/1.1 404 not found", status));
  EXPECT_EQ(status, 404);
  // Split at single spaces, a double space makes an empty status word.
  EXPECT_TRUE(vexHttpParseStatusLine("HTTP/1.0  200 OK", status));
  EXPECT_EQ(status, 0);
  status = -7;
  EXPECT_FALSE(vexHttpParseStatusLine("ICY 200 OK", status));
  EXPECT_FALSE(vexHttpParseStatusLine("", status));
  EXPECT_EQ(status, -7);
}

TEST(HttpRequest, BuildsTheRequestHeadFromTheUrl) {
  ScriptedServer server({"HTTP/1.0 200 OK\r\n\r\n"});
  auto outcome = FetchFrom(server, "/api/v1?a=1&b=2#top");
  EXPECT_EQ(outcome->completion.calls, 1);
  EXPECT_EQ(server.Request(), "GET /api/v1?a=1&b=2#top HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");

  ScriptedServer bare({"HTTP/1.0 204 No Content\r\n\r\n"});
  auto user = Fetch("ann:secret@127.0.0.1:" + String(bare.Port()));
  EXPECT_EQ(user->completion.status, 204);
  EXPECT_EQ(bare.Request(), "GET / HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST(HttpRequest, ReadsStatusAndBodyFromPythonsServer) {
  TempDir dir;
  std::string small = "Nonogram caf\xc3\xa9 8x8\n", large;
  for (int i = 0; large.size() < 200000; ++i) large += "row " + std::to_string(i) + " ##..##..\n";
  WriteFile(dir / "small.txt", small);
  WriteFile(dir / "large.txt", large);
  Program server(Shell("command -v python3"),
                 {dir.Path(), {"-u", "-m", "http.server", "--bind", "127.0.0.1", "0"}, {}});
  std::smatch port;
  std::regex banner(" port (\\d+)");
  ASSERT_TRUE(server.WaitForOutput(banner)) << server.Output();
  std::string out = server.Output();
  ASSERT_TRUE(std::regex_search(out, port, banner));
  String base = String::FromUtf8("http://127.0.0.1:" + port[1].str());

  auto first = Fetch(base + "/small.txt");
  EXPECT_EQ(first->completion.calls, 1);
  EXPECT_EQ(first->completion.status, 200);
  EXPECT_EQ(first->completion.text, String::FromUtf8(small));
  auto second = Fetch(base + "/large.txt");
  EXPECT_EQ(second->completion.status, 200);
  EXPECT_EQ(second->request->p_BytesReceived(), static_cast<int>(large.size()));
  EXPECT_EQ(second->completion.text, String(large.c_str()));
  EXPECT_EQ(Fetch(base + "/missing.txt")->completion.status, 404);
}

// Replies as a server sent them, in pieces with pauses between, and what the
// request makes of them: a status of -1 where no valid status line was read.
TEST(HttpRequest, RepliesOfEveryShapeEndInOneCallback) {
  struct Case {
    const char *why;
    std::vector<std::string> chunks;
    int status;
    String text;
    int pauseMs = 60;
    bool reset = false;
  };
  const Case cases[] = {
      {"lower case status line", {"http/1.1 201 created\r\n\r\nmade"}, 201, "made"},
      {"two-word status line", {"HTTP/1.0 200\r\n\r\nignored"}, -1, ""},
      {"blank first line", {"\r\nHTTP/1.0 200 OK\r\n\r\nignored"}, -1, ""},
      {"body with the head", {"HTTP/1.0 200 OK\r\nServer: test\r\nX-A: b\r\n\r\nhello"}, 200, "hello"},
      {"head in pieces, one between CR and LF",
       {"HTT", "P/1.0 200 O", "K\r\nServer: x\r", "\n\r\nfirst,", "second,", "third", ",fourth"},
       200,
       "first,second,third,fourth"},
      // A character split across receives turns its chunks into 8-bit text.
      {"split character", {"HTTP/1.0 200 OK\r\n\r\ncaf\xc3", "\xa9 ok"}, 200, Units(u"caf\u00c3\u00a9 ok"), 150},
      {"whole character", {"HTTP/1.0 200 OK\r\n\r\n", "caf\xc3\xa9"}, 200, Units(u"caf\u00e9")},
      {"closed at once", {}, -1, ""},
      {"closed inside the head", {"HTTP/1.0 200 OK\r\nServer: x\r\n"}, -1, ""},
      {"closed after the head", {"HTTP/1.0 404 Not Found\r\n\r\n"}, 404, ""},
      {"reset after some body", {"HTTP/1.0 200 OK\r\n\r\n", "partial"}, 200, "partial", 60, true},
      {"head line past the read buffer",
       {"HTTP/1.0 200 OK\r\nX-Long: " + std::string(20000, 'a') + "\r\n\r\nbody"},
       -1,
       ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.why);
    ScriptedServer server(c.chunks, c.pauseMs, c.reset);
    auto outcome = FetchFrom(server);
    EXPECT_EQ(outcome->completion.calls, 1);
    EXPECT_EQ(outcome->completion.status, c.status);
    EXPECT_EQ(outcome->completion.text, c.text);
  }
  ScriptedServer pieces({"HTTP/1.0 200 OK\r\n\r\n", "first,", "second"});
  EXPECT_EQ(FetchFrom(pieces)->request->p_BytesReceived(), 12);
}

TEST(HttpRequest, UnreachableServersStillCallBack) {
  auto refused = Fetch("http://127.0.0.1:" + String(ClosedPort()) + "/");
  EXPECT_EQ(refused->completion.calls, 1);
  EXPECT_EQ(refused->completion.status, -1);
  EXPECT_EQ(refused->completion.text, String());

  auto unresolved = Fetch("http://no-such-host.invalid/housecall", nullptr, 20000);
  EXPECT_EQ(unresolved->completion.calls, 1);
  EXPECT_EQ(unresolved->completion.status, -1);
}

TEST(HttpRequest, AHeadTooLongOrWithLineBreaksOfItsOwnIsNotSent) {
  ScriptedServer server({"HTTP/1.0 200 OK\r\n\r\nshould not be read"});
  auto outcome = FetchFrom(server, "/" + std::string(5000, 'p'));
  EXPECT_EQ(outcome->completion.calls, 1);
  EXPECT_EQ(outcome->completion.status, -1);
  EXPECT_EQ(server.Request(), "");

  ScriptedServer injected({"HTTP/1.0 200 OK\r\n\r\nshould not be read"});
  auto smuggled = FetchFrom(injected, "/a\r\nX-Admin: 1\r\n\r\nGET /b");
  EXPECT_EQ(smuggled->completion.status, -1);
  EXPECT_EQ(injected.Request(), "");
}

TEST(HttpRequest, APostOfAMegabyteArrivesWhole) {
  std::u16string units;
  while (units.size() < (1u << 20)) units += u"tile \u00e9 \u20ac row\n";
  String body(units);
  std::string encoded = body.ToUtf8();
  ScriptedServer server({"HTTP/1.0 200 OK\r\n\r\nstored"});
  auto outcome = Fetch("http://127.0.0.1:" + String(server.Port()) + "/upload", &body);
  EXPECT_EQ(outcome->completion.status, 200);
  EXPECT_EQ(outcome->completion.text, String("stored"));
  std::string request = server.Request();
  std::string head = "POST /upload HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Type: text/plain; charset=utf-8\r\n"
                     "Content-Length: " +
                     std::to_string(encoded.size()) + "\r\n\r\n";
  ASSERT_EQ(request.size(), head.size() + encoded.size());
  EXPECT_EQ(request.substr(0, head.size()), head);
  EXPECT_TRUE(request.compare(head.size(), std::string::npos, encoded) == 0);
}

TEST(HttpRequest, CallsBackOnceAndCanBeOpenedAgain) {
  ScriptedServer first({"HTTP/1.0 200 OK\r\n\r\none"});
  Completion completion;
  auto request = std::make_shared<c_HttpRequest>();
  request->m_new2("GET", "127.0.0.1:" + String(first.Port()), &completion);
  request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return completion.calls == 1; }));
  PumpFor(100);
  EXPECT_EQ(completion.calls, 1);
  EXPECT_EQ(completion.text, String("one"));

  ScriptedServer second({"HTTP/1.0 500 Oops\r\n\r\ntwo"});
  request->p_Open("GET", "127.0.0.1:" + String(second.Port()), &completion);
  EXPECT_EQ(request->p_Status(), -1);
  EXPECT_EQ(request->p_ResponseText(), String());
  request->p_Send();
  ASSERT_TRUE(PumpUntil([&] { return completion.calls == 2; }));
  EXPECT_EQ(completion.status, 500);
  EXPECT_EQ(completion.text, String("two"));
}

} // namespace
