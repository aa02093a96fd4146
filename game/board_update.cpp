// One update of a running puzzle: the board with its pointer strokes, the clue
// numbers, the cursor with its key strokes, the timer, the tutorial's pictures
// and hints, and the solved catalogue puzzle's reveal and score.
#include <cmath>

#include "game/board_rules.h"
#include "game/flow.h"
#include "game/names.h"
#include "host/app.h"
#include "runtime/angle.h"

namespace {

constexpr float kPointerReach = 14;
constexpr float kStickPush = 0.3f;
constexpr float kStickRest = 0.5f;
constexpr int kRevealUpdates = 120;
constexpr int kTutorialPause = 90;
constexpr int kLastTutorialStep = -6;

const char *const kHints[6] = {
    "Use the left and top\\nnumbers to judge\\nwhere the black tiles\\nshould be placed.",
    "Sometimes\\nyou'll need to take a risk\\nto decide where a\\ntile should be.\\n\\nBut don't worry\\nit's easy to "
    "undo!",
    "A larger number\\nsuggests a series of\\nblack tiles in\\nthe same row.",
    "When more than one number\\nis in a single row\\nthis suggests there are\\ngaps between\\nthe black tiles.",
    "",
    "Don't be scared off\\nby lots of numbers.\\nThe more numbers you see\\nthe easier it will be\\nto decide "
    "where\\nthe tiles "
    "should go.",
};

float &Mark(c_MyApp &app, int x, int y) { return app.m_grid[CellIndex(x, y, kCellMark)]; }
float Solution(c_MyApp &app, int x, int y) { return app.m_grid[CellIndex(x, y, kCellSolution)]; }

// Sets a tile to a stroke's value, with the fill or clear sound when it changes.
void Paint(c_MyApp &app, int x, int y, float value) {
  float &mark = Mark(app, x, y);
  // A fill (1) knocks, a clear (0) ticks.
  if (mark != value) app.p_PlaySFX(static_cast<int>(kSoundTick - value), 1);
  mark = value;
}

void DrawTiles(c_MyApp &app, BoardOrigin at, float reveal) {
  Array<float> &t = app.m_tmpF;
  bool canPaint = app.m_pointerDown > 0 && app.m_touchLatch == 0 && reveal == 0 && t[kTmpTutorialSolved] == 0 &&
                  app.m_endState == 0;
  app.p_SetSize(4);
  for (int x = 0; x < kBoardSide; ++x) {
    for (int y = 0; y < kBoardSide; ++y) {
      float cx = at.x0 + kTilePitch * static_cast<float>(x), cy = at.y0 + kTilePitch * static_cast<float>(y);
      if (canPaint && app.TouchInBox(cx, cy, {-kPointerReach, -kPointerReach, kPointerReach, kPointerReach})) {
        if (t[kTmpPointerStroke] == -1) t[kTmpPointerStroke] = Mark(app, x, y) == 1 ? 0.0f : 1.0f;
        t[kTmpCursorX] = static_cast<float>(x);
        t[kTmpCursorY] = static_cast<float>(y);
        Paint(app, x, y, t[kTmpPointerStroke]);
      }
      app.p_DrawImg(kBlocksSlot, cx, cy, static_cast<int>(Mark(app, x, y)));
      if (app.m_level == 0 && Solution(app, x, y) == 1) {
        // The tutorial's black tiles pulse faintly to show where they go.
        float t6 = static_cast<float>(app.Millisecs()) / 6.0f;
        app.p_Alpha(std::fabs(std::sin(t6 * kDegToRad)) * 0.35f);
        app.p_DrawImg(kBlocksSlot, cx, cy, 1);
        app.p_Alpha(1);
      }
    }
  }
}

// Each run of a line is written nearest the board first, one pitch further
// out for each further run.
void DrawClues(c_MyApp &app, BoardOrigin at) {
  app.p_SetSize(1.5f);
  int runs[kBoardSide];
  for (int x = 0; x < kBoardSide; ++x) {
    int n = LineRuns(app.m_grid, x, true, kCellSolution, runs);
    for (int i = 0; i < n; ++i)
      app.p_Text(at.x0 + kTilePitch * static_cast<float>(x), at.y0 - 24 - kCluePitch * static_cast<float>(i),
                 String(runs[i]));
  }
  for (int y = 0; y < kBoardSide; ++y) {
    int n = LineRuns(app.m_grid, y, false, kCellSolution, runs);
    for (int i = 0; i < n; ++i)
      app.p_Text(at.x0 - 24 - kCluePitch * static_cast<float>(i), at.y0 + kTilePitch * static_cast<float>(y),
                 String(runs[i]));
  }
}

// One tile per push: a latch holds until the push falls back within the rest.
void StepCursor(float push, float &latch, float &pos) {
  if (push < -kStickPush && latch == 0 && pos > 0) {
    latch = 1;
    pos -= 1;
  }
  if (push > kStickPush && latch == 0 && pos < kBoardSide - 1) {
    latch = 1;
    pos += 1;
  }
  if (push >= -kStickPush && push <= kStickPush) latch = 0;
}

float Clamp7(float v) { return v < 0 ? 0 : v > kBoardSide - 1 ? kBoardSide - 1 : v; }

void Cursor(c_MyApp &app, BoardOrigin at) {
  Array<float> &t = app.m_tmpF;
  int millis = app.Millisecs();
  app.p_SetSize(4.2f);
  app.p_DrawImg(kBlocksSlot, at.x0 + kTilePitch * t[kTmpCursorX], at.y0 + kTilePitch * t[kTmpCursorY],
                (millis / 60) % 4 + 5);
  if (app.m_keyLatch == 0) {
    StepCursor(app.m_analogX, t[kTmpStickLatch], t[kTmpCursorX]);
    StepCursor(app.m_analogY, t[kTmpStickLatchY], t[kTmpCursorY]);
  } else {
    if (std::fabs(app.m_analogX) <= kStickPush) t[kTmpStickLatch] = 0;
    if (std::fabs(app.m_analogY) <= kStickPush) t[kTmpStickLatchY] = 0;
  }
  t[kTmpCursorX] = Clamp7(t[kTmpCursorX]);
  t[kTmpCursorY] = Clamp7(t[kTmpCursorY]);

  if (!app.p_PlayKey(kActionButton1, 1, 0) && !app.p_PlayKey(kActionButton2, 1, 0)) {
    t[kTmpKeyStroke] = -1;
    return;
  }
  if (app.m_keyLatch != 0) return;
  int cx = static_cast<int>(t[kTmpCursorX]), cy = static_cast<int>(t[kTmpCursorY]);
  if (t[kTmpKeyStroke] == -1) t[kTmpKeyStroke] = Mark(app, cx, cy) == 1 ? 0.0f : 1.0f;
  Paint(app, cx, cy, t[kTmpKeyStroke]);
}

// Returns the time to show.
int RunTimer(c_MyApp &app, float reveal) {
  float &left = app.m_tmpF[kTmpTimeLeft];
  if (app.m_endState == 0 && reveal == 0) {
    left -= 1;
    if (static_cast<int>(left) < 1) {
      app.m_endState = 2;
      app.m_endReason = kEndOutOfTime;
      return 0;
    }
  }
  return static_cast<int>(left);
}

void Tutorial(c_MyApp &app) {
  Array<float> &t = app.m_tmpF;
  app.p_ResetDraw();
  if (app.m_landscape == 0) app.p_SetSize(2);
  int step = static_cast<int>(t[kTmpTutorialStep]);
  if (step >= kLastTutorialStep && step <= -1) app.p_Text(32, 32, String(kHints[-step - 1]), 0, 0, 0);
  // An ended tutorial (out of time, or the closing banner) moves on no more.
  if (app.m_solved != 1 || app.m_endState != 0) return;
  t[kTmpTutorialSolved] += 1;
  if (t[kTmpTutorialSolved] == 2) app.p_PlaySFX(kSoundSolved, 1);
  if (t[kTmpTutorialSolved] <= kTutorialPause) return;
  t[kTmpTutorialStep] -= 1;
  step = static_cast<int>(t[kTmpTutorialStep]);
  if (step >= kLastTutorialStep) {
    app.p_GetLev(step);
    t[kTmpTutorialSolved] = 0;
  } else {
    app.m_endState = 1;
    app.m_newScore = 0;
    app.m_endReason = kEndTutorialDone;
  }
}

void CataloguePuzzle(c_MyApp &app, int timeShown) {
  Array<float> &t = app.m_tmpF;
  if (app.m_endState == 0 && app.m_solved == 1) {
    t[kTmpReveal] += 1;
    if (t[kTmpReveal] == 2) app.p_PlaySFX(kSoundSolved, 1);
    app.m_newScore = static_cast<int>(t[kTmpTimeLeft] / 10 + static_cast<float>(app.m_newScore));
    t[kTmpTimeLeft] = 0;
  }
  if (t[kTmpReveal] > kRevealUpdates && app.m_endState == 0) {
    app.m_endState = 1;
    app.m_endReason = kEndSolved;
  }
  app.p_ResetDraw();
  app.p_SetSize(2);
  bool revealing = t[kTmpReveal] > 0;
  float x = vex_Tilemarch_jscrw - 64;
  if (!revealing && app.m_cleanView == 0) {
    int s = timeShown / 60;
    app.p_Text(x, 32, String(s / 60) + ":" + p_rstr(s % 60, 2, "0"));
  }
  int eased = static_cast<int>(static_cast<float>(app.m_shownScore) -
                               static_cast<float>(app.m_shownScore - app.m_newScore) * 0.125f);
  // Truncation would stop an upward ease up to 7 short of the score for good:
  // a step too small to show still moves one point.
  if (eased == app.m_shownScore && eased != app.m_newScore) eased += eased < app.m_newScore ? 1 : -1;
  app.m_shownScore = eased;
  if (std::abs(app.m_shownScore - app.m_newScore) <= 3) app.m_shownScore = app.m_newScore;
  if (revealing && app.m_cleanView == 0) app.p_Text(x, 32, String(app.m_shownScore));
}

} // namespace

