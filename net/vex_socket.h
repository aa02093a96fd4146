// VexSocket: one operating-system socket with blocking calls.
//
// Protocols: 1 stream (TCP client), 2 server (TCP, for listening), 3 datagram
// (UDP). Calls return false or -1 on failure and never raise.
//
// The queue workers use the descriptor while the main thread may close the
// socket. Close shuts the connection down at once, which wakes a worker
// blocked in a send or receive, but the descriptor itself is released only
// when the last call using it has returned: otherwise a descriptor number
// reused by a newer socket could receive that call.
//
// Sends never raise SIGPIPE: a peer that has closed gives -1. A connect to
// the address "any" (a name that did not resolve) fails instead of reaching a
// server on this machine.
#pragma once

#include <memory>
#include <mutex>

#include "runtime/object.h"
#include "runtime/string.h"

class VexDataBuffer;
class VexSocketAddress;

class VexSocket : public Object {
public:
  VexSocket() = default;
  VexSocket(int fd, int protocol) : fd_(fd), protocol_(protocol) {}
  ~VexSocket() override;
  VexSocket(const VexSocket &) = delete;
  VexSocket &operator=(const VexSocket &) = delete;

  bool Open(int protocol);
  void Close();
  bool IsOpen() const;
  int Protocol() const { return protocol_; }

  bool Bind(const String &host, int port);
  bool Connect(const String &host, int port);
  bool Listen(int backlog);
  bool Accept();
  // The socket Accept took, or null; each accepted socket is handed out once.
  std::shared_ptr<VexSocket> Accepted();

  // The bytes [offset, offset + count) of buffer, cut to the buffer.
  int Send(VexDataBuffer &buffer, int offset, int count);
  int Receive(VexDataBuffer &buffer, int offset, int count);
  int SendTo(VexDataBuffer &buffer, int offset, int count, const VexSocketAddress &address);
  int ReceiveFrom(VexDataBuffer &buffer, int offset, int count, VexSocketAddress &address);

  void GetLocalAddress(VexSocketAddress &address);
  void GetRemoteAddress(VexSocketAddress &address);

private:
  // The descriptor held open for one call, or -1 when the socket is closed.
  class Use {
  public:
    explicit Use(VexSocket &socket);
    ~Use();
    int fd() const { return fd_; }

  private:
    VexSocket &socket_;
    int fd_;
  };

  mutable std::mutex mutex_;
  int fd_ = -1;
  int users_ = 0;
  // A descriptor closed while calls still used it; released by the last one.
  int closing_ = -1;
  int protocol_ = 0;
  int accepted_ = -1;
};
