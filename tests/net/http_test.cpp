// The HTTP client against real peers on loopback: Python's http.server and
// scripted servers that answer with exactly the bytes a case needs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "net/http_head.h"
#include "net/http_request.h"
#include "net/url.h"
#include "net_support.h"

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
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("tilemarch-http-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string small = "Nonogram caf\xc3\xa9 8x8\n";
  std::string large;
  for (int i = 0; large.size() < 200000; ++i) large += "row " + std::to_string(i) + " ##..##..\n";
  std::ofstream(dir / "small.txt", std::ios::binary) << small;
  std::ofstream(dir / "large.txt", std::ios::binary) << large;

  ChildProcess server({"python3", "-u", "-m", "http.server", "--bind", "127.0.0.1", "0"}, dir.string());
  std::string banner = server.ReadLine();
  size_t at = banner.find(" port ");
  ASSERT_NE(at, std::string::npos) << banner;
  String base = "http://127.0.0.1:" + String(std::atoi(banner.c_str() + at + 6));

  auto first = Fetch(base + "/small.txt");
  EXPECT_EQ(first->completion.calls, 1);
  EXPECT_EQ(first->completion.status, 200);
  EXPECT_EQ(first->completion.text, String::FromUtf8(small));

  auto second = Fetch(base + "/large.txt");
  EXPECT_EQ(second->completion.status, 200);
  EXPECT_EQ(second->request->p_BytesReceived(), static_cast<int>(large.size()));
  EXPECT_EQ(second->completion.text, String(large.c_str()));

  auto missing = Fetch(base + "/missing.txt");
  EXPECT_EQ(missing->completion.status, 404);
  std::filesystem::remove_all(dir);
}

TEST(HttpRequest, AcceptsALowerCaseStatusLineAndRefusesTwoWords) {
  ScriptedServer lower({"http/1.1 201 created\r\n\r\nmade"});
  auto accepted = FetchFrom(lower);
  EXPECT_EQ(accepted->completion.status, 201);
  EXPECT_EQ(accepted->completion.text, String("made"));

  ScriptedServer twoWords({"HTTP/1.0 200\r\n\r\nignored"});
  auto refused = FetchFrom(twoWords);
  EXPECT_EQ(refused->completion.calls, 1);
  EXPECT_EQ(refused->completion.status, -1);
  EXPECT_EQ(refused->completion.text, String());

  ScriptedServer blankFirst({"\r\nHTTP/1.0 200 OK\r\n\r\nignored"});
  EXPECT_EQ(FetchFrom(blankFirst)->completion.status, -1);
}

TEST(HttpRequest, KeepsBodyBytesThatCameWithTheHeadAndJoinsLaterOnes) {
  ScriptedServer together({"HTTP/1.0 200 OK\r\nServer: test\r\nX-A: b\r\n\r\nhello"});
  auto one = FetchFrom(together);
  EXPECT_EQ(one->completion.status, 200);
  EXPECT_EQ(one->completion.text, String("hello"));

  // The head itself arrives in pieces, one of them ending between CR and LF.
  ScriptedServer pieces({"HTT", "P/1.0 200 O", "K\r\nServer: x\r", "\n\r\nfirst,", "second,", "third", ",fourth"});
  auto many = FetchFrom(pieces);
  EXPECT_EQ(many->completion.status, 200);
  EXPECT_EQ(many->completion.text, String("first,second,third,fourth"));
  EXPECT_EQ(many->request->p_BytesReceived(), 25);
}

TEST(HttpRequest, ACharacterSplitAcrossReceivesTurnsItsChunksIntoEightBitText) {
  ScriptedServer split({"HTTP/1.0 200 OK\r\n\r\ncaf\xc3", "\xa9 ok"}, 150);
  auto outcome = FetchFrom(split);
  EXPECT_EQ(outcome->completion.status, 200);
  EXPECT_EQ(outcome->completion.text, Units(u"caf\u00c3\u00a9 ok"));

  ScriptedServer whole({"HTTP/1.0 200 OK\r\n\r\n", "caf\xc3\xa9"});
  EXPECT_EQ(FetchFrom(whole)->completion.text, Units(u"caf\u00e9"));
}

TEST(HttpRequest, AnEarlyCloseEndsTheRequestWithWhatWasRead) {
  ScriptedServer silent({});
  auto nothing = FetchFrom(silent);
  EXPECT_EQ(nothing->completion.calls, 1);
  EXPECT_EQ(nothing->completion.status, -1);

  ScriptedServer midHead({"HTTP/1.0 200 OK\r\nServer: x\r\n"});
  auto cut = FetchFrom(midHead);
  EXPECT_EQ(cut->completion.status, -1);
  EXPECT_EQ(cut->completion.text, String());

  ScriptedServer afterHead({"HTTP/1.0 404 Not Found\r\n\r\n"});
  auto empty = FetchFrom(afterHead);
  EXPECT_EQ(empty->completion.status, 404);
  EXPECT_EQ(empty->completion.text, String());
}

TEST(HttpRequest, AFailedReceiveEndsTheRequestWithTheStatusReadSoFar) {
  ScriptedServer reset({"HTTP/1.0 200 OK\r\n\r\n", "partial"}, 60, true);
  auto outcome = FetchFrom(reset);
  EXPECT_EQ(outcome->completion.calls, 1);
  EXPECT_EQ(outcome->completion.status, 200);
  EXPECT_EQ(outcome->completion.text, String("partial"));
}

TEST(HttpRequest, AHeadLineLongerThanTheReadBufferEndsTheRequest) {
  std::string longLine = "HTTP/1.0 200 OK\r\nX-Long: " + std::string(20000, 'a') + "\r\n\r\nbody";
  ScriptedServer server({longLine});
  auto outcome = FetchFrom(server);
  EXPECT_EQ(outcome->completion.calls, 1);
  EXPECT_EQ(outcome->completion.status, -1);
  EXPECT_EQ(outcome->completion.text, String());
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
