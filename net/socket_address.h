// IPv4 socket addresses and host-name resolution.
//
// Resolution is the sockets' one rule for every bind, connect and address:
// port in network order, address "any" (0.0.0.0) unless the host text (1 to
// 1023 characters, each narrowed to 8 bits) resolves, in which case its first
// IPv4 address. It uses getaddrinfo, which is safe on worker threads.
#pragma once

#include <netinet/in.h>

#include "runtime/object.h"
#include "runtime/string.h"

sockaddr_in vexResolveAddress(const String &host, int port);

class VexSocketAddress : public Object {
public:
  VexSocketAddress();

  // Each Set stores an address and leaves the text form to be worked out
  // again by Validate.
  void Set(const String &host, int port);
  void Set(const VexSocketAddress &other);
  void Set(const sockaddr_in &address);
  // Fills host text and port from the stored address if they are out of date.
  void Validate();

  const sockaddr_in &Address() const { return address_; }
  String Host() {
    Validate();
    return host_;
  }
  int Port() {
    Validate();
    return port_;
  }

private:
  sockaddr_in address_;
  bool valid_ = false;
  String host_;
  int port_ = 0;
};
