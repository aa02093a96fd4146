// Fixture for the menus, the options box, the pause menu, the badges and the
// save data: the game fixture with the state kept in memory (so no test reads
// or writes a state file unless it asks for one), and helpers that press keys,
// tap points and read back what the display list shows.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "game_fixture.h"

// A test host whose persistent state is a string in memory.
class MemoryStateHost : public TestHost {
public:
  std::string state;
  std::vector<std::string> saves;
  // When set, the host's real state file in the working directory is used.
  bool useFile = false;

  int SaveState(const String &text) override;
  String LoadState() override;
};

class MenusTest : public GameTest {
protected:
  void SetUp() override;
  // Creates the game on a saved state and finishes its loading.
  void StartWith(const std::string &state = "", int width = 640, int height = 480);
  MemoryStateHost &State() { return *static_cast<MemoryStateHost *>(host.get()); }

  // Keys held from now on (key codes of the input device).
  void Hold(std::set<int> keys);
  void Release() { Hold({}); }
  // Holds the keys for one update, then releases them for one update.
  void Press(std::set<int> keys);
  // Mouse button and touch point 0 down at a virtual position for one update.
  void TouchAt(float x, float y);
  // Touch and release: one update down, one update up.
  void Tap(float x, float y);
  void Updates(int n) {
    for (int i = 0; i < n; ++i) Update();
  }

  // Glyphs drawn in the current display list, in order (spaces draw nothing).
  std::string DrawnText() const;
  // Indexes of the records of a kind (an image slot or a shape kind).
  std::vector<int> RecordsOf(float kind) const;
  // Number of effects started with a sound slot since the test began.
  int SoundsPlayed() const;

  // Screen position of a map cell with the camera where it stands now.
  float CellX(int c) const { return 116.0f * static_cast<float>(c) - app->m_camX; }
  float CellY(int r) const { return 116.0f * static_cast<float>(r) - app->m_camY; }
  // Lets the camera reach its target so cells stand still between updates.
  void SettleCamera();
  // Lock flag of a map cell: 1 locked, 0 open.
  int Locked(int c, int r) const { return app->m_mapCells[16 * r + c]; }
  int OpenCells() const;

  // Loads a puzzle and pauses it as the board does on back.
  void PlayAndPause(int level = 5);
  // Opens the options box and lets it slide fully in.
  void OpenOptions();
};

// Number n of a save string, as text.
std::string SavedPart(const std::string &state, int n);

// Key codes used by the tests.
enum TestKeys {
  kKeyUp = 38,
  kKeyLeft = 37,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyEnter = 13,
  kKeyX = 88,
  kKeyN = 78,
  kKeyEscape = 27,
  kMouse = 1,
  kTouch0 = 384,
};
