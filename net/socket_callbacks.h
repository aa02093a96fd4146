// The completion interfaces of the asynchronous socket operations.
//
// Completions come on the main thread, from inside the event pump. The socket
// passed is the one the operation was queued on; data is the operation's
// buffer, and count what the call returned (0: the peer closed, -1: failure).
#pragma once

#include <memory>

class c_DataBuffer;
class c_Socket;

class c_IOnConnectComplete {
public:
  virtual ~c_IOnConnectComplete() = default;
  virtual void p_OnConnectComplete(bool connected, c_Socket *socket) = 0;
};

class c_IOnSendComplete {
public:
  virtual ~c_IOnSendComplete() = default;
  virtual void p_OnSendComplete(const std::shared_ptr<c_DataBuffer> &data, int offset, int count, c_Socket *socket) = 0;
};

class c_IOnReceiveComplete {
public:
  virtual ~c_IOnReceiveComplete() = default;
  virtual void p_OnReceiveComplete(const std::shared_ptr<c_DataBuffer> &data, int offset, int count,
                                   c_Socket *socket) = 0;
};
