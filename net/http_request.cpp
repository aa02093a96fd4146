// The HTTP/1.0 client; see http_request.h.
#include "net/http_request.h"

#include "net/data_buffer.h"
#include "net/socket.h"
#include "net/url.h"
#include "runtime/array.h"

c_HttpRequest::c_HttpRequest()
    : m_writeBuffer(std::make_shared<c_DataBuffer>(kWriteBufferSize)),
      m_readBuffer(std::make_shared<c_DataBuffer>(kReadBufferSize)) {}

c_HttpRequest::~c_HttpRequest() {
  if (m_socket) m_socket->p_Close();
}

c_HttpRequest *c_HttpRequest::m_new2(const String &method, const String &url, c_IOnHttpRequestComplete *onComplete) {
  p_Open(method, url, onComplete);
  return this;
}

void c_HttpRequest::p_Open(const String &method, const String &url, c_IOnHttpRequestComplete *onComplete) {
  if (m_socket) m_socket->p_Close();
  m_socket.reset();
  m_method = method;
  m_url = std::make_unique<c_Url>(url, "http", 80);
  m_onComplete = onComplete;
  m_body.reset();
  m_bodyLength = 0;
  m_status = -1;
  m_reply = HttpReply();
  m_responseText = String();
  m_bytesReceived = 0;
  m_headLines.clear();
  m_sendLeft = 0;
  m_finished = false;
  m_headLines.push_back(method + " " + m_url->p_FullPath() + " HTTP/1.0");
  m_headLines.push_back("Host: " + m_url->p_Domain());
}

void c_HttpRequest::p_Send2(const String &data, const String &mimeType, const String &encoding) {
  m_body = std::make_shared<c_DataBuffer>(data.Length() * 3);
  m_bodyLength = m_body->p_PokeString(0, data, encoding);
  if (!mimeType.Empty()) m_headLines.push_back("Content-Type: " + mimeType);
  m_headLines.push_back("Content-Length: " + String(m_bodyLength));
  p_Send();
}

void c_HttpRequest::p_Send() {
  if (!m_url) return;
  m_finished = false;
  m_socket = std::make_shared<c_Socket>();
  m_socket->m_new("stream");
  m_socket->p_ConnectAsync(m_url->p_Domain(), m_url->p_Port(), shared_from_this());
}

void c_HttpRequest::p_OnConnectComplete(bool connected, c_Socket *socket) {
  if (socket != m_socket.get()) return;
  if (!connected) {
    p_Finish();
    return;
  }
  // A line break inside a URL or a MIME type would smuggle in head lines of
  // its own.
  bool injected = false;
  for (const String &line : m_headLines) injected = injected || line.Contains("\r") || line.Contains("\n");
  m_headLines.push_back(String());
  m_headLines.push_back(String());
  String head = String("\r\n").Join(Array<String>(m_headLines));
  m_headLines.clear();
  // Only a head that fits whole is sent: a cut one would be a different request.
  if (injected || head.Length() > kWriteBufferSize) {
    p_Finish();
    return;
  }
  int length = m_writeBuffer->p_PokeString(0, head, "ascii");
  SendRange(m_writeBuffer, 0, length);
  Receive(0, kReadBufferSize);
}

void c_HttpRequest::SendRange(const std::shared_ptr<c_DataBuffer> &data, int offset, int count) {
  if (!m_socket->p_IsConnected()) return;
  m_sendLeft = count;
  m_socket->p_SendAsync(data, offset, count, shared_from_this());
}

void c_HttpRequest::Receive(int offset, int count) {
  if (m_socket->p_IsConnected()) m_socket->p_ReceiveAsync(m_readBuffer, offset, count, shared_from_this());
}

void c_HttpRequest::p_OnSendComplete(const std::shared_ptr<c_DataBuffer> &data, int offset, int count,
                                     c_Socket *socket) {
  // A failed send shows on the receiving side, which then ends the request.
  if (socket != m_socket.get() || count <= 0) return;
  if (count < m_sendLeft) {
    SendRange(data, offset + count, m_sendLeft - count);
    return;
  }
  m_sendLeft = 0;
  if (m_bodyLength > 0) {
    SendRange(m_body, 0, m_bodyLength);
    m_bodyLength = 0;
  }
}

void c_HttpRequest::p_OnReceiveComplete(const std::shared_ptr<c_DataBuffer> &data, int offset, int count,
                                        c_Socket *socket) {
  if (socket != m_socket.get() || data != m_readBuffer) return;
  if (count <= 0) {
    p_Finish();
    return;
  }
  bool reading = m_reply.Take(m_readBuffer->Bytes() + offset, static_cast<size_t>(count));
  m_status = m_reply.Status();
  m_bytesReceived = static_cast<int>(m_reply.BodyBytes());
  if (!reading) {
    p_Finish();
    return;
  }
  Receive(0, kReadBufferSize);
}

void c_HttpRequest::p_Finish() {
  if (m_finished) return;
  m_finished = true;
  m_socket->p_Close();
  if (m_reply.InBody()) m_responseText = m_reply.BodyText();
  if (m_onComplete) m_onComplete->p_OnHttpRequestComplete(this);
}
