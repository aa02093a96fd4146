// URL parsing: every part, the defaults, and what a later parse resets.
#include <gtest/gtest.h>

#include "net/url.h"

TEST(Url, SplitsEveryPartAndFillsTheDefaults) {
  struct Case {
    const char *url, *scheme, *user, *password, *domain;
    int port;
    const char *path, *query, *fragment;
  };
  const Case cases[] = {
      {"https://game.example.org:8080/api/v1?a=1&b=2#top", "https", "", "", "game.example.org", 8080, "/api/v1",
       "a=1&b=2", "top"},
      {"example.test", "http", "", "", "example.test", 80, "/", "", ""},
      {"https://secure.test", "https", "", "", "secure.test", 80, "/", "", ""}, // the scheme does not choose the port
      {"ftp://ann:se:cret@host.test:21/file", "ftp", "ann", "se:cret", "host.test", 21, "/file", "", ""},
      {"bob@host.test", "http", "bob", "", "host.test", 80, "/", "", ""},
      // "@", "://" and ":" after the address part belong to the query or path.
      {"host.test/mail?to=a@b.test", "http", "", "", "host.test", 80, "/mail", "to=a@b.test", ""},
      {"host.test/r?next=http://o.test:99/", "http", "", "", "host.test", 80, "/r", "next=http://o.test:99/", ""},
      {"h.test/a:b", "http", "", "", "h.test", 80, "/a:b", "", ""},
      {"host.test/page#part?notquery", "http", "", "", "host.test", 80, "/page", "", "part?notquery"},
      {"host.test?x=1", "http", "", "", "host.test", 80, "/", "x=1", ""},
      // Ports read like atoi.
      {"h.test:", "http", "", "", "h.test", 0, "/", "", ""},
      {"h.test:12ab/x", "http", "", "", "h.test", 12, "/x", "", ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.url);
    c_Url url(c.url, "http", 80);
    EXPECT_EQ(url.p_Scheme(), String(c.scheme));
    EXPECT_EQ(url.p_Username(), String(c.user));
    EXPECT_EQ(url.p_Password(), String(c.password));
    EXPECT_EQ(url.p_Domain(), String(c.domain));
    EXPECT_EQ(url.p_Port(), c.port);
    EXPECT_EQ(url.p_Path(), String(c.path));
    EXPECT_EQ(url.p_Query(), String(c.query));
    EXPECT_EQ(url.p_Fragment(), String(c.fragment));
  }
  // Only the first 63 characters of a port count.
  EXPECT_EQ(c_Url("h.test:" + String(std::u16string(62, u'0')) + "12", "http", 80).p_Port(), 1);
}

TEST(Url, ANewUrlResetsEveryPart) {
  c_Url url("https://u:p@h.test:81/a?q#f", "http", 80);
  EXPECT_EQ(url.p_FullPath(), String("/a?q#f"));
  url.p_Set2("other.test");
  EXPECT_EQ(url.p_Scheme(), String("http"));
  EXPECT_EQ(url.p_Username() + url.p_Password(), String());
  EXPECT_EQ(url.p_Port(), 80);
  EXPECT_EQ(url.p_FullPath(), String("/"));
}
