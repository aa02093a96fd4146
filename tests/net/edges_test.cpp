// Unsafe corners of the network layer: a background load of a buffer without
// an owner, and interrupted datagrams.
#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <string>
#include <thread>

#include "host/game.h"
#include "net/data_buffer.h"
#include "net/socket_address.h"
#include "net/thread.h"
#include "net/vex_socket.h"
#include "support/files.h"

TEST(DataBuffer, BackgroundLoadNeedsASharedOwnerToHandOver) {
  TempDir dir;
  WriteFile(dir / "data.bin", "abc");
  VexGame host;
  const String path = String::FromUtf8(dir / "data.bin");
  auto thread = std::make_shared<c_Thread>();

  c_DataBuffer unowned;
  EXPECT_FALSE(unowned._LoadAsync(path, thread.get()));
  EXPECT_EQ(thread->Result(), nullptr);

  auto owned = std::make_shared<c_DataBuffer>();
  EXPECT_TRUE(owned->_LoadAsync(path, thread.get()));
  EXPECT_EQ(thread->Result(), owned);
  EXPECT_EQ(owned->Length(), 3);
}

TEST(VexSocket, ReceiveFromRestartsAfterASignal) {
  struct sigaction action {};
  action.sa_handler = [](int) {};
  sigemptyset(&action.sa_mask);
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0); // no SA_RESTART: the call sees EINTR

  VexSocket receiver, sender;
  ASSERT_TRUE(receiver.Open(3) && receiver.Bind("127.0.0.1", 0) && sender.Open(3));
  VexSocketAddress to, from;
  receiver.GetLocalAddress(to);
  c_DataBuffer in(16), out(4);
  int received = 0;
  std::thread worker([&] { received = receiver.ReceiveFrom(in, 0, 16, from); });
  for (int i = 0; i < 5; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    pthread_kill(worker.native_handle(), SIGUSR1);
  }
  EXPECT_EQ(sender.SendTo(out, 0, 4, to), 4);
  worker.join();
  EXPECT_EQ(received, 4);
  sigaction(SIGUSR1, &previous, nullptr);
}
