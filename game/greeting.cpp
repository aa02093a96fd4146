// The greeting request and its completion.
#include "game/greeting.h"

#include "game/flow.h"
#include "runtime/error.h"

String vex_Tilemarch_GreetingUrl = kGreetingServiceUrl;

void c_MyApp::p_GetURL(const String &url, const String &query) {
  m_httpReply = "N/A";
  m_httpRequest = std::make_shared<c_HttpRequest>();
  m_httpRequest->m_new2("GET", url + "?" + query, this);
  m_httpRequest->p_Send();
  vexPrint("Requesting URL");
  m_httpDone = 0;
}

void c_MyApp::p_OnHttpRequestComplete(c_HttpRequest *request) {
  if (request != m_httpRequest.get()) return;
  vexPrint("Http GET complete! " + String(request->p_Status()));
  m_httpDone = 1;
  m_httpReply = request->p_ResponseText();
  if (!m_httpReply.Empty()) vex_Tilemarch_J_On_Able = 1;
}
