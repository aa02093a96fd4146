// Address resolution and socket addresses; see socket_address.h.
#include "net/socket_address.h"

#include <arpa/inet.h>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>

sockaddr_in vexResolveAddress(const String &host, int port) {
  sockaddr_in address;
  std::memset(&address, 0, sizeof address);
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  if (host.Length() < 1 || host.Length() > 1023) return address;
  std::string name = host.ToNarrow();
  // A NUL would silently shorten the name to another host.
  if (name.find('\0') != std::string::npos) return address;
  addrinfo hints;
  std::memset(&hints, 0, sizeof hints);
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo *found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) == 0 && found) {
    for (addrinfo *entry = found; entry; entry = entry->ai_next) {
      if (entry->ai_family == AF_INET && entry->ai_addrlen >= sizeof(sockaddr_in)) {
        address.sin_addr = reinterpret_cast<const sockaddr_in *>(entry->ai_addr)->sin_addr;
        break;
      }
    }
  }
  if (found) freeaddrinfo(found);
  return address;
}

VexSocketAddress::VexSocketAddress() { std::memset(&address_, 0, sizeof address_); }

void VexSocketAddress::Set(const String &host, int port) {
  address_ = vexResolveAddress(host, port);
  valid_ = false;
}

void VexSocketAddress::Set(const VexSocketAddress &other) {
  address_ = other.address_;
  valid_ = false;
}

void VexSocketAddress::Set(const sockaddr_in &address) {
  address_ = address;
  valid_ = false;
}

void VexSocketAddress::Validate() {
  if (valid_) return;
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address_.sin_addr, text, sizeof text);
  host_ = String(text);
  port_ = ntohs(address_.sin_port);
  valid_ = true;
}
