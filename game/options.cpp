// The options box: a panel that slides over the paused game with the sound
// mode, the iCade mapping, full screen and the two stick axes. It keeps its
// own input latches, because the game's latches are held set while it is open
// so that the screen beneath reacts to nothing.
#include <iterator>

#include "game/flow.h"
#include "game/names.h"

namespace {

constexpr int kSlideIn = 30;
constexpr int kGearFrames[] = {8, 9, 10};
constexpr float kGearTurns[] = {0.66f, -0.33f, -1.0f};
constexpr int kBackRow = 0;

int SoundModes() { return vex_Tilemarch_HasMusicStream == 1 ? kSoundModes : kSoundModesWithoutMusic; }

// A mode out of range (saved with music and read without, or damaged) is off.
int &SoundMode(c_MyApp &app) {
  int &mode = app.m_settings[kSettingSoundMode];
  if (mode < 0 || mode >= SoundModes()) mode = 0;
  return mode;
}

void NextSoundMode(c_MyApp &app) {
  int &mode = SoundMode(app);
  mode = (mode + 1) % SoundModes();
  if (vex_Tilemarch_HasMusicStream != 1) return;
  if (!ModePlaysMusic(mode))
    app.p_StopTune();
  else if (app.m_state >= kStatePuzzle)
    app.p_PlayTune("-1", 1);
}

String SoundText(c_MyApp &app) {
  static const char *const kWithMusic[] = {"Sound : Off", "Sound : SFX + Music", "Sound : SFX", "Sound : Music"};
  static const char *const kEffectsOnly[] = {"Sound : Off", "Sound : On"};
  const int mode = SoundMode(app);
  return vex_Tilemarch_HasMusicStream == 1 ? kWithMusic[mode] : kEffectsOnly[mode];
}

template <int kSetting> void FlipAxis(c_MyApp &app) {
  int &axis = app.m_settings[kSetting];
  axis = axis == 1 ? 0 : 1;
}

template <int kSetting> String AxisText(c_MyApp &app) {
  const bool normal = app.m_settings[kSetting] == 1;
  if (kSetting == kSettingLeftStickY) return normal ? "Left Thumbstick Y Normal" : "Left Thumbstick Y Flipped";
  return normal ? "Right Thumbstick Y Normal" : "Right Thumbstick Y Flipped";
}

// The rows under the back header, numbered from 1 as drawn: what a row does
// when activated, and its text (read after any change).
struct OptionRow {
  void (*change)(c_MyApp &app);
  String (*text)(c_MyApp &app);
};

const OptionRow kRows[] = {
    {NextSoundMode, SoundText},
    {[](c_MyApp &app) {
       app.p_iCade(vex_Tilemarch_iCadeControls == 1 ? 0 : 1);
       for (int i = 0; i < 20; ++i) app.m_vButtons[i] = 0;
     },
     [](c_MyApp &) { return String(vex_Tilemarch_iCadeControls == 1 ? "iCade : On" : "iCade : Off"); }},
    {[](c_MyApp &app) { app.p_FullscreenFlip(); },
     [](c_MyApp &app) { return String(app.m_fullscreen == 1 ? "Windowed" : "Fullscreen"); }},
    {FlipAxis<kSettingLeftStickY>, AxisText<kSettingLeftStickY>},
    {FlipAxis<kSettingRightStickY>, AxisText<kSettingRightStickY>},
};
constexpr int kLastRow = static_cast<int>(std::size(kRows));

} // namespace

int c_MyApp::p_Gear(float x, float y, float scale) {
  p_SetSize(scale);
  for (int i = 0; i < 3; ++i) {
    p_SetRot(kGearTurns[i] * m_gearAngle);
    p_DrawImg(kButtonsSlot, x, y, kGearFrames[i]);
  }
  p_SetRot(0);
  if (m_pointerDown == 0) return 0;
  return TouchInBox(x, y, FrameBox(kButtonsSlot)) ? 1 : 0;
}

