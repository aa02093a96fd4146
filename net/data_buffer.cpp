// Data buffer allocation, loading, byte copies and text; see data_buffer.h.
#include "net/data_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "net/thread.h"
#include "runtime/error.h"

namespace {

enum class Encoding { Utf8, Ascii };

Encoding ParseEncoding(const String &name) {
  if (name == String("utf8")) return Encoding::Utf8;
  if (name == String("ascii")) return Encoding::Ascii;
  vexError("Invalid string encoding:" + name);
}

int SignExtend(unsigned char byte) { return static_cast<signed char>(byte); }

FileSource *bufferFiles = nullptr;

} // namespace

void SetDataBufferFileSource(FileSource *files) { bufferFiles = files; }

int vexClampCopyCount(int start, int length, int count) {
  if (start < 0 || count < 1) return 0;
  long long room = static_cast<long long>(length) - start;
  if (room < count) count = static_cast<int>(std::max(room, 0LL));
  return count;
}

bool VexDataBuffer::_New(int length, std::unique_ptr<unsigned char[]> data) {
  if (data_ || length < 0) return false;
  if (!data) {
    data.reset(new (std::nothrow) unsigned char[static_cast<size_t>(length) + 1]());
    if (!data) return false;
  }
  data_ = std::move(data);
  length_ = length;
  return true;
}

bool VexDataBuffer::_Load(const String &path) {
  if (data_ || !bufferFiles) return false;
  int length = 0;
  std::unique_ptr<unsigned char[]> data = bufferFiles->LoadData(path, &length);
  if (!data) return false;
  data_ = std::move(data);
  length_ = length;
  return true;
}

bool VexDataBuffer::_LoadAsync(const String &path, VexThread *thread) {
  // The result is this buffer's shared owner: a buffer without one could
  // only report success with no result.
  std::shared_ptr<VexDataBuffer> self = weak_from_this().lock();
  if (!self || !_Load(VexThread::Strdup(path))) return false;
  if (thread) thread->SetResult(std::move(self));
  return true;
}

void VexDataBuffer::Discard() {
  data_.reset();
  length_ = 0;
}

c_DataBuffer::c_DataBuffer(int length) { m_new(length); }

c_DataBuffer *c_DataBuffer::m_new(int length) {
  if (!_New(length)) vexError("Allocate DataBuffer failed");
  return this;
}

std::shared_ptr<c_DataBuffer> c_DataBuffer::m_Load(const String &path) {
  auto buffer = std::make_shared<c_DataBuffer>();
  if (!buffer->_Load(path)) return nullptr;
  return buffer;
}

int c_DataBuffer::FitCount(int address, int count) const { return vexClampCopyCount(address, length_, count); }

void c_DataBuffer::p_PokeBytes(int address, const Array<int> &bytes, int offset, int count) {
  count = vexClampCopyCount(offset, bytes.Length(), FitCount(address, count));
  for (int i = 0; i < count; ++i) data_[address + i] = static_cast<unsigned char>(bytes[offset + i]);
}

void c_DataBuffer::p_PeekBytes(int address, const Array<int> &bytes, int offset, int count) const {
  count = vexClampCopyCount(offset, bytes.Length(), FitCount(address, count));
  for (int i = 0; i < count; ++i) bytes[offset + i] = SignExtend(data_[address + i]);
}

Array<int> c_DataBuffer::p_PeekBytes2(int address, int count) const {
  Array<int> bytes(FitCount(address, count));
  p_PeekBytes(address, bytes, 0, bytes.Length());
  return bytes;
}

void c_DataBuffer::p_CopyBytes(int address, c_DataBuffer &dst, int dstAddress, int count) const {
  count = vexClampCopyCount(dstAddress, dst.length_, FitCount(address, count));
  if (count < 1) return;
  // memmove copies backwards exactly when the source starts below the target.
  std::memmove(dst.data_.get() + dstAddress, data_.get() + address, static_cast<size_t>(count));
}

int c_DataBuffer::p_PokeString(int address, const String &text, const String &encoding) {
  if (ParseEncoding(encoding) == Encoding::Ascii) {
    int count = FitCount(address, text.Length());
    for (int i = 0; i < count; ++i) data_[address + i] = static_cast<unsigned char>(text[i]);
    return text.Length();
  }
  std::string encoded = text.ToUtf8();
  int full = static_cast<int>(encoded.size());
  int count = FitCount(address, full);
  if (count > 0) std::memcpy(data_.get() + address, encoded.data(), static_cast<size_t>(count));
  return full;
}

String c_DataBuffer::p_PeekString(int address, int count, const String &encoding) const {
  Encoding kind = ParseEncoding(encoding);
  count = FitCount(address, count);
  if (count < 1) return String();
  std::string_view bytes(reinterpret_cast<const char *>(data_.get() + address), static_cast<size_t>(count));
  return kind == Encoding::Utf8 ? String::FromUtf8(bytes) : String::FromLatin1(bytes);
}

String c_DataBuffer::p_PeekString2(int address, const String &encoding) const {
  return p_PeekString(address, length_ - address, encoding);
}
