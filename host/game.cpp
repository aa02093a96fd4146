// VexGame: guarded entry points and the platform-neutral answers.
#include "host/game.h"

#include <ctime>

#include "audio/audio_data.h"
#include "graphics/image_data.h"
#include "host/state_file.h"
#include "net/data_buffer.h"
#include "runtime/error.h"
#include "runtime/object.h"

VexGame *VexGame::_game = nullptr;

namespace {
void HandFilesToLoaders(FileSource *files) {
  SetImageFileSource(files);
  SetAudioFileSource(files);
  SetDataBufferFileSource(files);
}
} // namespace

VexGame::VexGame() {
  _game = this;
  HandFilesToLoaders(this);
}

VexGame::~VexGame() {
  if (_game != this) return;
  _game = nullptr;
  HandFilesToLoaders(nullptr);
}

template <class F> void VexGame::Guarded(F &&call) {
  try {
    call();
  } catch (const ThrowableObject &) {
    Die();
  }
  gc_collect();
}

void VexGame::Die() {
  vexPrint("Quill Runtime Error : Uncaught Quill Exception");
  std::fflush(stdout);
  std::_Exit(255);
}

void VexGame::StartGame() {
  if (started) return;
  started = true;
  Guarded([&] { delegate_->StartGame(); });
}

void VexGame::SuspendGame() {
  if (!started || suspended) return;
  suspended = true;
  Guarded([&] { delegate_->SuspendGame(); });
}

void VexGame::ResumeGame() {
  if (!started || !suspended) return;
  suspended = false;
  Guarded([&] { delegate_->ResumeGame(); });
}

void VexGame::UpdateGame() {
  if (!started || suspended) return;
  Guarded([&] { delegate_->UpdateGame(); });
}

void VexGame::RenderGame() {
  if (!started) return;
  Guarded([&] { delegate_->RenderGame(); });
}

bool VexGame::PictureChanged() {
  bool changed = true;
  if (started) Guarded([&] { changed = delegate_->PictureChanged(); });
  return changed;
}

bool VexGame::ChangedAreas(VexAreas &areas) {
  bool bounded = false;
  if (started) Guarded([&] { bounded = delegate_->ChangedAreas(areas); });
  return bounded;
}

void VexGame::ClipFrame(std::span<const VexRect> areas) {
  if (started) Guarded([&] { delegate_->ClipFrame(areas); });
}

void VexGame::KeyEvent(int event, int data) {
  if (!started) return;
  Guarded([&] { delegate_->KeyEvent(event, data); });
}

void VexGame::MouseEvent(int event, int data, float x, float y) {
  if (!started) return;
  Guarded([&] { delegate_->MouseEvent(event, data, x, y); });
}

void VexGame::TouchEvent(int event, int data, float x, float y) {
  if (!started) return;
  Guarded([&] { delegate_->TouchEvent(event, data, x, y); });
}

void VexGame::MotionEvent(int event, int data, float x, float y, float z) {
  if (!started) return;
  Guarded([&] { delegate_->MotionEvent(event, data, x, y, z); });
}

void VexGame::DiscardGraphics() {
  if (!started) return;
  Guarded([&] { delegate_->DiscardGraphics(); });
}

void VexGame::GetDate(const Array<int> &date) {
  const int n = date.Length();
  if (n == 0) return;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const int parts[] = {
      local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0};
  for (int i = 0; i < n && i < 7; ++i) date[i] = parts[i];
}

bool VexGame::PollJoystick(int, const Array<float> &, const Array<float> &, const Array<float> &, const Array<bool> &) {
  return false;
}

FILE *VexGame::OpenFile(const String &path, const String &mode) {
  String file = PathToFilePath(path);
  if (file.Empty()) return nullptr;
  return std::fopen(file.ToUtf8().c_str(), mode.ToUtf8().c_str());
}

int VexGame::SaveState(const String &state) { return WriteStateFile(PathToFilePath(kStateFilePath), state); }

String VexGame::LoadState() { return LoadString(kStateFilePath); }

String VexGame::LoadString(const String &path) {
  FILE *file = OpenFile(path, "rb");
  if (!file) return String();
  std::string bytes = ReadWholeFile(file);
  std::fclose(file);
  return DecodeStateText(bytes);
}

std::unique_ptr<unsigned char[]> VexGame::LoadData(const String &path, int *length) {
  FILE *file = OpenFile(path, "rb");
  if (!file) return nullptr;
  std::string bytes = ReadWholeFile(file);
  std::fclose(file);
  auto data = std::make_unique<unsigned char[]>(bytes.size() ? bytes.size() : 1);
  std::copy(bytes.begin(), bytes.end(), data.get());
  if (length) *length = static_cast<int>(bytes.size());
  return data;
}
