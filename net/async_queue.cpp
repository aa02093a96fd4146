// Socket operations and their queue; see async_queue.h.
#include "net/async_queue.h"

#include "net/data_buffer.h"
#include "net/socket.h"
#include "net/vex_socket.h"
#include "runtime/error.h"

c_AsyncConnectOp::c_AsyncConnectOp(std::shared_ptr<VexSocket> socket, const String &host, int port,
                                   std::shared_ptr<c_IOnConnectComplete> onComplete)
    : m_socket(std::move(socket)), m_host(VexThread::Strdup(host)), m_port(port), m_onComplete(std::move(onComplete)) {}

void c_AsyncConnectOp::p_Execute__UNSAFE__(c_Socket *) { m_connected = m_socket->Connect(m_host, m_port); }

void c_AsyncConnectOp::p_Complete(c_Socket *socket) {
  // A socket closed while the connect ran stays closed.
  if (m_connected && socket->p_IsOpen()) socket->m_flags |= 2 | 4;
  if (m_onComplete) m_onComplete->p_OnConnectComplete(m_connected, socket);
}

c_AsyncSocketIoOp::c_AsyncSocketIoOp(std::shared_ptr<VexSocket> socket, std::shared_ptr<c_DataBuffer> data, int offset,
                                     int count)
    : m_socket(std::move(socket)), m_data(std::move(data)), m_offset(offset), m_count(count) {}

c_AsyncSendOp::c_AsyncSendOp(std::shared_ptr<VexSocket> socket, std::shared_ptr<c_DataBuffer> data, int offset,
                             int count, std::shared_ptr<c_IOnSendComplete> onComplete)
    : c_AsyncSocketIoOp(std::move(socket), std::move(data), offset, count), m_onComplete(std::move(onComplete)) {}

void c_AsyncSendOp::p_Execute__UNSAFE__(c_Socket *) { m_count = m_socket->Send(*m_data, m_offset, m_count); }

void c_AsyncSendOp::p_Complete(c_Socket *socket) {
  if (m_onComplete) m_onComplete->p_OnSendComplete(m_data, m_offset, m_count, socket);
}

c_AsyncReceiveOp::c_AsyncReceiveOp(std::shared_ptr<VexSocket> socket, std::shared_ptr<c_DataBuffer> data, int offset,
                                   int count, std::shared_ptr<c_IOnReceiveComplete> onComplete)
    : c_AsyncSocketIoOp(std::move(socket), std::move(data), offset, count), m_onComplete(std::move(onComplete)) {}

void c_AsyncReceiveOp::p_Execute__UNSAFE__(c_Socket *) { m_count = m_socket->Receive(*m_data, m_offset, m_count); }

void c_AsyncReceiveOp::p_Complete(c_Socket *socket) {
  if (m_onComplete) m_onComplete->p_OnReceiveComplete(m_data, m_offset, m_count, socket);
}

c_AsyncQueue::c_AsyncQueue(c_Socket *socket) : m_socket(socket) {}

void c_AsyncQueue::p_Enqueue(std::shared_ptr<c_AsyncOp> op) {
  int put = m_put.load(std::memory_order_relaxed);
  int next = (put + 1) % kSlots;
  if (next == m_done) vexError("AsyncQueue queue overflow!");
  m_ops[put] = std::move(op);
  m_put.store(next, std::memory_order_release);
  Start();
}

void c_AsyncQueue::Run__UNSAFE__() {
  int run = m_run.load(std::memory_order_relaxed);
  while (run != m_put.load(std::memory_order_acquire)) {
    m_ops[run]->p_Execute__UNSAFE__(m_socket);
    run = (run + 1) % kSlots;
    m_run.store(run, std::memory_order_release);
  }
}

void c_AsyncQueue::p_UpdateAsyncEvents() {
  if (m_run.load(std::memory_order_acquire) != m_put.load(std::memory_order_relaxed)) Start();
  while (m_done != m_run.load(std::memory_order_acquire)) {
    std::shared_ptr<c_AsyncOp> op = std::move(m_ops[m_done]);
    m_done = (m_done + 1) % kSlots;
    op->p_Complete(m_socket);
  }
}
