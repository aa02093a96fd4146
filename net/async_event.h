// The asynchronous event pump.
//
// Event sources (sockets) register once; the application calls
// vex_asyncevent_UpdateAsyncEvents at the start of every update, and each
// source delivers the completions its workers have finished, on the main
// thread. A call from inside a completion (the pump re-entered) returns at once.
#pragma once

#include <memory>
#include <vector>

class c_IAsyncEventSource {
public:
  virtual ~c_IAsyncEventSource() = default;
  virtual void p_UpdateAsyncEvents() = 0;
};

// Registered sources, in registration order, and the one being updated.
extern std::vector<std::shared_ptr<c_IAsyncEventSource>> vex_asyncevent__sources;
extern c_IAsyncEventSource *vex_asyncevent__current;

// A source registered twice is the runtime error "Async event source is
// already active".
void vex_asyncevent_AddAsyncEventSource(std::shared_ptr<c_IAsyncEventSource> source);
// Unregisters a source; one that removes itself during its update stops the
// pump from skipping the source that moves into its place.
void vex_asyncevent_RemoveAsyncEventSource(c_IAsyncEventSource *source);
void vex_asyncevent_UpdateAsyncEvents();
