// Data buffers: clamped copies, signed bytes, the two text encodings, loading.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "host/game.h"
#include "net/data_buffer.h"
#include "net/thread.h"
#include "runtime/error.h"

namespace {

std::vector<int> BytesOf(const c_DataBuffer &buffer, int address, int count) {
  Array<int> bytes = buffer.p_PeekBytes2(address, count);
  return std::vector<int>(bytes.begin(), bytes.end());
}

String Units(std::u16string units) { return String(std::move(units)); }

TEST(DataBufferText, EachEncodingWritesItsBytesAndReadsThemBack) {
  struct Case {
    std::u16string text;
    const char *encoding;
    std::vector<int> bytes;
    std::u16string back;
  };
  const Case cases[] = {
      {u"Tile 8x8", "utf8", {'T', 'i', 'l', 'e', ' ', '8', 'x', '8'}, u"Tile 8x8"},
      {u"\u00e9", "utf8", {-61, -87}, u"\u00e9"},       // C3 A9
      {u"\u20ac", "utf8", {-30, -126, -84}, u"\u20ac"}, // E2 82 AC
      // Surrogate halves are written and read one by one: ED A0 BD ED B8 80.
      {u"\U0001F600", "utf8", {-19, -96, -67, -19, -72, -128}, u"\U0001F600"},
      // ASCII keeps the low byte.
      {u"A\u00e9\u20ac", "ascii", {65, -23, -84}, u"A\u00e9\u00ac"},
  };
  for (const Case &c : cases) {
    c_DataBuffer buffer(32);
    int length = static_cast<int>(c.bytes.size());
    EXPECT_EQ(buffer.p_PokeString(0, Units(c.text), c.encoding), length);
    EXPECT_EQ(BytesOf(buffer, 0, length), c.bytes);
    EXPECT_EQ(buffer.p_PeekString(0, length, c.encoding), Units(c.back));
  }
}

TEST(DataBufferText, InvalidCutOrFourByteUtf8FallsBackToEightBitText) {
  const std::pair<Array<int>, std::u16string> cases[] = {
      {{0xC3, 0x28}, u"\u00c3("},
      {{'a', 0xF0, 0x9F, 0x98, 0x80}, u"a\u00f0\u009f\u0098\u0080"},
      {{'x', 0xE2, 0x82}, u"x\u00e2\u0082"}, // cut off at the end of the range
      {{0x80, 'y'}, u"\u0080y"},             // a stray continuation byte
  };
  for (const auto &[bytes, text] : cases) {
    c_DataBuffer buffer(8);
    buffer.p_PokeBytes(0, bytes, 0, bytes.Length());
    EXPECT_EQ(buffer.p_PeekString(0, bytes.Length(), "utf8"), Units(text));
  }
}

TEST(DataBufferText, PokeNearTheEndWritesWhatFitsAndReturnsTheFullLength) {
  c_DataBuffer buffer(20);
  buffer.p_PokeBytes(0, Array<int>(20), 0, 20);
  EXPECT_EQ(buffer.p_PokeString(16, "0123456789", "utf8"), 10);
  EXPECT_EQ(buffer.p_PeekString2(16, "ascii"), String("0123"));
  EXPECT_EQ(buffer.p_PokeString(18, Units(u"\u20ac\u20ac"), "utf8"), 6);
  EXPECT_EQ(BytesOf(buffer, 16, 4), (std::vector<int>{'0', '1', -30, -126}));
  EXPECT_EQ(buffer.p_PokeString(16, "0123456789", "ascii"), 10);
  EXPECT_EQ(buffer.p_PokeString(25, "past the end", "utf8"), 12);
  EXPECT_EQ(buffer.p_PeekString(18, 100, "ascii"), String("23"));
  EXPECT_EQ(buffer.p_PeekString(30, 5, "ascii"), String());
}

TEST(DataBufferBytes, BytesAreStoredLowEightBitsAndReadSigned) {
  c_DataBuffer buffer(4);
  buffer.p_PokeBytes(0, Array<int>{0xFF, 0x80, 300, -1}, 0, 4);
  EXPECT_EQ(BytesOf(buffer, 0, 4), (std::vector<int>{-1, -128, 44, -1}));
  Array<int> out(6);
  buffer.p_PeekBytes(1, out, 2, 10);
  EXPECT_EQ(std::vector<int>(out.begin(), out.end()), (std::vector<int>{0, 0, -128, 44, -1, 0}));
}

TEST(DataBufferBytes, CopiesAreCutToBothSides) {
  c_DataBuffer buffer(8);
  buffer.p_PokeBytes(0, Array<int>{1, 2, 3, 4, 5, 6, 7, 8}, 0, 8);
  // The array offset limits the count as well as the buffer.
  buffer.p_PokeBytes(6, Array<int>{9, 9, 9}, 1, 5);
  EXPECT_EQ(BytesOf(buffer, 0, 8), (std::vector<int>{1, 2, 3, 4, 5, 6, 9, 9}));
  buffer.p_PokeBytes(2, Array<int>{7, 7}, 3, 2);
  EXPECT_EQ(BytesOf(buffer, 0, 8), (std::vector<int>{1, 2, 3, 4, 5, 6, 9, 9}));
  EXPECT_EQ(buffer.p_PeekBytes2(6, 10).Length(), 2);
  EXPECT_EQ(buffer.p_PeekBytes2(9, 10).Length(), 0);
  EXPECT_EQ(buffer.p_PeekBytes2(0, -3).Length(), 0);
}

TEST(DataBufferBytes, NegativeAddressesAndHugeCountsCopyNothing) {
  c_DataBuffer buffer(8);
  buffer.p_PokeBytes(0, Array<int>{1, 2, 3, 4, 5, 6, 7, 8}, 0, 8);
  Array<int> out(4);
  buffer.p_PeekBytes(-2, out, 0, 4);
  buffer.p_PeekBytes(0, out, -2, 4);
  EXPECT_EQ(std::vector<int>(out.begin(), out.end()), (std::vector<int>{0, 0, 0, 0}));
  buffer.p_PokeBytes(-1, Array<int>{9, 9}, 0, 2);
  EXPECT_EQ(buffer.p_PokeString(-3, "abc", "utf8"), 3);
  EXPECT_EQ(buffer.p_PeekString(-1, 3, "ascii"), String());
  // address + count overflowing int must still be cut to the buffer.
  EXPECT_EQ(buffer.p_PeekBytes2(4, 0x7FFFFFFF).Length(), 4);
  EXPECT_EQ(BytesOf(buffer, 0, 8), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(DataBufferBytes, OverlappingCopiesWithinOneBufferDoNotSmear) {
  c_DataBuffer buffer(12);
  buffer.p_PokeBytes(0, Array<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0, 12);
  buffer.p_CopyBytes(0, buffer, 1, 10);
  EXPECT_EQ(BytesOf(buffer, 0, 12), (std::vector<int>{1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}));
  buffer.p_CopyBytes(2, buffer, 0, 10);
  EXPECT_EQ(BytesOf(buffer, 0, 12), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 10, 12}));

  c_DataBuffer small(3);
  buffer.p_CopyBytes(0, small, 1, 12);
  EXPECT_EQ(BytesOf(small, 0, 3), (std::vector<int>{0, 2, 3}));
  buffer.p_CopyBytes(10, small, 0, 12);
  EXPECT_EQ(BytesOf(small, 0, 3), (std::vector<int>{10, 12, 3}));
}

TEST(DataBufferAllocation, ABlockOnceHeldIsNeverReplaced) {
  c_DataBuffer buffer(5);
  EXPECT_EQ(buffer.Length(), 5);
  EXPECT_FALSE(buffer._New(10));
  EXPECT_EQ(buffer.Length(), 5);
  buffer.Discard();
  EXPECT_EQ(buffer.Length(), 0);
  EXPECT_EQ(buffer.Bytes(), nullptr);
  EXPECT_TRUE(buffer._New(2, std::make_unique<unsigned char[]>(2)));
  EXPECT_EQ(buffer.Length(), 2);
  EXPECT_FALSE(buffer._New(-1));
  c_DataBuffer empty(0);
  EXPECT_EQ(empty.p_PeekString2(0, "utf8"), String());
}

TEST(DataBufferDeathTest, UnknownEncodingAndRefusedAllocationAreRuntimeErrors) {
  c_DataBuffer buffer(4);
  EXPECT_EXIT(buffer.p_PokeString(0, "x", "utf16"), testing::ExitedWithCode(255), "Invalid string encoding:utf16");
  EXPECT_EXIT(buffer.p_PeekString(0, 1, "UTF8"), testing::ExitedWithCode(255), "Invalid string encoding:UTF8");
  EXPECT_EXIT(buffer.m_new(8), testing::ExitedWithCode(255), "Allocate DataBuffer failed");
  EXPECT_EXIT(c_DataBuffer(-5), testing::ExitedWithCode(255), "Allocate DataBuffer failed");
}

class DataBufferLoad : public testing::Test {
protected:
  VexGame host_;
  String path_ = String(TILEMARCH_TEST_DATA) + "/sample.bin";
};

TEST_F(DataBufferLoad, LoadsAWholeFileThroughTheHost) {
  std::shared_ptr<c_DataBuffer> buffer = c_DataBuffer::m_Load(path_);
  ASSERT_TRUE(buffer);
  EXPECT_EQ(buffer->Length(), 12);
  EXPECT_EQ(buffer->p_PeekString2(0, "utf8"), Units(u"Tilemarch\u00e9\n"));
  EXPECT_FALSE(buffer->_Load(path_));
  EXPECT_EQ(c_DataBuffer::m_Load(String(TILEMARCH_TEST_DATA) + "/missing.bin"), nullptr);
  EXPECT_EQ(c_DataBuffer::m_Load("quill:nowhere/x"), nullptr);
}

class LoadThread : public c_Thread {
public:
  LoadThread(std::shared_ptr<c_DataBuffer> buffer, String path) : buffer_(std::move(buffer)), path_(std::move(path)) {}
  void Run__UNSAFE__() override { ok_ = buffer_->_LoadAsync(path_, this); }
  std::atomic<bool> ok_{false};

private:
  std::shared_ptr<c_DataBuffer> buffer_;
  String path_;
};

bool WaitFinished(const VexThread &thread) {
  for (int i = 0; i < 500 && thread.IsRunning(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return !thread.IsRunning();
}

TEST_F(DataBufferLoad, LoadsOnAWorkerAndHandsTheBufferOverAsResult) {
  auto buffer = std::make_shared<c_DataBuffer>();
  auto thread = std::make_shared<LoadThread>(buffer, path_);
  thread->Start();
  ASSERT_TRUE(WaitFinished(*thread));
  EXPECT_TRUE(thread->ok_);
  EXPECT_EQ(thread->Result(), buffer);
  EXPECT_EQ(buffer->Length(), 12);

  auto missing = std::make_shared<LoadThread>(std::make_shared<c_DataBuffer>(), path_ + ".gone");
  missing->Start();
  ASSERT_TRUE(WaitFinished(*missing));
  EXPECT_FALSE(missing->ok_);
  EXPECT_EQ(missing->Result(), nullptr);
}

} // namespace
