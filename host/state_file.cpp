// Reading and the crash-safe writing of the state file.
#include "host/state_file.h"

#include <fcntl.h>
#include <unistd.h>

#include "runtime/write_all.h"

namespace {

std::string TempPathFor(const std::string &path) { return path + ".tmp"; }

String DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  return String(std::move(units));
}

} // namespace

int WriteStateFile(const String &filePath, const String &state) {
  if (filePath.Empty()) return -1;
  const std::string path = filePath.ToUtf8();
  const std::string temp = TempPathFor(path);
  // Whatever sits at the temporary name (a save cut short, or a link planted
  // there) is removed first, and the file is created anew without following
  // links: a save must never write through a link into someone else's file.
  ::unlink(temp.c_str());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return -1;
  const std::string bytes = state.ToUtf8();
  bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  if (::close(fd) != 0) written = false;
  if (!written) {
    ::unlink(temp.c_str());
    return -2;
  }
  // The content is on the disk before the rename, which replaces the file in
  // one step: a crash leaves the old file or the new one. The directory is not
  // synced, so a power cut may keep the old one; both are whole saves.
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return -1;
  }
  return 0;
}

std::string ReadWholeFile(FILE *file) {
  std::string bytes;
  char block[4096];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, n);
  return bytes;
}

String DecodeStateText(std::string_view bytes) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() >= 2 && byte(0) == 254 && byte(1) == 255) return DecodeUtf16(bytes.substr(2), true);
  if (bytes.size() >= 2 && byte(0) == 255 && byte(1) == 254) return DecodeUtf16(bytes.substr(2), false);
  if (bytes.size() >= 3 && byte(0) == 239 && byte(1) == 187 && byte(2) == 191) bytes.remove_prefix(3);
  return String::FromUtf8(bytes);
}
