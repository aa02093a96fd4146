// The asynchronous layer: the operation ring, the event pump, threads and
// sockets on loopback.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/async_queue.h"
#include "net/data_buffer.h"
#include "net/socket.h"
#include "net/socket_address.h"
#include "net/vex_socket.h"
#include "net_support.h"
#include "runtime/error.h"

namespace {

// An operation that records when it ran and completed.
class ProbeOp : public c_AsyncOp {
public:
  ProbeOp(int id, std::vector<int> *completed, std::atomic<int> *executed, int workMs = 0)
      : id_(id), completed_(completed), executed_(executed), workMs_(workMs) {}
  void p_Execute__UNSAFE__(c_Socket *) override {
    if (workMs_) std::this_thread::sleep_for(std::chrono::milliseconds(workMs_));
    ++*executed_;
  }
  void p_Complete(c_Socket *) override { completed_->push_back(id_); }

private:
  int id_;
  std::vector<int> *completed_;
  std::atomic<int> *executed_;
  int workMs_;
};

class AsyncQueue : public testing::Test {
protected:
  void Enqueue(int id, int workMs = 0) {
    queue->p_Enqueue(std::make_shared<ProbeOp>(id, &completed, &executed, workMs));
  }
  std::shared_ptr<c_AsyncQueue> queue = std::make_shared<c_AsyncQueue>(nullptr);
  std::vector<int> completed;
  std::atomic<int> executed{0};
};
using AsyncQueueDeathTest = AsyncQueue;

TEST_F(AsyncQueue, HoldsTwoHundredFiftyFiveOperationsAndCompletesThemInOrder) {
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 255; ++i) Enqueue(i, i % 50 == 0);
    for (int i = 0; i < 1000 && executed < 255 * (round + 1); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(executed, 255 * (round + 1));
    EXPECT_TRUE(completed.empty());
    for (int i = 0; i < 100 && completed.size() < 255; ++i) {
      queue->p_UpdateAsyncEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(completed.size(), 255u);
    for (int i = 0; i < 255; ++i) EXPECT_EQ(completed[i], i);
    completed.clear();
  }
}

TEST_F(AsyncQueueDeathTest, TheTwoHundredFiftySixthOutstandingOperationOverflows) {
  for (int i = 0; i < 255; ++i) Enqueue(i);
  EXPECT_EXIT(Enqueue(255), testing::ExitedWithCode(255), "AsyncQueue queue overflow!");
}

TEST_F(AsyncQueue, AWorkerThatEndedIsStartedAgainForNewWork) {
  for (int i = 0; i < 300; ++i) {
    Enqueue(i);
    for (int k = 0; k < 2000 && completed.size() <= static_cast<size_t>(i); ++k) {
      queue->p_UpdateAsyncEvents();
      if (completed.size() <= static_cast<size_t>(i)) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ASSERT_EQ(completed.size(), static_cast<size_t>(i + 1));
    ASSERT_EQ(completed.back(), i);
  }
}

class CountingSource : public c_IAsyncEventSource {
public:
  std::function<void()> onUpdate;
  int updates = 0;
  void p_UpdateAsyncEvents() override {
    ++updates;
    if (onUpdate) onUpdate();
  }
};

TEST(AsyncEventPump, APumpCalledFromAnUpdateReturnsAtOnce) {
  auto outer = std::make_shared<CountingSource>();
  auto other = std::make_shared<CountingSource>();
  outer->onUpdate = [] { vex_asyncevent_UpdateAsyncEvents(); };
  vex_asyncevent_AddAsyncEventSource(outer);
  vex_asyncevent_AddAsyncEventSource(other);
  vex_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(outer->updates, 1);
  EXPECT_EQ(other->updates, 1);
  EXPECT_EQ(vex_asyncevent__current, nullptr);
  vex_asyncevent_RemoveAsyncEventSource(outer.get());
  vex_asyncevent_RemoveAsyncEventSource(other.get());
}

TEST(AsyncEventPump, ASourceThatRemovesItselfDoesNotSkipTheNextOne) {
  auto leaving = std::make_shared<CountingSource>();
  auto next = std::make_shared<CountingSource>();
  leaving->onUpdate = [&] {
    vex_asyncevent_RemoveAsyncEventSource(leaving.get());
    vex_asyncevent_UpdateAsyncEvents();
  };
  vex_asyncevent_AddAsyncEventSource(leaving);
  vex_asyncevent_AddAsyncEventSource(next);
  vex_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(leaving->updates, 1);
  EXPECT_EQ(next->updates, 1);
  vex_asyncevent_UpdateAsyncEvents();
  EXPECT_EQ(leaving->updates, 1);
  EXPECT_EQ(next->updates, 2);
  vex_asyncevent_RemoveAsyncEventSource(next.get());
}

TEST(AsyncEventPumpDeathTest, ASourceRegisteredTwiceIsARuntimeError) {
  auto source = std::make_shared<CountingSource>();
  vex_asyncevent_AddAsyncEventSource(source);
  EXPECT_EXIT(vex_asyncevent_AddAsyncEventSource(source), testing::ExitedWithCode(255),
              "Async event source is already active");
  vex_asyncevent_RemoveAsyncEventSource(source.get());
}

class StartCounter : public c_Thread {
public:
  std::atomic<int> runs{0};
  std::atomic<bool> release{false};
  void Run__UNSAFE__() override {
    ++runs;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
};

TEST(Thread, StartsOnceWhileRunningAndAgainAfterwards) {
  auto thread = std::make_shared<StartCounter>();
  EXPECT_FALSE(thread->IsRunning());
  thread->Start();
  thread->Start();
  EXPECT_TRUE(thread->IsRunning());
  thread->release = true;
  for (int i = 0; i < 500 && thread->IsRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_FALSE(thread->IsRunning());
  EXPECT_EQ(thread->runs, 1);
  thread->Start();
  for (int i = 0; i < 500 && thread->IsRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  EXPECT_EQ(thread->runs, 2);
}

// Records every completion a socket delivers.
class Recorder : public c_IOnConnectComplete, public c_IOnSendComplete, public c_IOnReceiveComplete {
public:
  std::vector<std::string> events;
  int connects = 0;
  bool connected = false;
  std::vector<int> sent, received;

  void p_OnConnectComplete(bool ok, c_Socket *) override {
    ++connects;
    connected = ok;
    events.push_back("connect");
  }
  void p_OnSendComplete(const std::shared_ptr<c_DataBuffer> &, int, int count, c_Socket *) override {
    sent.push_back(count);
    events.push_back("send");
  }
  void p_OnReceiveComplete(const std::shared_ptr<c_DataBuffer> &, int, int count, c_Socket *) override {
    received.push_back(count);
    events.push_back("receive");
  }
};

std::shared_ptr<c_Socket> NewStream() {
  auto socket = std::make_shared<c_Socket>();
  socket->m_new("stream");
  return socket;
}

// A socket connected to a listener, with the server's end of the connection.
struct ConnectedPair {
  Listener listener;
  std::shared_ptr<c_Socket> client = NewStream();
  std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
  int server = -1;

  ConnectedPair() {
    client->p_ConnectAsync("127.0.0.1", listener.Port(), recorder);
    server = listener.Accept();
    PumpUntil([&] { return recorder->connects > 0; });
  }
  ~ConnectedPair() {
    client->p_Close();
    if (server != -1) close(server);
  }
};

TEST(Socket, ConnectSetsTheConnectedFlagsAndCloseClearsThem) {
  ConnectedPair pair;
  ASSERT_TRUE(pair.recorder->connected);
  EXPECT_EQ(pair.client->m_flags, 1 | 2 | 4);
  EXPECT_TRUE(pair.client->p_IsConnected());
  EXPECT_FALSE(pair.client->p_IsListening());
  // Connecting again is dropped.
  pair.client->p_ConnectAsync("127.0.0.1", pair.listener.Port(), pair.recorder);
  PumpFor(50);
  EXPECT_EQ(pair.recorder->connects, 1);
  pair.client->p_Close();
  EXPECT_EQ(pair.client->m_flags, 0);
  EXPECT_FALSE(pair.client->Socket()->IsOpen());
}

TEST(Socket, FailedConnectsReportFalseAndLeaveTheSocketOpen) {
  auto socket = NewStream();
  auto recorder = std::make_shared<Recorder>();
  socket->p_ConnectAsync("127.0.0.1", ClosedPort(), recorder);
  ASSERT_TRUE(PumpUntil([&] { return recorder->connects == 1; }));
  EXPECT_FALSE(recorder->connected);
  EXPECT_EQ(socket->m_flags, 1);

  // A name that does not resolve is tried at 0.0.0.0, which must not reach a
  // server listening on this machine.
  Listener listener;
  socket->p_ConnectAsync("no-such-host.invalid", listener.Port(), recorder);
  ASSERT_TRUE(PumpUntil([&] { return recorder->connects == 2; }, 15000));
  EXPECT_FALSE(recorder->connected);
  EXPECT_EQ(listener.Accept(100), -1);
  socket->p_Close();
}

TEST(Socket, OperationsInTheWrongStateAreDroppedWithoutACallback) {
  auto socket = NewStream();
  auto recorder = std::make_shared<Recorder>();
  auto buffer = std::make_shared<c_DataBuffer>(16);
  socket->p_SendAsync(buffer, 0, 16, recorder);
  socket->p_ReceiveAsync(buffer, 0, 16, recorder);
  socket->p_Close();
  Listener listener;
  socket->p_ConnectAsync("127.0.0.1", listener.Port(), recorder);
  PumpFor(100);
  EXPECT_TRUE(recorder->events.empty());
  EXPECT_EQ(listener.Accept(50), -1);
}

TEST(Socket, SendsAndReceivesRunIndependently) {
  ConnectedPair pair;
  ASSERT_TRUE(pair.recorder->connected);
  auto in = std::make_shared<c_DataBuffer>(64);
  auto out = std::make_shared<c_DataBuffer>(64);
  out->p_PokeString(0, "ping", "ascii");
  // The receive blocks until the server speaks; the send must not wait for it.
  pair.client->p_ReceiveAsync(in, 0, 64, pair.recorder);
  pair.client->p_SendAsync(out, 0, 4, pair.recorder);
  ASSERT_TRUE(PumpUntil([&] { return !pair.recorder->sent.empty(); }));
  EXPECT_EQ(pair.recorder->sent[0], 4);
  EXPECT_TRUE(pair.recorder->received.empty());
  EXPECT_EQ(ReadRequest(pair.server, 200), "ping");
  send(pair.server, "pong!", 5, 0);
  ASSERT_TRUE(PumpUntil([&] { return !pair.recorder->received.empty(); }));
  EXPECT_EQ(pair.recorder->received[0], 5);
  EXPECT_EQ(in->p_PeekString(0, 5, "ascii"), String("pong!"));
  // The peer closing reads as 0.
  close(pair.server);
  pair.server = -1;
  pair.client->p_ReceiveAsync(in, 0, 64, pair.recorder);
  ASSERT_TRUE(PumpUntil([&] { return pair.recorder->received.size() == 2; }));
  EXPECT_EQ(pair.recorder->received[1], 0);
}

TEST(Socket, SendingToAPeerThatClosedGivesMinusOneInsteadOfSigpipe) {
  ConnectedPair pair;
  ASSERT_TRUE(pair.recorder->connected);
  close(pair.server);
  pair.server = -1;
  auto block = std::make_shared<c_DataBuffer>(65536);
  for (int i = 0; i < 50 && (pair.recorder->sent.empty() || pair.recorder->sent.back() != -1); ++i) {
    size_t before = pair.recorder->sent.size();
    pair.client->p_SendAsync(block, 0, 65536, pair.recorder);
    ASSERT_TRUE(PumpUntil([&] { return pair.recorder->sent.size() > before; }));
  }
  EXPECT_EQ(pair.recorder->sent.back(), -1);
  EXPECT_TRUE(pair.client->p_IsConnected());
}

TEST(Socket, CloseWakesAReceiveBlockedOnAWorker) {
  ConnectedPair pair;
  auto in = std::make_shared<c_DataBuffer>(8);
  pair.client->p_ReceiveAsync(in, 0, 8, pair.recorder);
  PumpFor(30);
  pair.client->p_Close();
  ASSERT_TRUE(PumpUntil([&] { return !pair.recorder->received.empty(); }, 2000));
  EXPECT_LE(pair.recorder->received[0], 0);
}

void OpenWithNoDescriptorsLeft() {
  auto socket = std::make_shared<c_Socket>();
  // Every descriptor below the limit taken, so the socket cannot have one.
  rlimit few{64, 64};
  setrlimit(RLIMIT_NOFILE, &few);
  while (dup(0) != -1) {
  }
  socket->m_new("datagram");
}

TEST(SocketDeathTest, AnUnknownProtocolIsARuntimeError) {
  EXPECT_EXIT(std::make_shared<c_Socket>()->m_new("tcp"), testing::ExitedWithCode(255), "Illegal socket protocol");
}

TEST(SocketDeathTest, NoDescriptorForASocketIsARuntimeError) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizers' own checks need free descriptors";
#endif
  EXPECT_EXIT(OpenWithNoDescriptorsLeft(), testing::ExitedWithCode(255), "Socket open failed");
}

TEST(VexSocket, ServerAcceptsAndDatagramsCarryTheirSender) {
  VexSocket server;
  ASSERT_TRUE(server.Open(2));
  ASSERT_TRUE(server.Bind("127.0.0.1", 0));
  ASSERT_TRUE(server.Listen(4));
  VexSocketAddress local;
  server.GetLocalAddress(local);
  EXPECT_EQ(local.Host(), String("127.0.0.1"));
  VexSocket client;
  ASSERT_TRUE(client.Open(1));
  ASSERT_TRUE(client.Connect("localhost", local.Port()));
  ASSERT_TRUE(server.Accept());
  std::shared_ptr<VexSocket> accepted = server.Accepted();
  ASSERT_TRUE(accepted);
  EXPECT_EQ(server.Accepted(), nullptr);
  VexSocketAddress peer;
  accepted->GetRemoteAddress(peer);
  VexSocketAddress clientLocal;
  client.GetLocalAddress(clientLocal);
  EXPECT_EQ(peer.Port(), clientLocal.Port());

  VexSocket a, b;
  ASSERT_TRUE(a.Open(3));
  ASSERT_TRUE(b.Open(3));
  ASSERT_TRUE(a.Bind("127.0.0.1", 0));
  ASSERT_TRUE(b.Bind("127.0.0.1", 0));
  VexSocketAddress aAddress, bAddress;
  a.GetLocalAddress(aAddress);
  b.GetLocalAddress(bAddress);
  c_DataBuffer buffer(16);
  buffer.p_PokeString(0, "hello", "ascii");
  EXPECT_EQ(a.SendTo(buffer, 0, 5, bAddress), 5);
  c_DataBuffer in(16);
  VexSocketAddress from;
  EXPECT_EQ(b.ReceiveFrom(in, 2, 100, from), 5);
  EXPECT_EQ(in.p_PeekString(2, 5, "ascii"), String("hello"));
  EXPECT_EQ(from.Port(), aAddress.Port());
  // Ranges outside the buffer are refused rather than read.
  EXPECT_EQ(a.SendTo(buffer, 17, 1, bAddress), -1);
  EXPECT_EQ(a.SendTo(buffer, -1, 1, bAddress), -1);
}

TEST(SocketAddress, ResolvesNamesAndFallsBackToAny) {
  VexSocketAddress address;
  address.Set("127.0.0.1", 8080);
  EXPECT_EQ(address.Host(), String("127.0.0.1"));
  EXPECT_EQ(address.Port(), 8080);
  address.Set("localhost", 80);
  EXPECT_EQ(address.Host(), String("127.0.0.1"));
  address.Set("no-such-host.invalid", 80);
  EXPECT_EQ(address.Host(), String("0.0.0.0"));
  address.Set(String(std::u16string(1024, u'a')), 1);
  EXPECT_EQ(address.Host(), String("0.0.0.0"));
  VexSocketAddress copy;
  copy.Set(address);
  EXPECT_EQ(copy.Port(), 1);
}

} // namespace
