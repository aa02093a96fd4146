// URL parsing, and a bounded fuzz loop that the sanitizer build runs.
#include <gtest/gtest.h>

#include <random>

#include "net/url.h"

namespace {

c_Url Parse(const String &url) { return c_Url(url, "http", 80); }

TEST(Url, SplitsEveryPart) {
  c_Url url = Parse("https://game.example.org:8080/api/v1?a=1&b=2#top");
  EXPECT_EQ(url.p_Scheme(), String("https"));
  EXPECT_EQ(url.p_Domain(), String("game.example.org"));
  EXPECT_EQ(url.p_Port(), 8080);
  EXPECT_EQ(url.p_Path(), String("/api/v1"));
  EXPECT_EQ(url.p_Query(), String("a=1&b=2"));
  EXPECT_EQ(url.p_Fragment(), String("top"));
  EXPECT_EQ(url.p_FullPath(), String("/api/v1?a=1&b=2#top"));
}

TEST(Url, ABareHostTakesTheDefaults) {
  c_Url url = Parse("example.test");
  EXPECT_EQ(url.p_Scheme(), String("http"));
  EXPECT_EQ(url.p_Domain(), String("example.test"));
  EXPECT_EQ(url.p_Port(), 80);
  EXPECT_EQ(url.p_FullPath(), String("/"));
  // The scheme does not choose the port.
  EXPECT_EQ(Parse("https://secure.test").p_Port(), 80);
}

TEST(Url, UserInfoFillsNameAndPassword) {
  c_Url both = Parse("ftp://ann:se:cret@host.test:21/file");
  EXPECT_EQ(both.p_Username(), String("ann"));
  EXPECT_EQ(both.p_Password(), String("se:cret"));
  EXPECT_EQ(both.p_Domain(), String("host.test"));
  EXPECT_EQ(both.p_Port(), 21);
  EXPECT_EQ(both.p_FullPath(), String("/file"));
  c_Url nameOnly = Parse("bob@host.test");
  EXPECT_EQ(nameOnly.p_Username(), String("bob"));
  EXPECT_EQ(nameOnly.p_Password(), String());
  // An "@" in the query is not user info.
  c_Url inQuery = Parse("host.test/mail?to=a@b.test");
  EXPECT_EQ(inQuery.p_Username(), String());
  EXPECT_EQ(inQuery.p_Domain(), String("host.test"));
  EXPECT_EQ(inQuery.p_Query(), String("to=a@b.test"));
}

TEST(Url, QueryAndFragmentBoundaries) {
  c_Url late = Parse("host.test/page#part?notquery");
  EXPECT_EQ(late.p_Query(), String());
  EXPECT_EQ(late.p_Fragment(), String("part?notquery"));
  EXPECT_EQ(late.p_Path(), String("/page"));

  c_Url bare = Parse("host.test?x=1");
  EXPECT_EQ(bare.p_Domain(), String("host.test"));
  EXPECT_EQ(bare.p_FullPath(), String("/?x=1"));

  c_Url empty = Parse("host.test/p?#");
  EXPECT_EQ(empty.p_FullPath(), String("/p"));

  // "://" or ":" after the end of the address part belong to the query.
  c_Url schemeInQuery = Parse("host.test/r?next=http://other.test:99/");
  EXPECT_EQ(schemeInQuery.p_Scheme(), String("http"));
  EXPECT_EQ(schemeInQuery.p_Domain(), String("host.test"));
  EXPECT_EQ(schemeInQuery.p_Port(), 80);
  EXPECT_EQ(schemeInQuery.p_Query(), String("next=http://other.test:99/"));
}

TEST(Url, PortsReadLikeAtoi) {
  EXPECT_EQ(Parse("h.test:").p_Port(), 0);
  EXPECT_EQ(Parse("h.test:12ab/x").p_Port(), 12);
  EXPECT_EQ(Parse("h.test:12ab/x").p_Path(), String("/x"));
  EXPECT_EQ(Parse("h.test:  77").p_Port(), 77);
  // Only the first 63 characters count.
  EXPECT_EQ(Parse("h.test:" + String(std::u16string(62, u'0')) + "12").p_Port(), 1);
  // A ":" after the first "/" is part of the path.
  c_Url inPath = Parse("h.test/a:b");
  EXPECT_EQ(inPath.p_Port(), 80);
  EXPECT_EQ(inPath.p_Path(), String("/a:b"));
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
