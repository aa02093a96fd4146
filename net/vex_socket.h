// VexSocket: one operating-system socket with blocking calls.
//
// Protocols: 1 stream (TCP client), 2 server (TCP, for listening), 3 datagram
// (UDP). Calls return false or -1 on failure and never raise. The descriptor
// is read by the queue workers while the main thread may close the socket, so
// it is atomic; Close also shuts the connection down, which wakes a worker
// blocked in a send or receive on it.
//
// Sends never raise SIGPIPE: a peer that has closed gives -1. A connect to
// the address "any" (a name that did not resolve) fails instead of reaching a
// server on this machine.
#pragma once

#include <atomic>
#include <memory>

#include "runtime/object.h"
#include "runtime/string.h"

class VexDataBuffer;
class VexSocketAddress;

class VexSocket : public Object {
public:
  VexSocket() = default;
  explicit VexSocket(int fd, int protocol) : fd_(fd), protocol_(protocol) {}
  ~VexSocket() override;
  VexSocket(const VexSocket &) = delete;
  VexSocket &operator=(const VexSocket &) = delete;

  bool Open(int protocol);
  void Close();
  bool IsOpen() const { return fd_.load() != -1; }
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
  std::atomic<int> fd_{-1};
  int protocol_ = 0;
  int accepted_ = -1;
};
