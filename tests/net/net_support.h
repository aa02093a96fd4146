// Helpers of the network tests: pumping with a deadline and loopback peers.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

// Pumps the asynchronous events until done() holds or timeoutMs passes.
bool PumpUntil(const std::function<bool()> &done, int timeoutMs = 5000);

// A listening TCP socket on 127.0.0.1 with a port of the system's choosing.
class Listener {
public:
  Listener();
  ~Listener();
  int Port() const { return port_; }
  int Accept(); // the next connection within 5 s, or -1

private:
  int fd_ = -1, port_ = 0;
};

// A one-connection server on its own thread: accepts, reads an HTTP request
// head, then sends each reply chunk with a pause before the next, and closes.
class ScriptedServer {
public:
  explicit ScriptedServer(std::vector<std::string> chunks, int pauseMs = 60);
  ~ScriptedServer();
  int Port() const { return listener_.Port(); }
  std::string Request(); // waits until the reply was sent

private:
  Listener listener_;
  std::string request_;
  std::thread thread_;
};
