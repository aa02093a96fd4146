// The asynchronous layer under the HTTP client, where HTTP does not reach: a
// full operation ring, the event pump's sources coming and going, a socket
// closed under a blocked receive, and sending to a peer that closed.
#include <gtest/gtest.h>
#include <unistd.h>

#include "net/async_queue.h"
#include "net/data_buffer.h"
#include "net/socket.h"
#include "net_support.h"

namespace {

// An operation, a source and a socket callback that record what reaches them.
struct Recorder : c_AsyncOp, c_IAsyncEventSource, c_IOnConnectComplete, c_IOnSendComplete, c_IOnReceiveComplete {
  Recorder(std::vector<int> &log, int id = 0) : log(log), id(id) {}
  void p_Execute__UNSAFE__(c_Socket *) override {}
  void p_Complete(c_Socket *) override { log.push_back(id); }
  void p_UpdateAsyncEvents() override {
    log.push_back(id);
    if (onUpdate) onUpdate();
  }
  void p_OnConnectComplete(bool ok, c_Socket *) override { log.push_back(ok); }
  void p_OnSendComplete(const std::shared_ptr<c_DataBuffer> &, int, int count, c_Socket *) override {
    log.push_back(count);
  }
  void p_OnReceiveComplete(const std::shared_ptr<c_DataBuffer> &, int, int count, c_Socket *) override {
    log.push_back(count);
  }
  std::vector<int> &log;
  int id;
  std::function<void()> onUpdate;
};

TEST(AsyncQueueDeathTest, TwoHundredFiftyFiveOperationsCompleteInOrderAndOneMoreOverflows) {
  GTEST_FLAG_SET(death_test_style, "threadsafe"); // worker threads run
  auto queue = std::make_shared<c_AsyncQueue>(nullptr);
  std::vector<int> completed, expected;
  for (int i = 0; i < 510; ++i) expected.push_back(i % 255); // twice round the ring
  for (int i = 0; i < 510; ++i) {
    queue->p_Enqueue(std::make_shared<Recorder>(completed, i % 255));
    if (i == 254) PumpUntil([&] { return queue->p_UpdateAsyncEvents(), completed.size() == 255; });
  }
  PumpUntil([&] { return queue->p_UpdateAsyncEvents(), completed.size() == 510; });
  ASSERT_EQ(completed, expected);
  EXPECT_EXIT(for (int i = 0; i < 256; ++i) queue->p_Enqueue(std::make_shared<Recorder>(completed)),
              testing::ExitedWithCode(255), "AsyncQueue queue overflow!");
}

TEST(AsyncEventPump, ASourceThatRemovesItselfOrPumpsAgainSkipsNoOther) {
  std::vector<int> updates;
  auto leaving = std::make_shared<Recorder>(updates, 1), next = std::make_shared<Recorder>(updates, 2);
  leaving->onUpdate = [&] {
    vex_asyncevent_UpdateAsyncEvents(); // returns at once
    vex_asyncevent_RemoveAsyncEventSource(leaving.get());
  };
  vex_asyncevent_AddAsyncEventSource(leaving);
  vex_asyncevent_AddAsyncEventSource(next);
  vex_asyncevent_UpdateAsyncEvents();
  vex_asyncevent_UpdateAsyncEvents();
  vex_asyncevent_RemoveAsyncEventSource(next.get());
  EXPECT_EQ(updates, (std::vector<int>{1, 2, 2}));
}

TEST(Socket, CloseWakesABlockedReceiveAndAClosedPeerGivesMinusOneNotSigpipe) {
  Listener listener;
  std::vector<int> log;
  auto recorder = std::make_shared<Recorder>(log);
  std::shared_ptr<c_Socket> sockets[2] = {std::make_shared<c_Socket>(), std::make_shared<c_Socket>()};
  int servers[2];
  for (int i = 0; i < 2; ++i) {
    sockets[i]->m_new("stream");
    sockets[i]->p_ConnectAsync("127.0.0.1", listener.Port(), recorder);
    servers[i] = listener.Accept();
  }
  ASSERT_TRUE(PumpUntil([&] { return log == std::vector<int>{1, 1}; }));
  sockets[0]->p_ReceiveAsync(std::make_shared<c_DataBuffer>(8), 0, 8, recorder);
  PumpUntil([] { return false; }, 30);
  sockets[0]->p_Close();
  ASSERT_TRUE(PumpUntil([&] { return log.size() == 3; }, 2000)) << "the receive is still blocked";
  EXPECT_LE(log[2], 0);
  close(servers[1]);
  auto block = std::make_shared<c_DataBuffer>(65536);
  for (int i = 0, sent = 0; i < 50 && sent != -1; ++i, sent = log.back()) {
    size_t before = log.size();
    sockets[1]->p_SendAsync(block, 0, 65536, recorder);
    ASSERT_TRUE(PumpUntil([&] { return log.size() > before; }));
  }
  EXPECT_EQ(log.back(), -1);
  close(servers[0]);
}

} // namespace
