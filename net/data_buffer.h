// Data buffers: fixed-size blocks of raw bytes.
//
// VexDataBuffer owns the block; c_DataBuffer adds the copy and text
// operations that the socket layer and the HTTP client use. A block, once
// held, is never replaced: every way of allocating refuses while one is held.
//
// Every copy clamps its count so that it stays inside both the buffer and the
// array (or the other buffer); a negative address or offset copies nothing.
// Bytes read back into ints are signed (0xFF reads as -1).
//
// Buffers that cross to a worker thread (socket operations, background loads)
// are shared through std::shared_ptr, so the worker keeps them alive; their
// bytes belong to the worker until its completion is delivered.
#pragma once

#include <memory>

#include "runtime/array.h"
#include "runtime/file_source.h"
#include "runtime/object.h"
#include "runtime/string.h"

class VexThread;

// The files buffers load; without any, no buffer loads.
void SetDataBufferFileSource(FileSource *files);

class VexDataBuffer : public Object, public std::enable_shared_from_this<VexDataBuffer> {
public:
  VexDataBuffer() = default;
  VexDataBuffer(const VexDataBuffer &) = delete;
  VexDataBuffer &operator=(const VexDataBuffer &) = delete;

  // Takes data as the block, or allocates length zeroed bytes when data is
  // null. False when a block is held, or when the length is negative or the
  // memory cannot be had.
  bool _New(int length, std::unique_ptr<unsigned char[]> data = nullptr);
  // The whole file through the file source's LoadData; false when a block is held or
  // the file cannot be read.
  bool _Load(const String &path);
  // _Load for a worker thread: works on a private copy of the path and hands
  // this buffer to thread as its result on success. False, loading nothing,
  // when the buffer is not owned by a shared_ptr. The caller must keep the
  // buffer and leave it alone until the thread is done.
  bool _LoadAsync(const String &path, VexThread *thread);
  void Discard();
  int Length() const { return length_; }
  // The block, or null when none is held.
  unsigned char *Bytes() const { return data_.get(); }

protected:
  std::unique_ptr<unsigned char[]> data_;
  int length_ = 0;
};

class c_DataBuffer : public VexDataBuffer {
public:
  c_DataBuffer() = default;
  // m_new(length) on construction.
  explicit c_DataBuffer(int length);

  // Allocates length bytes; "Allocate DataBuffer failed" when that is refused.
  c_DataBuffer *m_new(int length);
  // A new buffer with the whole file, or null.
  static std::shared_ptr<c_DataBuffer> m_Load(const String &path);

  void p_PokeBytes(int address, const Array<int> &bytes, int offset, int count);
  void p_PeekBytes(int address, const Array<int> &bytes, int offset, int count) const;
  Array<int> p_PeekBytes2(int address, int count) const;
  // Correct for overlapping ranges within one buffer.
  void p_CopyBytes(int address, c_DataBuffer &dst, int dstAddress, int count) const;
  // Writes as much of the encoded text as fits; returns the whole encoded
  // length. Encodings: "utf8" and "ascii"; any other name is the runtime
  // error "Invalid string encoding:" followed by the name. "utf8" is the
  // runtime's 16-bit flavour (String::ToUtf8 and FromUtf8): every code unit,
  // surrogate halves included, is one to three bytes, and a range holding
  // anything else reads back as 8-bit text, one unit per byte.
  int p_PokeString(int address, const String &text, const String &encoding);
  String p_PeekString(int address, int count, const String &encoding) const;
  String p_PeekString2(int address, const String &encoding) const;

private:
  // count cut so that it fits this buffer from address; 0 when nothing does.
  int FitCount(int address, int count) const;
};

// The count left after cutting it to fit [start, start + count) into length
// elements; 0 when start is negative or nothing fits.
int vexClampCopyCount(int start, int length, int count);
