// c_Socket: a socket whose connects, sends and receives run in the background.
//
// Connects and receives go through the read queue, sends through the write
// queue, so a send never waits behind a blocked receive. Completions arrive
// through the event pump. Operations asked for in the wrong state (a connect
// on a connected socket, a send or receive on one that is not connected) are
// dropped: no operation runs and no callback comes.
//
// A socket registers itself with the event pump when it starts and stays
// registered for the rest of the run. Sockets are owned through
// std::shared_ptr: create one with std::make_shared, then m_new.
#pragma once

#include <memory>

#include "net/async_event.h"
#include "net/socket_callbacks.h"
#include "runtime/string.h"

class VexSocket;
class c_AsyncQueue;

class c_Socket : public c_IAsyncEventSource, public std::enable_shared_from_this<c_Socket> {
public:
  enum Flags { kOpen = 1, kConnectedPair = 2, kConnected = 4, kListening = 8 };

  c_Socket();
  ~c_Socket() override;

  // protocol: "stream", "server" or "datagram"; anything else is the runtime
  // error "Illegal socket protocol", a socket that cannot be created "Socket
  // open failed".
  c_Socket *m_new(const String &protocol);
  // Wraps an existing socket (such as an accepted one).
  c_Socket *m_new2(std::shared_ptr<VexSocket> socket, int protocol, int flags);

  void p_ConnectAsync(const String &host, int port, std::shared_ptr<c_IOnConnectComplete> onComplete);
  void p_SendAsync(std::shared_ptr<c_DataBuffer> data, int offset, int count,
                   std::shared_ptr<c_IOnSendComplete> onComplete);
  void p_ReceiveAsync(std::shared_ptr<c_DataBuffer> data, int offset, int count,
                      std::shared_ptr<c_IOnReceiveComplete> onComplete);

  bool p_IsOpen() const { return (m_flags & kOpen) != 0; }
  bool p_IsConnected() const { return (m_flags & kConnected) != 0; }
  bool p_IsListening() const { return (m_flags & kListening) != 0; }
  void p_Close();
  void p_UpdateAsyncEvents() override;

  const std::shared_ptr<VexSocket> &Socket() const { return m_socket; }

  int m_protocol = 0;
  int m_flags = 0;

private:
  void p_Start();

  std::shared_ptr<VexSocket> m_socket;
  std::shared_ptr<c_AsyncQueue> m_readQueue;
  std::shared_ptr<c_AsyncQueue> m_writeQueue;
};
