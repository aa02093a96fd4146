// URL parsing, and a bounded fuzz loop that the sanitizer build runs.
#include <gtest/gtest.h>

#include <random>

#include "net/url.h"

namespace {

c_Url Parse(const String &url) { return c_Url(url, "http", 80); }

TEST(Url, SplitsEveryPartAndFillsTheDefaults) {
  struct Case {
    const char *url, *scheme, *user, *password, *domain;
    int port;
    const char *path, *query, *fragment, *fullPath;
  };
  const Case cases[] = {
      {"https://game.example.org:8080/api/v1?a=1&b=2#top", "https", "", "", "game.example.org", 8080, "/api/v1",
       "a=1&b=2", "top", "/api/v1?a=1&b=2#top"},
      {"example.test", "http", "", "", "example.test", 80, "/", "", "", "/"},
      // The scheme does not choose the port.
      {"https://secure.test", "https", "", "", "secure.test", 80, "/", "", "", "/"},
      {"ftp://ann:se:cret@host.test:21/file", "ftp", "ann", "se:cret", "host.test", 21, "/file", "", "", "/file"},
      {"bob@host.test", "http", "bob", "", "host.test", 80, "/", "", "", "/"},
      // An "@" in the query is not user info.
      {"host.test/mail?to=a@b.test", "http", "", "", "host.test", 80, "/mail", "to=a@b.test", "", "/mail?to=a@b.test"},
      {"host.test/page#part?notquery", "http", "", "", "host.test", 80, "/page", "", "part?notquery",
       "/page#part?notquery"},
      {"host.test?x=1", "http", "", "", "host.test", 80, "/", "x=1", "", "/?x=1"},
      {"host.test/p?#", "http", "", "", "host.test", 80, "/p", "", "", "/p"},
      // "://" or ":" after the end of the address part belong to the query.
      {"host.test/r?next=http://other.test:99/", "http", "", "", "host.test", 80, "/r", "next=http://other.test:99/",
       "", "/r?next=http://other.test:99/"},
      // Ports read like atoi; a ":" after the first "/" is part of the path.
      {"h.test:", "http", "", "", "h.test", 0, "/", "", "", "/"},
      {"h.test:12ab/x", "http", "", "", "h.test", 12, "/x", "", "", "/x"},
      {"h.test:  77", "http", "", "", "h.test", 77, "/", "", "", "/"},
      {"h.test/a:b", "http", "", "", "h.test", 80, "/a:b", "", "", "/a:b"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.url);
    c_Url url = Parse(c.url);
    EXPECT_EQ(url.p_Scheme(), String(c.scheme));
    EXPECT_EQ(url.p_Username(), String(c.user));
    EXPECT_EQ(url.p_Password(), String(c.password));
    EXPECT_EQ(url.p_Domain(), String(c.domain));
    EXPECT_EQ(url.p_Port(), c.port);
    EXPECT_EQ(url.p_Path(), String(c.path));
    EXPECT_EQ(url.p_Query(), String(c.query));
    EXPECT_EQ(url.p_Fragment(), String(c.fragment));
    EXPECT_EQ(url.p_FullPath(), String(c.fullPath));
  }
  // Only the first 63 characters of a port count.
  EXPECT_EQ(Parse("h.test:" + String(std::u16string(62, u'0')) + "12").p_Port(), 1);
}

TEST(Url, SetResetsEveryPart) {
  c_Url url = Parse("https://u:p@h.test:81/a?q#f");
  url.p_Set2("other.test");
  EXPECT_EQ(url.p_Scheme(), String("http"));
  EXPECT_EQ(url.p_Username(), String());
  EXPECT_EQ(url.p_Password(), String());
  EXPECT_EQ(url.p_Port(), 80);
  EXPECT_EQ(url.p_FullPath(), String("/"));
  EXPECT_EQ(url.p_Url(), String("other.test"));
}

// Random and mutated URLs: parsing must stay in bounds and keep its promises.
TEST(UrlFuzz, RandomAndMutatedUrlsParseWithinBounds) {
  std::mt19937 random(20261206);
  const std::u16string alphabet = u"htp:/?#@.:8a0 %\u00e9\u20ac\xd83d";
  const std::vector<std::u16string> seeds = {u"http://user:pw@host.test:8080/a/b?q=1#frag", u"h", u"://@:/?#",
                                             u"a@b:c/d?e#f?g", u"host:99999999999999999999/"};
  for (int round = 0; round < 20000; ++round) {
    std::u16string text;
    if (round % 2) {
      text = seeds[random() % seeds.size()];
      for (int edits = 1 + random() % 4; edits > 0 && !text.empty(); --edits) {
        size_t at = random() % text.size();
        switch (random() % 3) {
        case 0:
          text.erase(at, 1);
          break;
        case 1:
          text.insert(at, 1, alphabet[random() % alphabet.size()]);
          break;
        default:
          text[at] = alphabet[random() % alphabet.size()];
        }
      }
    } else {
      for (int n = random() % 40; n > 0; --n) text.push_back(alphabet[random() % alphabet.size()]);
    }
    c_Url url = Parse(String(text));
    ASSERT_TRUE(url.p_Path().StartsWith("/")) << round;
    String domain = url.p_Domain();
    ASSERT_TRUE(domain.Find("/") == -1 && domain.Find("?") == -1 && domain.Find("#") == -1) << round;
    ASSERT_EQ(url.p_Query().Find("#"), -1) << round;
    if (text.find(u'#') == std::u16string::npos) {
      ASSERT_TRUE(url.p_Fragment().Empty()) << round;
    }
  }
}

} // namespace
