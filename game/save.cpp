// The save string: settings, badges and scores as "|"-terminated decimal
// numbers in three blocks, each with its own checksum, so that a damaged block
// is dropped on its own while the others still load.
#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/flow.h"
#include "game/menu_map.h"
#include "game/names.h"
#include "runtime/error.h"

namespace {

constexpr int kBadgeWords = 8;
constexpr int kRecordsWritten = 229;
constexpr int kRecordsRead = kPuzzles;
// A record is read only when this many parts follow its first one; the five
// extra records the save writes keep the last real ones above the bound.
constexpr int kRecordReach = 20;
constexpr int kMaxDigitsRead = 63;

// Checksums wrap around as 32-bit signed sums.
int32_t Wrap(uint32_t value) { return static_cast<int32_t>(value); }

uint32_t Times(int factor, int value) { return static_cast<uint32_t>(factor) * static_cast<uint32_t>(value); }

int RecordChecksum(int record, int a0, int b0, int a1, int b1) {
  return Wrap(Times(4, a0) + Times(5, a1) + Times(record + 3, b0) + Times(record + 4, b1));
}

bool IsCSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Reads a part the way atoi does on this platform (a 64-bit strtol cut to 32
// bits): leading white space, a sign, digits up to the first other character.
// Only the first 63 characters count, each narrowed to its low byte.
int ReadNumber(std::u16string_view part) {
  if (part.size() > kMaxDigitsRead) part = part.substr(0, kMaxDigitsRead);
  size_t i = 0;
  auto at = [&](size_t k) { return static_cast<unsigned char>(part[k] & 0xFF); };
  while (i < part.size() && IsCSpace(at(i))) ++i;
  bool negative = false;
  if (i < part.size() && (at(i) == '+' || at(i) == '-')) negative = at(i++) == '-';
  constexpr uint64_t kLimit = uint64_t{INT64_MAX} + 1;
  uint64_t magnitude = 0;
  bool saturated = false;
  for (; i < part.size() && at(i) >= '0' && at(i) <= '9'; ++i) {
    if (saturated) continue;
    magnitude = magnitude * 10 + (at(i) - '0');
    if (magnitude >= kLimit) saturated = true;
  }
  int64_t value;
  if (saturated)
    value = negative ? INT64_MIN : INT64_MAX;
  else
    value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

using Parts = std::vector<std::u16string_view>;

// The text between the "|" separators; an empty text is one empty part.
Parts SplitParts(std::u16string_view text) {
  Parts parts;
  size_t start = 0;
  for (size_t bar = text.find(u'|'); bar != std::u16string_view::npos; bar = text.find(u'|', start)) {
    parts.push_back(text.substr(start, bar - start));
    start = bar + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

void Append(std::string &out, int value) {
  char digits[16];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
  out.push_back('|');
}

void ResetSettings(Array<int> &settings) {
  for (int i = 0; i < kSettingCount; ++i) settings[i] = 0;
  settings[kSettingSoundMode] = kSoundEffectsAndMusic;
}

int Number(const Parts &parts, int index) { return ReadNumber(parts[static_cast<size_t>(index)]); }

// Reads the settings block when the text is long enough to hold it; returns
// where the badge block starts.
int LoadSettings(const Parts &parts, Array<int> &settings) {
  if (static_cast<int>(parts.size()) < kSettingCount + 1) return 0;
  uint32_t sum = 0;
  for (int i = 0; i < kSettingCount; ++i) {
    settings[i] = Number(parts, i);
    sum += Times(i, settings[i]);
  }
  if (Wrap(sum) == Number(parts, kSettingCount)) {
    vexPrint("Settings Loaded");
  } else {
    vexPrint("Settings Checksum Invalid");
    ResetSettings(settings);
  }
  return kSettingCount + 1;
}

void KeepSettingFloors(Array<int> &settings) {
  if (settings[kSettingFloor64A] < 64) settings[kSettingFloor64A] = 64;
  if (settings[kSettingFloor64B] < 64) settings[kSettingFloor64B] = 64;
  if (settings[kSettingFloor8] < 8) settings[kSettingFloor8] = 10;
  settings[kSettingAlwaysOne] = 1;
}

// Reads the badge block when its checksum is there; returns where the
// records start.
int LoadBadges(const Parts &parts, int start, Array<bool> &badges) {
  if (start + kBadgeWords >= static_cast<int>(parts.size())) return start;
  uint32_t sum = 0;
  for (int g = 0; g < kBadgeWords; ++g) {
    uint32_t word = static_cast<uint32_t>(Number(parts, start + g));
    for (int j = 0; j < 32; ++j) badges[32 * g + j] = ((word >> j) & 1) != 0;
    sum += word;
  }
  if (Wrap(sum) == Number(parts, start + kBadgeWords)) {
    vexPrint("Badges Loaded");
  } else {
    vexPrint("Badge Checksum Invalid");
    for (int i = 0; i < kBadgeWords * 32; ++i) badges[i] = false;
  }
  return start + kBadgeWords + 1;
}

// A record failing its checksum zeroes its puzzle's four scores; records
// past the bound keep theirs.
void LoadRecords(const Parts &parts, int start, Array<int> &scores) {
  const int count = static_cast<int>(parts.size());
  for (int record = 0; record < kRecordsRead; ++record) {
    int p = start + 5 * record;
    if (p + kRecordReach >= count) break;
    int a0 = Number(parts, p), b0 = Number(parts, p + 1), a1 = Number(parts, p + 2), b1 = Number(parts, p + 3);
    bool valid = RecordChecksum(record, a0, b0, a1, b1) == Number(parts, p + 4);
    scores[2 * record] = valid ? a0 : 0;
    scores[2 * record + 1] = valid ? a1 : 0;
    scores[kLatestScores + 2 * record] = valid ? b0 : 0;
    scores[kLatestScores + 2 * record + 1] = valid ? b1 : 0;
  }
}

} // namespace

void c_MyApp::p_Save() {
  std::string out;
  out.reserve(8192);

  uint32_t settingsSum = 0;
  for (int i = 0; i < kSettingCount; ++i) {
    Append(out, m_settings[i]);
    settingsSum += Times(i, m_settings[i]);
  }
  Append(out, Wrap(settingsSum));

  uint32_t badgeSum = 0;
  for (int g = 0; g < kBadgeWords; ++g) {
    uint32_t word = 0;
    for (int j = 0; j < 32; ++j)
      if (m_badges[32 * g + j]) word |= uint32_t{1} << j;
    Append(out, Wrap(word));
    badgeSum += word;
  }
  Append(out, Wrap(badgeSum));

  for (int record = 0; record < kRecordsWritten; ++record) {
    int a0 = m_scores[2 * record], a1 = m_scores[2 * record + 1];
    int b0 = m_scores[kLatestScores + 2 * record], b1 = m_scores[kLatestScores + 2 * record + 1];
    Append(out, a0);
    Append(out, b0);
    Append(out, a1);
    Append(out, b1);
    Append(out, RecordChecksum(record, a0, b0, a1, b1));
  }

  String state = String::FromLatin1(out);
  if (vex_Tilemarch_DebugMode == 1) vexPrint(state);
  vex_app_SaveState(state);
}

void c_MyApp::p_Load() {
  LockMap(m_mapCells);

  String state = vex_app_LoadState();
  if (vex_Tilemarch_DebugMode == 1) vexPrint(state);
  const Parts parts = SplitParts(state.Units());
  const int badgeStart = LoadSettings(parts, m_settings);
  KeepSettingFloors(m_settings);
  vex_Tilemarch_overscan = 0;
  const int recordStart = LoadBadges(parts, badgeStart, m_badges);
  LoadRecords(parts, recordStart, m_scores);

  vexPrint("Highscores Loaded");
  m_menuX = kHowToCol;
  m_menuY = kHowToRow;
  m_selLevel = 112; // until the map's next update sets it
}