void c_MyApp::p_Game() {
  Array<float> &t = m_tmpF;
  p_DoBG(static_cast<int>(t[kTmpBackRed]), static_cast<int>(t[kTmpBackGreen]), static_cast<int>(t[kTmpBackBlue]),
         kKeepBG);
  p_AnalogueControl();

  float reveal = t[kTmpReveal];
  BoardOrigin at = BoardPlace(vex_Tilemarch_jscrw, vex_Tilemarch_jscrh, m_cleanView == 1, reveal);
  if (reveal > 0) {
    p_SetSize(4);
    p_DrawTile(m_level, 160, std::max(vex_Tilemarch_jscrh / 2, vex_Tilemarch_jscrh + 128 - 24 * reveal));
    p_SetSize(1);
  }

  if (m_pointerDown == 0) m_touchLatch = 0;
  // Back is asked too, so that the press which resumed the game cannot pause
  // it again while it is still held.
  if (!p_PlayKey(kActionButton1, 1, 0) && !p_PlayKey(kActionButton2, 1, 0) && std::fabs(p_StickX(0, 0)) <= kStickRest &&
      std::fabs(p_StickY(0, 0)) <= kStickRest && p_PlayKeyAll(kActionBack, 1) == 0)
    m_keyLatch = 0;
  if (m_pointerDown == 0) t[kTmpPointerStroke] = -1;

  // Judged on the marks as they stand before this update paints any.
  m_solved = MarksMatchClues(m_grid) ? 1 : 0;
  DrawTiles(*this, at, reveal);

  bool tutorialPause = t[kTmpTutorialSolved] != 0;
  if (reveal == 0 && !tutorialPause) DrawClues(*this, at);
  if (m_endState == 0 && !tutorialPause && reveal == 0) Cursor(*this, at);

  p_DoParticles(1);
  int timeShown = RunTimer(*this, reveal);
  if (m_level == 0) Tutorial(*this);
  if (m_level > 0) CataloguePuzzle(*this, timeShown);
}
