// Player controls: numbered actions answered from keyboard, pads, sticks and
// the arcade cabinet's virtual buttons; the analogue cursor push; and the
// pointer hit tests of buttons and boxes.
#include <algorithm>
#include <cmath>

#include "game/flow.h"
#include "game/names.h"
#include "host/app.h"
#include "input/key_codes.h"

namespace {

using keycode::kBackspace, keycode::kControl, keycode::kDelete, keycode::kDown, keycode::kEnter, keycode::kEscape,
    keycode::kLeft, keycode::kRight, keycode::kShift, keycode::kSpace, keycode::kTilde, keycode::kUp;

constexpr float kStickThreshold = 0.4f;
constexpr float kDeadZone = 0.2f;

enum StickTest { kNoStick, kStickUp, kStickLeft, kStickRight, kStickDown };

// One action's inputs: keys (letters as their characters) and pad buttons;
// -1 ends a list. The cabinet lists are used while the arcade mapping is on:
// the cabinet types letters, so letter keys are left out.
struct ActionRow {
  int action;
  int keys[5];
  int pads[4];
  StickTest stick;
  int virtuals[3];
  int cabinetKeys[4];
  int cabinetPads[4];
};

constexpr ActionRow kRows[] = {
    {kActionUp, {kUp, 'W', -1}, {9, -1}, kStickUp, {kActionUp, -1}, {kUp, -1}, {9, -1}},
    {kActionLeft, {kLeft, 'A', -1}, {8, -1}, kStickLeft, {kActionLeft, -1}, {kLeft, -1}, {8, -1}},
    {kActionRight, {kRight, 'D', -1}, {10, -1}, kStickRight, {kActionRight, -1}, {kRight, -1}, {10, -1}},
    {kActionDown, {kDown, 'S', -1}, {11, -1}, kStickDown, {kActionDown, -1}, {kDown, -1}, {11, -1}},
    {kActionButton1,
     {'Z', 'J', kSpace, kEnter, -1},
     {0, -1},
     kNoStick,
     {kActionButton1, -1},
     {kSpace, kEnter, -1},
     {0, -1}},
    {kActionButton2, {'X', 'K', kControl, -1}, {1, -1}, kNoStick, {kActionButton2, -1}, {kControl, -1}, {1, -1}},
    {kActionButton3, {'C', 'L', kShift, -1}, {2, -1}, kNoStick, {kActionButton3, -1}, {kShift, -1}, {2, -1}},
    {kActionButton4, {'V', 'I', -1}, {3, -1}, kNoStick, {kActionButton4, -1}, {-1}, {3, -1}},
    {kActionShoulderL, {'B', 'U', -1}, {4, -1}, kNoStick, {kActionShoulderL, -1}, {-1}, {4, -1}},
    {kActionShoulderR, {'N', 'O', -1}, {5, -1}, kNoStick, {kActionShoulderR, -1}, {-1}, {5, -1}},
    {kActionBack,
     {kEscape, kTilde, kDelete, kBackspace, -1},
     {6, 7, 14, -1},
     kNoStick,
     {kActionCabinet1, kActionCabinet2, -1},
     {kEscape, kDelete, kBackspace, -1},
     {7, 6, 14, -1}},
};

const ActionRow *RowOf(int action) {
  if (action == kActionBackOnPad) action = kActionBack;
  for (const ActionRow &row : kRows)
    if (row.action == action) return &row;
  return nullptr;
}

// Letters the cabinet types: press sets a virtual button (numbered as its
// action), release clears it.
struct CabinetLetter {
  char press, release;
  int button;
};
constexpr CabinetLetter kCabinet[] = {
    {'W', 'E', kActionUp},      {'X', 'Z', kActionDown},      {'A', 'Q', kActionLeft},      {'D', 'C', kActionRight},
    {'Y', 'T', kActionButton4}, {'U', 'F', kActionShoulderL}, {'I', 'M', kActionShoulderR}, {'O', 'G', kActionCabinet1},
    {'H', 'R', kActionButton1}, {'J', 'N', kActionButton2},   {'K', 'P', kActionButton3},   {'L', 'V', kActionCabinet2},
};

} // namespace

float c_MyApp::p_StickX(int stick, int player) {
  if (player < 0) return 0;
  return m_devices->JoyX(stick, player);
}

float c_MyApp::p_StickY(int stick, int player) {
  if (player < 0) return 0;
  float y = m_devices->JoyY(stick, player);
  return m_settings[kSettingLeftStickY + stick] == 1 ? y : -y;
}

int c_MyApp::p_PlayKey(int action, int mode, int player) {
  if (player < -1 || player > 3) return 0;
  // With one keyboard and no pad, only 99 asks for back.
  if (action == kActionBackOnPad && (player == -1 || vex_Tilemarch_iCadeControls == 1)) return 0;
  const ActionRow *row = RowOf(action);
  if (!row) return 0;
  bool cabinet = vex_Tilemarch_iCadeControls == 1;
  GameDevices &dev = *m_devices;
  for (const int *key = cabinet ? row->cabinetKeys : row->keys; *key >= 0; ++key)
    if (dev.KeyDown(*key)) return 1;
  if (player >= 0) {
    for (const int *pad = cabinet ? row->cabinetPads : row->pads; *pad >= 0; ++pad)
      if (dev.KeyDown(keycode::PadButton(player, *pad))) return 1;
    if (mode == 1 && !cabinet) {
      switch (row->stick) {
      case kStickUp:
        if (p_StickY(0, player) < -kStickThreshold) return 1;
        break;
      case kStickDown:
        if (p_StickY(0, player) > kStickThreshold) return 1;
        break;
      case kStickLeft:
        if (p_StickX(0, player) < -kStickThreshold) return 1;
        break;
      case kStickRight:
        if (p_StickX(0, player) > kStickThreshold) return 1;
        break;
      case kNoStick:
        break;
      }
    }
  }
  for (const int *v = row->virtuals; *v >= 0; ++v) {
    if (!m_vButtons[*v]) continue;
    if (cabinet && player == -1 && action >= kActionButton4 && action <= kActionShoulderR) return m_vButtons[*v];
    return 1;
  }
  return 0;
}

