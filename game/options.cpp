// The options box: a panel that slides over the paused game with the sound
// mode, the iCade mapping, full screen and the two stick axes. It keeps its
// own input latches, because the game's latches are held set while it is open
// so that the screen beneath reacts to nothing.
#include "game/flow.h"
#include "game/names.h"

namespace {

constexpr int kSlideIn = 30;
constexpr int kGearFrames[] = {8, 9, 10};
constexpr float kGearTurns[] = {0.66f, -0.33f, -1.0f};

enum Row { kRowBack, kRowSound, kRowICade, kRowScreen, kRowLeftStick, kRowRightStick, kRowCount };

const char *SoundText(int mode, bool music) {
  static const char *const kWithMusic[] = {"Sound : Off", "Sound : SFX + Music", "Sound : SFX", "Sound : Music"};
  static const char *const kEffectsOnly[] = {"Sound : Off", "Sound : On"};
  return music ? kWithMusic[mode] : kEffectsOnly[mode];
}

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
  auto anyPlayer = [this](int action) { return p_PlayKeyAll(action, 1) > 0; };
  auto latchesClear = [this] { return m_optKeyLatch == 0 && m_optTouchLatch == 0; };
  auto close = [this] {
    m_optionsOpen = 0;
    p_PlaySFX(kSoundTick, 1, 1, 0);
    p_Save();
  };

  p_ResetDraw();
  m_keyLatch = m_touchLatch = 1;
  if (t != kSlideIn) m_optKeyLatch = m_optTouchLatch = 1;

  const float top = static_cast<float>((kSlideIn - t) * 24);
  p_SetCol(150, 75, 0, 0.85f);
  p_Rect(50, top, W - 100, H);

  m_gearAngle += 0.2f;
  const float headerX = static_cast<float>((3 * t - 90) * 4 + 100);
  p_SetCol(255, 255, 255, 1);
  const bool headerHit = p_Gear(headerX, 60, m_optionsRow == kRowBack ? 2.0f : 1.5f) != 0;
  p_SetSize(2);
  p_Text(headerX + 76, 60, "<[BACK]", 0, 1, 0);

  if ((headerHit || anyPlayer(kActionBack)) && latchesClear()) {
    close();
    m_keyLatch = m_touchLatch = 1;
    // The box is done for this update: nothing below may act on the same press.
    m_optKeyLatch = m_optTouchLatch = 1;
  }

  bool buttonPressed = false;
  for (int action = kActionButton1; action <= kActionShoulderR && !buttonPressed; ++action)
    buttonPressed = anyPlayer(action);

  const bool music = vex_Tilemarch_HasMusicStream == 1;
  const int soundModes = music ? kSoundModes : kSoundModesWithoutMusic;
  for (int k = kRowSound; k < kRowCount; ++k) {
    m_optionsRows = k;
    const float x = 100, y = top + 130 + 40 * static_cast<float>(k - 1);
    if (m_optionsRow == k)
      p_SetCol(0, 180, 255, 0.5f);
    else
      p_SetCol(0, 0, 160, 0.5f);
    bool activated = false;
    // A tap selects its row only when the box takes input at all.
    if (p_Touch(84, y - 2, W - 168, 24) != 0 && m_optTouchLatch == 0) {
      m_optionsRow = k;
      activated = true;
    }
    if (m_optionsRow == k && buttonPressed) activated = true;

    if (activated && latchesClear()) {
      switch (k) {
      case kRowSound: {
        int mode = m_settings[kSettingSoundMode];
        if (mode < 0 || mode >= soundModes) mode = 0;
        mode = (mode + 1) % soundModes;
        m_settings[kSettingSoundMode] = mode;
        if (music) {
          if (!ModePlaysMusic(mode))
            p_StopTune();
          else if (m_state >= kStatePuzzle)
            p_PlayTune("-1", 1);
        }
        break;
      }
      case kRowICade:
        p_iCade(vex_Tilemarch_iCadeControls == 1 ? 0 : 1);
        for (int i = 0; i < 20; ++i) m_vButtons[i] = 0;
        break;
      case kRowScreen:
        p_FullscreenFlip();
        break;
      case kRowLeftStick:
      case kRowRightStick: {
        int &axis = m_settings[k == kRowLeftStick ? kSettingLeftStickY : kSettingRightStickY];
        axis = axis == 1 ? 0 : 1;
        break;
      }
      default:
        break;
      }
      m_optKeyLatch = m_optTouchLatch = 1;
      p_PlaySFX(kSoundTick, 1, 1, 0);
      // A change is kept at once, not only when the box closes.
      p_Save();
    }

    String text;
    switch (k) {
    case kRowSound: {
      int &mode = m_settings[kSettingSoundMode];
      if (mode < 0 || mode >= soundModes) mode = 0;
      text = SoundText(mode, music);
      break;
    }
    case kRowICade:
      text = vex_Tilemarch_iCadeControls == 1 ? "iCade : On" : "iCade : Off";
      break;
    case kRowScreen:
      text = m_fullscreen == 1 ? "Windowed" : "Fullscreen";
      break;
    case kRowLeftStick:
      text = m_settings[kSettingLeftStickY] == 1 ? "Left Thumbstick Y Normal" : "Left Thumbstick Y Flipped";
      break;
    default:
      text = m_settings[kSettingRightStickY] == 1 ? "Right Thumbstick Y Normal" : "Right Thumbstick Y Flipped";
      break;
    }
    p_SetCol(255, 255, 255, 1);
    p_SetSize(2);
    p_Text(x, y, text, 0, 0, 0);
    p_SetSize(1);
  }

  if (m_optKeyLatch == 0) {
    auto moveTo = [this](int row) {
      m_optionsRow = row;
      m_optKeyLatch = 1;
      p_PlaySFX(kSoundTick, 1, 1, 0);
    };
    if (m_optionsRow == kRowBack &&
        (anyPlayer(kActionShoulderR) || anyPlayer(kActionButton1) || anyPlayer(kActionButton2))) {
      m_optKeyLatch = 1;
      close();
    } else if ((anyPlayer(kActionUp) || anyPlayer(kActionLeft)) && m_optionsRow > 0) {
      moveTo(m_optionsRow - 1);
    } else if ((anyPlayer(kActionDown) || anyPlayer(kActionRight)) && m_optionsRow < m_optionsRows) {
      moveTo(m_optionsRow + 1);
    }
  }

  if (m_pointerDown == 0) m_optTouchLatch = 0;
  bool held = false;
  for (int action : kLatchActions)
    if ((held = anyPlayer(action))) break;
  if (!held) m_optKeyLatch = 0;

  p_ResetDraw();
}
