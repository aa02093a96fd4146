// What every update costs of the runtime: short concatenations, numbers to
// and from text; and one save of the state file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "host/state_file.h"
#include "runtime/string.h"

namespace {

void ShortConcatenation(benchmark::State &state) {
  String label("Score: "), unit(" pts");
  int i = 0;
  for (auto _ : state) {
    String s = label + String(i++ & 1023) + unit;
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(ShortConcatenation);

void IntToText(benchmark::State &state) {
  int i = 0;
  for (auto _ : state) {
    String s(i++);
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(IntToText);

void TextToInt(benchmark::State &state) {
  String s("-1234567");
  for (auto _ : state) benchmark::DoNotOptimize(s.ToInt());
}
BENCHMARK(TextToInt);

void SaveState10KB(benchmark::State &state) {
  char pattern[] = "/tmp/tilemarch-bench-XXXXXX";
  std::string dir = mkdtemp(pattern);
  std::string path = dir + "/.quillstate";
  std::u16string text;
  for (int i = 0; text.size() < 10 * 1024; ++i) text += u"123456|";
  String saved{std::u16string(text.substr(0, 10 * 1024))};
  for (auto _ : state) benchmark::DoNotOptimize(WriteStateFile(String(path.c_str()), saved));
  unlink(path.c_str());
  rmdir(dir.c_str());
}
BENCHMARK(SaveState10KB)->Unit(benchmark::kMicrosecond);

} // namespace
