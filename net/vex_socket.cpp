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

// The result of a transfer, made again while a signal interrupts it before any
// byte has moved.
template <class Transfer> int Restarted(Transfer transfer) {
  ssize_t moved;
  do {
    moved = transfer();
  } while (moved == -1 && errno == EINTR);
  return static_cast<int>(moved);
}

} // namespace

VexSocket::Use::Use(VexSocket &socket) : socket_(socket) {
  std::lock_guard<std::mutex> lock(socket_.mutex_);
  fd_ = socket_.fd_;
  if (fd_ != -1) ++socket_.users_;
}

VexSocket::Use::~Use() {
  if (fd_ == -1) return;
  std::lock_guard<std::mutex> lock(socket_.mutex_);
  if (--socket_.users_ == 0 && socket_.closing_ != -1) {
    ::close(socket_.closing_);
    socket_.closing_ = -1;
  }
}

VexSocket::~VexSocket() {
  Close();
  if (accepted_ != -1) ::close(accepted_);
}

bool VexSocket::IsOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return fd_ != -1;
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
  std::lock_guard<std::mutex> lock(mutex_);
  fd_ = fd;
  protocol_ = protocol;
  return true;
}

void VexSocket::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (fd_ == -1) return;
  ::shutdown(fd_, SHUT_RDWR);
  if (users_ > 0) {
    closing_ = fd_;
  } else {
    ::close(fd_);
  }
  fd_ = -1;
}

bool VexSocket::Bind(const String &host, int port) {
  Use use(*this);
  sockaddr_in address = vexResolveAddress(host, port);
  return ::bind(use.fd(), AsSockaddr(address), sizeof address) == 0;
}

bool VexSocket::Connect(const String &host, int port) {
  Use use(*this);
  sockaddr_in address = vexResolveAddress(host, port);
  // A port that does not fit 16 bits would wrap round to some other port.
  if (address.sin_addr.s_addr == htonl(INADDR_ANY) || port < 1 || port > 65535) {
    errno = EADDRNOTAVAIL;
    return false;
  }
  return ::connect(use.fd(), AsSockaddr(address), sizeof address) == 0;
}

bool VexSocket::Listen(int backlog) {
  Use use(*this);
  return ::listen(use.fd(), backlog) == 0;
}

bool VexSocket::Accept() {
  Use use(*this);
  int fd = ::accept4(use.fd(), nullptr, nullptr, SOCK_CLOEXEC);
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
  Use use(*this);
  unsigned char *bytes = Range(buffer, offset, count);
  if (!bytes) return -1;
  return Restarted([&] { return ::send(use.fd(), bytes, static_cast<size_t>(count), MSG_NOSIGNAL); });
}

int VexSocket::Receive(VexDataBuffer &buffer, int offset, int count) {
  Use use(*this);
  unsigned char *bytes = Range(buffer, offset, count);
  if (!bytes) return -1;
  return Restarted([&] { return ::recv(use.fd(), bytes, static_cast<size_t>(count), 0); });
}

int VexSocket::SendTo(VexDataBuffer &buffer, int offset, int count, const VexSocketAddress &address) {
  Use use(*this);
  unsigned char *bytes = Range(buffer, offset, count);
  if (!bytes) return -1;
  const sockaddr_in &to = address.Address();
  return Restarted(
      [&] { return ::sendto(use.fd(), bytes, static_cast<size_t>(count), MSG_NOSIGNAL, AsSockaddr(to), sizeof to); });
}

int VexSocket::ReceiveFrom(VexDataBuffer &buffer, int offset, int count, VexSocketAddress &address) {
  Use use(*this);
  unsigned char *bytes = Range(buffer, offset, count);
  if (!bytes) return -1;
  sockaddr_in from{};
  socklen_t size;
  int received = Restarted([&] {
    size = sizeof from;
    return ::recvfrom(use.fd(), bytes, static_cast<size_t>(count), 0, reinterpret_cast<sockaddr *>(&from), &size);
  });
  if (received >= 0) address.Set(from);
  return received;
}

void VexSocket::GetLocalAddress(VexSocketAddress &address) {
  Use use(*this);
  sockaddr_in own{};
  socklen_t size = sizeof own;
  if (::getsockname(use.fd(), reinterpret_cast<sockaddr *>(&own), &size) == 0) address.Set(own);
}

void VexSocket::GetRemoteAddress(VexSocketAddress &address) {
  Use use(*this);
  sockaddr_in peer{};
  socklen_t size = sizeof peer;
  if (::getpeername(use.fd(), reinterpret_cast<sockaddr *>(&peer), &size) == 0) address.Set(peer);
}
