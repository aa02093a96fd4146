// Costs of the data and network layer: text through a read-buffer-sized data
// buffer, URL parsing, and one operation's trip through a socket queue.
#include <benchmark/benchmark.h>

#include <atomic>

#include "net/async_queue.h"
#include "net/data_buffer.h"
#include "net/url.h"

namespace {

String ResponseText() {
  std::u16string units;
  while (units.size() < 16000) units += u"row 12 ##..## caf\u00e9 \u20ac\n";
  return String(units);
}

void BM_PokeUtf8(benchmark::State &state) {
  String text = ResponseText();
  c_DataBuffer buffer(text.Length() * 3);
  for (auto _ : state) benchmark::DoNotOptimize(buffer.p_PokeString(0, text, "utf8"));
  state.SetBytesProcessed(state.iterations() * text.Length());
}
BENCHMARK(BM_PokeUtf8);

void BM_PeekUtf8(benchmark::State &state) {
  String text = ResponseText();
  c_DataBuffer buffer(text.Length() * 3);
  int length = buffer.p_PokeString(0, text, "utf8");
  for (auto _ : state) benchmark::DoNotOptimize(buffer.p_PeekString(0, length, "utf8"));
  state.SetBytesProcessed(state.iterations() * length);
}
BENCHMARK(BM_PeekUtf8);

void BM_ParseUrl(benchmark::State &state) {
  String text("http://user:pw@service.tilemarch.invalid:8080/housecall.php?hello=1&gameID=415#top");
  c_Url url(text, "http", 80);
  for (auto _ : state) {
    url.p_Set2(text);
    benchmark::DoNotOptimize(url.p_FullPath());
  }
}
BENCHMARK(BM_ParseUrl);

class NoOp : public c_AsyncOp {
public:
  explicit NoOp(std::atomic<int> *completed) : completed_(completed) {}
  void p_Execute__UNSAFE__(c_Socket *) override {}
  void p_Complete(c_Socket *) override { ++*completed_; }

private:
  std::atomic<int> *completed_;
};

// Enqueue, execution on a (re)started worker, completion by polling the queue.
void BM_QueueRoundTrip(benchmark::State &state) {
  auto queue = std::make_shared<c_AsyncQueue>(nullptr);
  std::atomic<int> completed{0};
  for (auto _ : state) {
    int before = completed;
    queue->p_Enqueue(std::make_shared<NoOp>(&completed));
    while (completed == before) queue->p_UpdateAsyncEvents();
  }
}
BENCHMARK(BM_QueueRoundTrip)->UseRealTime();

} // namespace
