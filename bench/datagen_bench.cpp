// How long the build's data generation takes: the whole data directory (all
// pictures at three resolutions, fonts, effects, tune), written to a scratch
// directory by the generator built beside this benchmark.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string GeneratorPath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "";
  std::filesystem::path bench(std::string(buffer, static_cast<size_t>(n)));
  return (bench.parent_path().parent_path() / "tools/datagen/tilemarch_datagen").string();
}

void BM_GenerateWholeDataDirectory(benchmark::State &state) {
  std::string generator = GeneratorPath();
  if (!std::filesystem::exists(generator)) {
    state.SkipWithError("the generator is not built");
    return;
  }
  std::filesystem::path out =
      std::filesystem::temp_directory_path() / ("tilemarch_datagen_bench_" + std::to_string(getpid()));
  std::string command = "'" + generator + "' '" + out.string() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the generator failed");
      break;
    }
  }
  std::filesystem::remove_all(out);
}
BENCHMARK(BM_GenerateWholeDataDirectory)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1)->Repetitions(3);

} // namespace
