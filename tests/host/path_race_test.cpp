// Loaders on worker threads map data paths at the same time as the main
// thread: the host's first mapping must be safe to race.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "host/glfw_game.h"

TEST(DataPathCache, FirstMappingsRacingOnThreadsAgree) {
  for (int round = 0; round < 300; ++round) {
    VexGlfwGame host;
    std::vector<String> mapped(4);
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) threads.emplace_back([&, i] { mapped[i] = host.PathToFilePath("quill://data/a.png"); });
    for (std::thread &t : threads) t.join();
    for (const String &m : mapped) ASSERT_EQ(m, mapped[0]) << round;
    ASSERT_TRUE(mapped[0].EndsWith("/data/a.png"));
  }
}
