// Blocking socket calls on POSIX sockets; see vex_socket.h.
#include "net/vex_socket.h"

#include <cerrno>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/data_buffer.h"
#include "net/socket_address.h"

namespace {

// The start of [offset, offset + count) in buffer with count cut to fit (0 is
// a valid count), or null when offset lies outside the buffer.
unsigned char *Range(VexDataBuffer &buffer, int offset, int &count) {
  if (!buffer.Bytes() || offset < 0 || offset > buffer.Length()) return nullptr;
  count = vexClampCopyCount(offset, buffer.Length(), count);
  return buffer.Bytes() + offset;
}

const sockaddr *AsSockaddr(const sockaddr_in &address) { return reinterpret_cast<const sockaddr *>(&address); }

} // namespace

VexSocket::~VexSocket() {
  Close();
  if (accepted_ != -1) ::close(accepted_);
}

bool VexSocket::Open(int protocol) {
  if (IsOpen() || protocol < 1) return false;
  int fd = -1;
  if (protocol == 1 || protocol == 2) {
    fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (fd == -1) return false;
    int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  } else if (protocol == 3) {
    fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd == -1) return false;
  } else {
    return false;
  }
  fd_.store(fd);
  protocol_ = protocol;
  return true;
}

void VexSocket::Close() {
  int fd = fd_.exchange(-1);
  if (fd == -1) return;
  ::shutdown(fd, SHUT_RDWR);
  ::close(fd);
}

bool VexSocket::Bind(const String &host, int port) {
  sockaddr_in address = vexResolveAddress(host, port);
  return ::bind(fd_.load(), AsSockaddr(address), sizeof address) == 0;
}

bool VexSocket::Connect(const String &host, int port) {
  sockaddr_in address = vexResolveAddress(host, port);
  // A port that does not fit 16 bits would wrap round to some other port.
  if (address.sin_addr.s_addr == htonl(INADDR_ANY) || port < 1 || port > 65535) {
    errno = EADDRNOTAVAIL;
    return false;
  }
  int result;
  do {
    result = ::connect(fd_.load(), AsSockaddr(address), sizeof address);
  } while (result == -1 && errno == EINTR);
  return result == 0;
}

bool VexSocket::Listen(int backlog) { return ::listen(fd_.load(), backlog) == 0; }

bool VexSocket::Accept() {
  int fd = ::accept4(fd_.load(), nullptr, nullptr, SOCK_CLOEXEC);
  if (fd == -1) return false;
  if (accepted_ != -1) ::close(accepted_);
  accepted_ = fd;
  return true;
}

std::shared_ptr<VexSocket> VexSocket::Accepted() {
  if (accepted_ == -1) return nullptr;
  auto socket = std::make_shared<VexSocket>(accepted_, 1);
  accepted_ = -1;
  return socket;
}

int VexSocket::Send(VexDataBuffer &buffer, int offset, int count) {
  unsigned char *bytes = Range(buffer, offset, count);
  if (!bytes) return -1;
  ssize_t sent;
  do {
    sent = ::send(fd_.load(), bytes, static_cast<size_t>(count), MSG_NOSIGNAL);
  } while (sent == -1 && errno == EINTR);
  return static_cast<int>(sent);
}

int VexSocket::Receive(VexDataBuffer &buffer, int offset, int count) {
  unsigned char *bytes = Range(buffer, offset, count);
  if (!bytes) return -1;
  ssize_t received;
  do {
    received = ::recv(fd_.load(), bytes, static_cast<size_t>(count), 0);
  } while (received == -1 && errno == EINTR);
  return static_cast<int>(received);
}

int VexSocket::SendTo(VexDataBuffer &buffer, int offset, int count, const VexSocketAddress &address) {
  unsigned char *bytes = Range(buffer, offset, count);
  if (!bytes) return -1;
  const sockaddr_in &to = address.Address();
  return static_cast<int>(
      ::sendto(fd_.load(), bytes, static_cast<size_t>(count), MSG_NOSIGNAL, AsSockaddr(to), sizeof to));
}

int VexSocket::ReceiveFrom(VexDataBuffer &buffer, int offset, int count, VexSocketAddress &address) {
  unsigned char *bytes = Range(buffer, offset, count);
  if (!bytes) return -1;
  sockaddr_in from{};
  socklen_t size = sizeof from;
  ssize_t received =
      ::recvfrom(fd_.load(), bytes, static_cast<size_t>(count), 0, reinterpret_cast<sockaddr *>(&from), &size);
  if (received >= 0) address.Set(from);
  return static_cast<int>(received);
}

void VexSocket::GetLocalAddress(VexSocketAddress &address) {
  sockaddr_in own{};
  socklen_t size = sizeof own;
  if (::getsockname(fd_.load(), reinterpret_cast<sockaddr *>(&own), &size) == 0) address.Set(own);
}

void VexSocket::GetRemoteAddress(VexSocketAddress &address) {
  sockaddr_in peer{};
  socklen_t size = sizeof peer;
  if (::getpeername(fd_.load(), reinterpret_cast<sockaddr *>(&peer), &size) == 0) address.Set(peer);
}
