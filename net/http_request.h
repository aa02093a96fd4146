// c_HttpRequest: one HTTP/1.0 request in the background.
//
// Open with a method and a URL, then Send (or Send2 with a body). The request
// connects, sends its head (and body), and reads the response: the status
// from the status line, then every byte until the server closes as the body.
// Response headers are skipped; there is no keep-alive, redirect or chunked
// transfer. The body is decoded as "utf8" as a whole once the server closes,
// so where the receives split it does not change the text.
//
// The listener's p_OnHttpRequestComplete comes exactly once per Send, on the
// main thread from inside the event pump. Status is -1 when the connect
// failed, the server closed before a valid status line, the status line was
// malformed, a head line was longer than 16384 bytes, or the request head did
// not fit the 4096-byte write buffer or held a line break of its own (then
// nothing is sent). A receive that fails ends the request like a close.
//
// Requests are owned through std::shared_ptr (their pending socket
// operations keep them alive); the listener is not owned and must outlive
// the request's completion.
#pragma once

#include <memory>
#include <vector>

#include "net/http_reply.h"
#include "net/socket_callbacks.h"
#include "runtime/object.h"
#include "runtime/string.h"

class c_DataBuffer;
class c_HttpRequest;
class c_Socket;
class c_Url;

class c_IOnHttpRequestComplete {
public:
  virtual ~c_IOnHttpRequestComplete() = default;
  virtual void p_OnHttpRequestComplete(c_HttpRequest *request) = 0;
};

class c_HttpRequest : public Object,
                      public c_IOnConnectComplete,
                      public c_IOnSendComplete,
                      public c_IOnReceiveComplete,
                      public std::enable_shared_from_this<c_HttpRequest> {
public:
  static constexpr int kWriteBufferSize = 4096;
  static constexpr int kReadBufferSize = 16384;

  c_HttpRequest();
  ~c_HttpRequest() override;

  // p_Open on a new request.
  c_HttpRequest *m_new2(const String &method, const String &url, c_IOnHttpRequestComplete *onComplete);
  // Resets the request (closing the connection of an earlier one) and builds
  // its request line and "Host:" line. The default scheme is "http", the
  // default port 80.
  void p_Open(const String &method, const String &url, c_IOnHttpRequestComplete *onComplete);
  // Does nothing before the first p_Open.
  void p_Send();
  // Sends data as the body in the encoding ("utf8" or "ascii"), with
  // "Content-Type:" (when mimeType is not empty) and "Content-Length:".
  void p_Send2(const String &data, const String &mimeType, const String &encoding);

  int p_Status() const { return m_status; }
  String p_ResponseText() const { return m_responseText; }
  int p_BytesReceived() const { return m_bytesReceived; }
  const c_Url *p_Url() const { return m_url.get(); }

  void p_OnConnectComplete(bool connected, c_Socket *socket) override;
  void p_OnReceiveComplete(const std::shared_ptr<c_DataBuffer> &data, int offset, int count, c_Socket *socket) override;
  void p_OnSendComplete(const std::shared_ptr<c_DataBuffer> &data, int offset, int count, c_Socket *socket) override;

private:
  void p_Finish();
  void Receive(int offset, int count);
  void SendRange(const std::shared_ptr<c_DataBuffer> &data, int offset, int count);

  String m_method;
  std::unique_ptr<c_Url> m_url;
  c_IOnHttpRequestComplete *m_onComplete = nullptr;
  std::shared_ptr<c_DataBuffer> m_body;
  int m_bodyLength = 0;
  int m_status = -1;
  HttpReply m_reply;
  String m_responseText;
  int m_bytesReceived = 0;
  // The request's head lines before sending.
  std::vector<String> m_headLines;
  std::shared_ptr<c_Socket> m_socket;
  std::shared_ptr<c_DataBuffer> m_writeBuffer;
  std::shared_ptr<c_DataBuffer> m_readBuffer;
  // Bytes of the send in progress not yet confirmed sent.
  int m_sendLeft = 0;
  bool m_finished = false;
};
