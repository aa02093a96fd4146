// Socket operations and the per-socket operation queues.
//
// An operation is executed on the queue's worker (the blocking call) and then
// completed on the main thread (the callback). Each c_AsyncQueue is a ring of
// 256 slots with three indices, each with a single writer:
//   put  - next free slot            (main thread)
//   run  - next operation to execute (worker)
//   done - next operation to complete (main thread)
// so operations pass put -> run -> done in order and at most 255 are
// outstanding. put and run are published with release stores and read with
// acquire loads: the slot and the operation's buffer travel with them.
#pragma once

#include <atomic>
#include <memory>

#include "net/async_event.h"
#include "net/socket_callbacks.h"
#include "net/thread.h"
#include "runtime/array.h"
#include "runtime/string.h"

class VexSocket;

class c_AsyncOp : public Object {
public:
  // Main thread, in queue order, after p_Execute__UNSAFE__ has returned.
  virtual void p_Complete(c_Socket *socket) = 0;
  // Worker thread: the blocking call; touches only the operation's own fields.
  virtual void p_Execute__UNSAFE__(c_Socket *socket) = 0;
};

class c_AsyncConnectOp : public c_AsyncOp {
public:
  c_AsyncConnectOp(std::shared_ptr<VexSocket> socket, const String &host, int port,
                   std::shared_ptr<c_IOnConnectComplete> onComplete);
  void p_Complete(c_Socket *socket) override;
  void p_Execute__UNSAFE__(c_Socket *socket) override;

private:
  std::shared_ptr<VexSocket> m_socket;
  String m_host;
  int m_port;
  std::shared_ptr<c_IOnConnectComplete> m_onComplete;
  bool m_connected = false;
};

class c_AsyncSocketIoOp : public c_AsyncOp {
protected:
  c_AsyncSocketIoOp(std::shared_ptr<VexSocket> socket, std::shared_ptr<c_DataBuffer> data, int offset, int count);

  std::shared_ptr<VexSocket> m_socket;
  std::shared_ptr<c_DataBuffer> m_data;
  int m_offset;
  // The count asked for; after execution what the call returned.
  int m_count;
};

class c_AsyncSendOp : public c_AsyncSocketIoOp {
public:
  c_AsyncSendOp(std::shared_ptr<VexSocket> socket, std::shared_ptr<c_DataBuffer> data, int offset, int count,
                std::shared_ptr<c_IOnSendComplete> onComplete);
  void p_Complete(c_Socket *socket) override;
  void p_Execute__UNSAFE__(c_Socket *socket) override;

private:
  std::shared_ptr<c_IOnSendComplete> m_onComplete;
};

class c_AsyncReceiveOp : public c_AsyncSocketIoOp {
public:
  c_AsyncReceiveOp(std::shared_ptr<VexSocket> socket, std::shared_ptr<c_DataBuffer> data, int offset, int count,
                   std::shared_ptr<c_IOnReceiveComplete> onComplete);
  void p_Complete(c_Socket *socket) override;
  void p_Execute__UNSAFE__(c_Socket *socket) override;

private:
  std::shared_ptr<c_IOnReceiveComplete> m_onComplete;
};

class c_AsyncQueue : public c_Thread, public c_IAsyncEventSource {
public:
  // The queue's socket owns it; the worker does not use the socket.
  explicit c_AsyncQueue(c_Socket *socket);

  // Raises "AsyncQueue queue overflow!" when this makes 256 outstanding.
  void p_Enqueue(std::shared_ptr<c_AsyncOp> op);
  void Run__UNSAFE__() override;
  void p_UpdateAsyncEvents() override;

private:
  static constexpr int kSlots = 256;

  c_Socket *m_socket;
  Array<std::shared_ptr<c_AsyncOp>> m_ops{kSlots};
  std::atomic<int> m_put{0};
  std::atomic<int> m_run{0};
  int m_done = 0;
};