int c_MyApp::p_PlayKeyAll(int action, int mode) {
  int held = 0;
  for (int p = 0; p < 4; ++p) held += p_PlayKey(action, mode, p);
  return held;
}

bool c_MyApp::AnyPlayerHolds(int action) { return p_PlayKeyAll(action, 1) > 0; }

bool c_MyApp::AnyPlayerHoldsButton() {
  for (int action = kActionButton1; action <= kActionShoulderR; ++action)
    if (AnyPlayerHolds(action)) return true;
  return false;
}

void c_MyApp::p_AnalogueControl() {
  m_analogX = m_analogY = 0;
  float x = p_StickX(0, 0), y = p_StickY(0, 0);
  if (std::fabs(x) > kDeadZone || std::fabs(y) > kDeadZone) {
    m_analogX = x;
    m_analogY = y;
  }
  auto ramp = [this](int lessCode, int moreCode, float &rampValue, float &push) {
    if (p_PlayKey(lessCode, 0, 0)) {
      rampValue -= 0.15f;
      push = rampValue;
    } else if (rampValue < 0) {
      rampValue = std::min(rampValue + 0.2f, 0.0f);
      push = rampValue;
    }
    if (p_PlayKey(moreCode, 0, 0)) {
      rampValue += 0.15f;
      push = rampValue;
    } else if (rampValue > 0) {
      rampValue = std::max(rampValue - 0.2f, 0.0f);
      push = rampValue;
    }
  };
  ramp(kActionUp, kActionDown, m_rampY, m_analogY);
  ramp(kActionLeft, kActionRight, m_rampX, m_analogX);
  m_analogX = std::clamp(m_analogX, -1.0f, 1.0f);
  m_analogY = std::clamp(m_analogY, -1.0f, 1.0f);
  m_rampX = std::clamp(m_rampX, -1.0f, 1.0f);
  m_rampY = std::clamp(m_rampY, -1.0f, 1.0f);

  if (vex_Tilemarch_DebugMode == 1 && (std::fabs(m_analogX) > 0.05f || std::fabs(m_analogY) > 0.05f)) {
    p_SetCol(0, 180, 250, 0.5f);
    float cx = vex_Tilemarch_jscrw - 64, cy = vex_Tilemarch_jscrh - 64;
    p_Oval(cx, cy, 12, 12);
    p_Oval(cx + 52 * m_analogX, cy + 52 * m_analogY, 8, 8);
  }
  p_ResetDraw();
}

void c_MyApp::p_iCade(int on) {
  m_devices->SetKeyboardEnabled(on != 0);
  if (on) {
    vex_Tilemarch_iCadeControls = 1;
    do m_lastChar = m_devices->GetChar();
    while (m_lastChar != 0);
    return;
  }
  vex_Tilemarch_iCadeControls = 0;
  for (int i = 0; i <= 18; ++i) m_vButtons[i] = 0;
}

void c_MyApp::p_iCadeChar(int chr) {
  int upper = chr >= 'a' && chr <= 'z' ? chr - 32 : chr;
  for (const CabinetLetter &letter : kCabinet) {
    if (upper == letter.press) m_vButtons[letter.button] = 2;
    if (upper == letter.release) m_vButtons[letter.button] = 0;
  }
}

bool c_MyApp::TouchInBox(float x, float y, TouchBox box, int points) const {
  for (int i = 0; i < points; ++i) {
    if (m_touchDown[i] != 1) continue;
    float dx = static_cast<float>(m_touchX[i]) - x, dy = static_cast<float>(m_touchY[i]) - y;
    if (dx > box.left && dx < box.right && dy > box.top && dy < box.bottom) return true;
  }
  return false;
}

TouchBox c_MyApp::FrameBox(int slot) const {
  float w = static_cast<float>(m_imageInfo[slot * 3]) * m_imageScale * m_scaleX;
  float h = static_cast<float>(m_imageInfo[slot * 3 + 1]) * m_imageScale * m_scaleY;
  return {-w / 2, -h / 2, w / 2, h / 2};
}

// The box reaches further right and down than left and up.
int c_MyApp::p_Touch(float x, float y, float w, float h) {
  p_Rect(x, y, w, h);
  return TouchInBox(x, y, {-6, -6, w + 12, h + 12}) ? 1 : 0;
}

int c_MyApp::p_MouseIn_Centered(float cx, float cy, float w, float h) {
  return TouchInBox(cx, cy, {-w / 2, -h / 2, w / 2, h / 2}) ? 1 : 0;
}

int c_MyApp::p_Button(int image, float x, float y, int frame) {
  p_DrawImg(image, x, y, frame);
  if (m_pointerDown <= 0 || image < 0 || image >= kImageSlots) return 0;
  return TouchInBox(x, y, FrameBox(image)) ? 1 : 0;
}

// The first touch point alone counts.
bool c_MyApp::p_Button0(int image, float x, float y, int frame) {
  p_DrawImg(image, x, y, frame);
  if (m_pointerDown <= 0 || image < 0 || image >= kImageSlots) return false;
  return TouchInBox(x, y, FrameBox(image), 1);
}
