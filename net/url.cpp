// URL parsing; see url.h.
#include "net/url.h"

namespace {

// The first position of what in u within [start, end), or -1.
int FindBefore(const String &u, const String &what, int start, int end) {
  int at = u.Find(what, start);
  return at != -1 && at + what.Length() <= end ? at : -1;
}

} // namespace

c_Url::c_Url(const String &url, const String &defaultScheme, int defaultPort)
    : m_defaultScheme(defaultScheme), m_defaultPort(defaultPort) {
  p_Set2(url);
}

void c_Url::p_Set2(const String &u) {
  m_url = u;
  m_scheme = m_defaultScheme;
  m_username = m_password = m_domain = String();
  m_port = m_defaultPort;
  m_path = String("/");
  m_query = m_fragment = String();

  int hash = u.Find("#");
  int question = u.Find("?");
  if (hash != -1 && question > hash) question = -1;
  int end = question != -1 ? question : (hash != -1 ? hash : u.Length());

  int s = 0;
  int schemeEnd = FindBefore(u, "://", 0, end);
  if (schemeEnd != -1) {
    m_scheme = u.Slice(0, schemeEnd);
    s = schemeEnd + 3;
  }

  int at = FindBefore(u, "@", s, end);
  if (at != -1) {
    String info = u.Slice(s, at);
    int colon = info.Find(":");
    if (colon != -1) {
      m_username = info.Slice(0, colon);
      m_password = info.Slice(colon + 1);
    } else {
      m_username = info;
    }
    s = at + 1;
  }

  int colon = FindBefore(u, ":", s, end);
  int slash = FindBefore(u, "/", s, end);
  if (colon == -1 && slash == -1) {
    m_domain = u.Slice(s, end);
  } else if (colon != -1 && (slash == -1 || colon < slash)) {
    m_domain = u.Slice(s, colon);
    int portEnd = slash != -1 ? slash : end;
    if (portEnd > colon + 1 + 63) portEnd = colon + 1 + 63;
    m_port = u.Slice(colon + 1, portEnd).ToInt();
    if (slash != -1) m_path = u.Slice(slash, end);
  } else {
    m_domain = u.Slice(s, slash);
    m_path = u.Slice(slash, end);
  }

  if (question != -1) m_query = u.Slice(question + 1, hash != -1 ? hash : u.Length());
  if (hash != -1) m_fragment = u.Slice(hash + 1);
}

String c_Url::p_FullPath() const {
  String full = m_path;
  if (!m_query.Empty()) full += "?" + m_query;
  if (!m_fragment.Empty()) full += "#" + m_fragment;
  return full;
}
