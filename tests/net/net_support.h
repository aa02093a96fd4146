// Helpers of the network tests: pumping with a deadline and loopback peers.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

// Pumps the asynchronous events until done() holds or timeoutMs passes;
// returns done().
bool PumpUntil(const std::function<bool()> &done, int timeoutMs = 5000);
// Pumps for about ms milliseconds.
void PumpFor(int ms);

// A listening TCP socket on 127.0.0.1 with a port of the system's choosing.
class Listener {
public:
  Listener();
  ~Listener();
  int Port() const { return port_; }
  // The next connection within timeoutMs, or -1.
  int Accept(int timeoutMs = 5000);

private:
  int fd_ = -1;
  int port_ = 0;
};

// Bytes read from fd until the blank line that ends an HTTP head and then as
// many body bytes as its Content-Length names; bounded by maxBytes and
// timeoutMs.
std::string ReadRequest(int fd, int timeoutMs = 5000, size_t maxBytes = 4 << 20);

// A one-connection server on its own thread: accepts, reads the request, then
// sends each reply chunk with a pause before the next, and closes (with a
// reset instead of an orderly close when asked).
class ScriptedServer {
public:
  explicit ScriptedServer(std::vector<std::string> chunks, int pauseMs = 60, bool reset = false);
  ~ScriptedServer();
  int Port() const { return listener_.Port(); }
  // The request as received; valid after the reply was sent.
  std::string Request();

private:
  Listener listener_;
  std::vector<std::string> chunks_;
  int pauseMs_;
  bool reset_;
  std::string request_;
  std::thread thread_;
};

// A port on 127.0.0.1 where nothing listens.
int ClosedPort();
