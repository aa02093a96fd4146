// URL parsing: every part and the defaults.
#include <gtest/gtest.h>

#include "net/url.h"

TEST(Url, SplitsEveryPartAndFillsTheDefaults) {
  // The URL, then scheme|user|password|domain|port|path|query|fragment.
  const char *cases[][2] = {
      {"https://game.example.org:8080/api/v1?a=1&b=2#top", "https|||game.example.org|8080|/api/v1|a=1&b=2|top"},
      {"example.test", "http|||example.test|80|/||"},
      {"ftp://ann:se:cret@host.test:21/file", "ftp|ann|se:cret|host.test|21|/file||"},
      {"bob@host.test", "http|bob||host.test|80|/||"},
      // "@" and "://" after the address part belong to the query or path.
      {"host.test/mail?to=a@b.test", "http|||host.test|80|/mail|to=a@b.test|"},
      {"host.test/r?next=http://o.test:99/", "http|||host.test|80|/r|next=http://o.test:99/|"},
      {"host.test/page#part?notquery", "http|||host.test|80|/page||part?notquery"},
  };
  for (auto [text, parts] : cases) {
    c_Url url(text, "http", 80);
    EXPECT_EQ((url.p_Scheme() + "|" + url.p_Username() + "|" + url.p_Password() + "|" + url.p_Domain() + "|" +
               String(url.p_Port()) + "|" + url.p_Path() + "|" + url.p_Query() + "|" + url.p_Fragment())
                  .ToUtf8(),
              parts)
        << text;
  }
}
