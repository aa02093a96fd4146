// The asynchronous event pump; see async_event.h.
#include "net/async_event.h"

#include <algorithm>

#include "runtime/error.h"

std::vector<std::shared_ptr<c_IAsyncEventSource>> vex_asyncevent__sources;
c_IAsyncEventSource *vex_asyncevent__current = nullptr;

namespace {

// Also set while a source that removed itself finishes its update, when
// vex_asyncevent__current is already null.
bool pumping = false;

auto FindSource(c_IAsyncEventSource *source) {
  return std::find_if(vex_asyncevent__sources.begin(), vex_asyncevent__sources.end(),
                      [source](const auto &entry) { return entry.get() == source; });
}

} // namespace

void vex_asyncevent_AddAsyncEventSource(std::shared_ptr<c_IAsyncEventSource> source) {
  if (FindSource(source.get()) != vex_asyncevent__sources.end()) vexError("Async event source is already active");
  vex_asyncevent__sources.push_back(std::move(source));
}

void vex_asyncevent_RemoveAsyncEventSource(c_IAsyncEventSource *source) {
  if (source == vex_asyncevent__current) vex_asyncevent__current = nullptr;
  auto it = FindSource(source);
  if (it != vex_asyncevent__sources.end()) vex_asyncevent__sources.erase(it);
}

void vex_asyncevent_UpdateAsyncEvents() {
  if (vex_asyncevent__current || pumping) return;
  struct Pumping {
    Pumping() { pumping = true; }
    ~Pumping() {
      pumping = false;
      vex_asyncevent__current = nullptr;
    }
  } scope;
  size_t i = 0;
  while (i < vex_asyncevent__sources.size()) {
    // Held here so that a source removing itself survives its own update.
    std::shared_ptr<c_IAsyncEventSource> source = vex_asyncevent__sources[i];
    vex_asyncevent__current = source.get();
    source->p_UpdateAsyncEvents();
    if (vex_asyncevent__current) ++i;
  }
}
