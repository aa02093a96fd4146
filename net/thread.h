// Worker threads of the asynchronous layer.
//
// A VexThread runs Run__UNSAFE__ once per Start on a detached thread that is
// never joined. Only the state crosses threads: it is published with release
// stores and read with acquire loads, so whatever the worker wrote before it
// finished (its result, the bytes of a buffer) is visible to the main thread
// once IsRunning() turns false.
//
// Threads must be owned through std::shared_ptr: the worker holds a reference
// to its thread object until it ends, so dropping the last other reference
// while it runs is safe.
#pragma once

#include <atomic>
#include <memory>

#include "runtime/object.h"
#include "runtime/string.h"

class VexThread : public Object, public std::enable_shared_from_this<VexThread> {
public:
  // Starts a worker unless one is running. A thread that cannot be created
  // prints "CreateThread failed!" and ends the process with status 255.
  virtual void Start();
  virtual bool IsRunning() const { return state_.load(std::memory_order_acquire) == kRunning; }
  virtual std::shared_ptr<Object> Result() const { return result_; }
  virtual void SetResult(std::shared_ptr<Object> result) { result_ = std::move(result); }
  virtual void Run__UNSAFE__() {}

  // A copy of text with storage of its own, for handing text to a worker.
  static String Strdup(const String &text);

private:
  static constexpr int kNeverStarted = 0, kRunning = 1, kFinished = 2;
  static void run(std::shared_ptr<VexThread> thread);

  std::atomic<int> state_{kNeverStarted};
  std::shared_ptr<Object> result_;
};

class c_Thread : public VexThread {};
