// Framework sockets; see socket.h.
#include "net/socket.h"

#include "net/async_queue.h"
#include "net/vex_socket.h"
#include "runtime/error.h"

namespace {

int ProtocolNumber(const String &name) {
  if (name == String("stream")) return 1;
  if (name == String("server")) return 2;
  if (name == String("datagram")) return 3;
  return 0;
}

} // namespace

c_Socket::c_Socket() = default;
c_Socket::~c_Socket() = default;

c_Socket *c_Socket::m_new(const String &protocol) {
  int number = ProtocolNumber(protocol);
  if (number == 0) vexError("Illegal socket protocol");
  m_socket = std::make_shared<VexSocket>();
  if (!m_socket->Open(number)) vexError("Socket open failed");
  m_protocol = number;
  m_flags = kOpen;
  p_Start();
  return this;
}

c_Socket *c_Socket::m_new2(std::shared_ptr<VexSocket> socket, int protocol, int flags) {
  m_socket = std::move(socket);
  m_protocol = protocol;
  m_flags = flags;
  p_Start();
  return this;
}

void c_Socket::p_Start() {
  m_readQueue = std::make_shared<c_AsyncQueue>(this);
  m_writeQueue = std::make_shared<c_AsyncQueue>(this);
  vex_asyncevent_AddAsyncEventSource(shared_from_this());
}

void c_Socket::p_ConnectAsync(const String &host, int port, std::shared_ptr<c_IOnConnectComplete> onComplete) {
  if (!p_IsOpen() || p_IsConnected() || p_IsListening()) return;
  m_readQueue->p_Enqueue(std::make_shared<c_AsyncConnectOp>(m_socket, host, port, std::move(onComplete)));
}

void c_Socket::p_SendAsync(std::shared_ptr<c_DataBuffer> data, int offset, int count,
                           std::shared_ptr<c_IOnSendComplete> onComplete) {
  if (!p_IsConnected() || !data) return;
  m_writeQueue->p_Enqueue(
      std::make_shared<c_AsyncSendOp>(m_socket, std::move(data), offset, count, std::move(onComplete)));
}

void c_Socket::p_ReceiveAsync(std::shared_ptr<c_DataBuffer> data, int offset, int count,
                              std::shared_ptr<c_IOnReceiveComplete> onComplete) {
  if (!p_IsConnected() || !data) return;
  m_readQueue->p_Enqueue(
      std::make_shared<c_AsyncReceiveOp>(m_socket, std::move(data), offset, count, std::move(onComplete)));
}

void c_Socket::p_Close() {
  if (m_socket) m_socket->Close();
  m_flags = 0;
}

void c_Socket::p_UpdateAsyncEvents() {
  m_readQueue->p_UpdateAsyncEvents();
  m_writeQueue->p_UpdateAsyncEvents();
}