void c_MyApp::p_OptionBox() {
  const float W = vex_Tilemarch_jscrw, H = vex_Tilemarch_jscrh;
  const int t = m_optionsSlide;
  p_ResetDraw();
  m_keyLatch = m_touchLatch = 1;
  if (t != kSlideIn) m_optKeyLatch = m_optTouchLatch = 1;

  const float top = static_cast<float>((kSlideIn - t) * 24);
  p_SetCol(150, 75, 0, 0.85f);
  p_Rect(50, top, W - 100, H);
  OptionsHeader(static_cast<float>((3 * t - 90) * 4 + 100));
  OptionsRows(top);
  MoveOptionsSelection();

  if (m_pointerDown == 0) m_optTouchLatch = 0;
  bool held = false;
  for (int action : kLatchActions)
    if ((held = AnyPlayerHolds(action))) break;
  if (!held) m_optKeyLatch = 0;
  p_ResetDraw();
}

void c_MyApp::CloseOptions() {
  m_optionsOpen = 0;
  p_PlaySFX(kSoundTick, 1, 1, 0);
  p_Save();
}

// The turning gear and "back", which close the box at a tap or at back.
void c_MyApp::OptionsHeader(float x) {
  m_gearAngle += 0.2f;
  p_SetCol(255, 255, 255, 1);
  const bool hit = p_Gear(x, 60, m_optionsRow == kBackRow ? 2.0f : 1.5f) != 0;
  p_SetSize(2);
  p_Text(x + 76, 60, "<[BACK]", 0, 1, 0);
  if ((hit || AnyPlayerHolds(kActionBack)) && m_optKeyLatch == 0 && m_optTouchLatch == 0) {
    CloseOptions();
    m_keyLatch = m_touchLatch = 1;
    // The box is done for this update: nothing below may act on the same press.
    m_optKeyLatch = m_optTouchLatch = 1;
  }
}

// A row acts once per tap or press: at a tap on it, or at a button while it
// is selected, and only when the box takes input at all.
void c_MyApp::OptionsRows(float top) {
  const float W = vex_Tilemarch_jscrw;
  const bool buttonPressed = AnyPlayerHoldsButton();
  for (int k = 1; k <= kLastRow; ++k) {
    m_optionsRows = k;
    const float x = 100, y = top + 130 + 40 * static_cast<float>(k - 1);
    if (m_optionsRow == k)
      p_SetCol(0, 180, 255, 0.5f);
    else
      p_SetCol(0, 0, 160, 0.5f);
    bool activated = false;
    if (p_Touch(84, y - 2, W - 168, 24) != 0 && m_optTouchLatch == 0) {
      m_optionsRow = k;
      activated = true;
    }
    if (m_optionsRow == k && buttonPressed) activated = true;

    const OptionRow &row = kRows[k - 1];
    if (activated && m_optKeyLatch == 0 && m_optTouchLatch == 0) {
      row.change(*this);
      m_optKeyLatch = m_optTouchLatch = 1;
      p_PlaySFX(kSoundTick, 1, 1, 0);
      // A change is kept at once, not only when the box closes.
      p_Save();
    }
    p_SetCol(255, 255, 255, 1);
    p_SetSize(2);
    p_Text(x, y, row.text(*this), 0, 0, 0);
    p_SetSize(1);
  }
}

// The checks run in order and stop at the first that acts.
void c_MyApp::MoveOptionsSelection() {
  if (m_optKeyLatch != 0) return;
  auto moveTo = [this](int row) {
    m_optionsRow = row;
    m_optKeyLatch = 1;
    p_PlaySFX(kSoundTick, 1, 1, 0);
  };
  if (m_optionsRow == kBackRow &&
      (AnyPlayerHolds(kActionShoulderR) || AnyPlayerHolds(kActionButton1) || AnyPlayerHolds(kActionButton2))) {
    m_optKeyLatch = 1;
    CloseOptions();
  } else if ((AnyPlayerHolds(kActionUp) || AnyPlayerHolds(kActionLeft)) && m_optionsRow > 0) {
    moveTo(m_optionsRow - 1);
  } else if ((AnyPlayerHolds(kActionDown) || AnyPlayerHolds(kActionRight)) && m_optionsRow < m_optionsRows) {
    moveTo(m_optionsRow + 1);
  }
}
