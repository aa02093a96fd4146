// c_MyApp: the game's one application object.
//
// All game state lives in its fields; the methods are spread over game/ by
// concern: flow.cpp (creation, the update skeleton, suspend and resume, full
// screen), render.cpp and text.cpp (the drawing vocabulary), frame_present.cpp
// (once per rendered frame: fit, replay, frame rate), changed_area.cpp (where
// the next frame differs), assets.cpp and sound.cpp (slots, the staged loader,
// effects and music), controls.cpp (player actions and hit tests) and the
// screens' own files. The numbers they share have names in names.h.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "game/area_cover.h"
#include "game/devices.h"
#include "game/frame_present.h"
#include "game/render.h"
#include "game/shown_frame.h"
#include "host/app.h"
#include "net/http_request.h"
#include "runtime/array.h"
#include "runtime/string.h"

// Module globals of the game.
extern int vex_Tilemarch_DebugMode;
extern int vex_Tilemarch_UseHDImages;
extern int vex_Tilemarch_HasMusicStream;
extern int vex_Tilemarch_iCadeControls;
extern float vex_Tilemarch_rawscrw, vex_Tilemarch_rawscrh;
extern float vex_Tilemarch_jscrw, vex_Tilemarch_jscrh;
extern float vex_Tilemarch_overscan;
extern int vex_Tilemarch_GameNum;
extern int vex_Tilemarch_J_On_Allow;
extern int vex_Tilemarch_J_On_Able;

// Gives every game global its initial value (the host does the framework's).
void vexInitTilemarch();

// The omitted value of optional float arguments; setters that see it keep the
// stored value. The background easing uses its own marker.
constexpr float kOmit = -3717.0f;
constexpr int kKeepBG = -123;

constexpr int kTouchPoints = 10;

// A place on the virtual screen.
struct ScreenPoint {
  float x, y;
};

// A box around a place, as offsets from it; a touch hits it strictly inside.
struct TouchBox {
  float left, top, right, bottom;
};

class DeviceInk; // frame_present.cpp

class c_MyApp : public c_App, public c_IOnHttpRequestComplete {
public:
  // The framework's devices; tests pass their own.
  c_MyApp();
  explicit c_MyApp(std::shared_ptr<GameDevices> devices);
  ~c_MyApp() override;
  // The host's clock, through the devices.
  int Millisecs() { return m_devices->Millisecs(); }

  // --- lifecycle (flow.cpp, frame_present.cpp)
  void p_OnCreate() override;
  void p_OnUpdate() override;
  void p_OnRender() override;
  bool p_PictureChanged() override;
  bool p_ChangedAreas(VexAreas &areas) override;
  void p_OnSuspend() override;
  void p_OnResume() override;
  void p_FullscreenFlip();

  // --- drawing vocabulary (render.cpp, text.cpp)
  void p_DoBG(int r, int g, int b, float alpha);
  void p_ResetDraw();
  void p_SetCol(float r, float g, float b, float a = kOmit);
  void p_Alpha(float a);
  void p_SetRot(float degrees);
  void p_SetSize(float sx, float sy = kOmit);
  void p_Ink(int n, float brightness);
  void p_DrawImg(int slot, float x, float y, int frame);
  void p_DrawImg(float x, float y, int frame);
  void p_Rect(float x, float y, float w, float h);
  void p_Oval(float x, float y, float rx, float ry);
  void p_Line(float x1, float y1, float x2, float y2);
  void p_DrawTile(int n, float x, float y);
  void p_Text(float x, float y, const String &text, float alignX, float alignY, int fontOffset);
  void p_Text(float x, float y, const String &text);
  // Width in whole units that p_Text gives the text with the current state.
  int p_TextWidth(const String &text);
  // Starts a frame: background fill, view rectangle, draw state, empty list.
  void p_StartFrame(float r, float g, float b, float alpha);

  // --- assets and sound (assets.cpp, sound.cpp)
  void p_Reload();
  void p_Loader();
  void p_WaitStart(int mode);
  void p_ChooseResolution();
  void p_LoadImg(int slot, const String &name, int w, int h, int frames, int flags);
  void p_LoadFont(int slot, const String &name, int advance, int lineHeight);
  void p_ReserveImg(int slot, int w, int h);
  void p_LoadSFX(int n);
  void p_PlaySFX(int id, float rate, float volume, float pan);
  void p_PlaySFX(int id, float volume);
  void p_PlaySFX(float rate, float volume);
  void p_PlayTune(const String &name, int flags);
  void p_StopTune();

  // --- player controls (controls.cpp)
  int p_PlayKey(int action, int mode, int player);
  int p_PlayKeyAll(int action, int mode);
  // Whether any of the four players holds the action (sticks count).
  bool AnyPlayerHolds(int action);
  // Whether any player holds one of the buttons (actions 10 to 15).
  bool AnyPlayerHoldsButton();
  float p_StickX(int stick, int player);
  float p_StickY(int stick, int player);
  void p_AnalogueControl();
  void p_iCade(int on);
  void p_iCadeChar(int chr);
  int p_Touch(float x, float y, float w, float h);
  int p_MouseIn_Centered(float cx, float cy, float w, float h);
  int p_Button(int image, float x, float y, int frame);
  bool p_Button0(int image, float x, float y, int frame);
  // Whether one of the first `points` touch points is down inside the box
  // around (x, y).
  bool TouchInBox(float x, float y, TouchBox box, int points = kTouchPoints) const;
  // The box of a frame of an image slot drawn centred at the current scale.
  TouchBox FrameBox(int slot) const;

  // --- the map (menu.cpp: camera, input and start; menu_draw.cpp: drawing)
  void p_Menu();
  void p_LoadMenu();
  void MoveMapCamera();
  // The place of a map cell on the screen; false when it lies off screen.
  bool MapCellShown(int col, int row, float &x, float &y) const;
  // Cells by their index in reading order, -1 for none.
  int TappedMapCell() const;
  bool FocusMapCursor(int cursor);
  bool MoveMapCursorByKeys();
  void StartMapPuzzle();
  void DrawMapCells(int cursor);
  void DrawMapCell(int col, int row, float x, float y, bool cursor);
  void DrawMapPanel();
  void LayerMapCells(int from);

  // --- the options box (options.cpp)
  void p_OptionBox();
  // The turning options gear at (x, y); nonzero when the pointer presses it
  // (shared with the pause menu).
  int p_Gear(float x, float y, float scale);
  void OptionsHeader(float x);
  void OptionsRows(float top);
  void MoveOptionsSelection();
  void CloseOptions();

  // --- the pause menu (pause.cpp) and its pendulum toy (pendulum.cpp)
  void p_PauseMenu();
  void SlidePauseMenu();
  void PauseMenuButtons();
  void MovePauseSelection();
  void ResumeFromPause();
  void QuitFromPause();
  // Steps and draws the pendulum; returns its pivot, where the menu's title goes.
  ScreenPoint SwingPendulum();
  void DrawPendulumTrail(float penX, float penY);

  // --- the screens of the other game files
  void p_Game();
  void p_InGame();
  void p_LoadGame();
  void p_GameOver();
  void p_ShowBadges();
  void p_DoParticles(float size);
  void p_ResetParticles(int n);
  void p_ResetStars(int n);
  void p_GetLev(int tutorial);
  void p_FlushGame();
  void p_ResetGrid();
  void p_ResetPlayers();
  void p_Save();
  void p_Load();
  // Badge texts and the platform game-service hooks (badges.cpp).
  String p_BadgeID(int n);
  String p_BadgeName(int n);
  int p_GC_PostScore(int board, int score);
  int p_GC_Badges();

  // Screen flow.
  int m_state = 0;
  int m_loadStep = 0;
  int m_level = 0;
  int m_paused = 0, m_pauseDir = 0, m_pauseSlide = 0, m_pauseSel = 0;
  int m_optionsOpen = 0;
  int m_optionsSlide = 0;
  int m_fullscreen = 0;
  int m_cleanView = 0;
  int m_controlMode = 0;
  int m_musicOn = 0;

  // Pointer, touch and input latches (virtual units).
  int m_pointerX = 0, m_pointerY = 0;
  int m_pointerOldX = 0, m_pointerOldY = 0;
  int m_pointerWasDown = 0;
  int m_pointerDown = 0;
  Array<int> m_touchDown = Array<int>(10), m_touchX = Array<int>(10), m_touchY = Array<int>(10);
  int m_touchLatch = 0;
  int m_keyLatch = 0;
  Array<int> m_vButtons = Array<int>(20);
  int m_lastChar = 0;
  float m_analogX = 0, m_analogY = 0;
  float m_rampX = 0, m_rampY = 0;
  Array<int> m_settings = Array<int>(25);

  // Puzzle board and scoring.
  Array<float> m_grid = Array<float>(5000000);
  Array<float> m_tmpF = Array<float>(512);
  int m_gridLast = 0;
  int m_solved = 0;
  int m_newScore = 0;
  int m_shownScore = 0;
  int m_endState = 0;
  int m_endReason = 0;
  int m_endTimer = 0;

  // Display list and draw state.
  Array<DrawRecord> m_drawList = Array<DrawRecord>(kDrawListRecords);
  int m_drawCount = 0; // records in the list
  float m_scaleX = 1, m_scaleY = 1, m_rot = 0;
  float m_red = 255, m_green = 255, m_blue = 255, m_alpha = 1;
  int m_blend = 1;
  float m_clsRed = 0, m_clsGreen = 0, m_clsBlue = 0, m_clsAlpha = 1;
  float m_bgTargetRed = 0, m_bgTargetGreen = 0, m_bgTargetBlue = 0;
  float m_bgRed = 0, m_bgGreen = 0, m_bgBlue = 0;
  float m_viewX = 0, m_viewY = 0, m_viewW = 0, m_viewH = 0;
  int m_fitMode = 0;
  ViewMapping m_view;
  int m_landscape = 0;
  int m_devW = 0, m_devH = 0;
  // Updates a new device size must still stand before its assets are loaded
  // (a window manager may pass through sizes on its way); 0 when none waits.
  int m_resizeWait = 0;
  int m_renderMillis = 0, m_renderFps = 0, m_renderFpsAvg = 0;
  ShownFrame m_shownFrame;
  std::vector<ShownRecord> m_shownNow;
  std::vector<AreaBox> m_changedBoxes, m_recordBoxes; // scratch of p_ChangedAreas and the replay
  ShownCache m_shownCache;
  std::vector<DrawRecord> m_layered; // scratch of LayerMapCells

  // Image and sound slots.
  Array<GameImage> m_images = Array<GameImage>(100);
  Array<int> m_imageInfo = Array<int>(300);
  // The resolution multiplier each slot was loaded at (0: unknown, drawn at
  // m_imageScale), so that a slot not yet reloaded keeps its size.
  Array<int> m_imageLevel = Array<int>(100);
  int m_font = 0;
  int m_hdLevel = 1;
  float m_imageScale = 1;
  int m_canvasSlot = 0;
  int m_logoJingle = 0;
  int m_spinAngle = 0;
  Array<GameSound> m_sounds = Array<GameSound>(100);
  Array<int> m_channels = Array<int>(33);
  int m_sfxChannel = 0;
  String m_tuneName;

  // Particles and stars.
  Array<float> m_particles = Array<float>(5100);
  int m_particleMax = 250;
  Array<float> m_stars = Array<float>(5100);
  int m_starMax = 100;

  // Progress: scores, map, badges and the badge pop-ups.
  Array<int> m_scores = Array<int>(2240);
  Array<int> m_mapCells = Array<int>(1024);
  Array<bool> m_badges = Array<bool>(256);
  Array<int> m_badgeShow = Array<int>(15);
  Array<int> m_badgeTimer = Array<int>(15);
  int m_badgeWidth = 0;

  // Main menu: cursor, camera and drag.
  int m_selLevel = 0;
  int m_menuX = 0, m_menuY = 0;
  float m_camX = 0, m_camY = 0;
  float m_camTargetX = 0, m_camTargetY = 0;
  int m_panX = 0, m_panY = 0;
  int m_dragX = 0, m_dragY = 0;
  int m_scoreRank = 0;

  // Options box.
  int m_optionsRow = 0;
  int m_optionsRows = 0;
  int m_optKeyLatch = 0;
  int m_optTouchLatch = 0;
  float m_gearAngle = 0;

  // Pause menu and its pendulum toy.
  float m_swingA = 0, m_swingB = 0, m_swingHue = 0;
  float m_swingSpeed = 25, m_swingArm = 25;
  Array<float> m_swingTrail = Array<float>(512);

  // The greeting to the game's web service (greeting.cpp).
  void p_GetURL(const String &url, const String &query);
  void p_OnHttpRequestComplete(c_HttpRequest *request) override;
  std::shared_ptr<c_HttpRequest> m_httpRequest;
  String m_httpReply = "N/A";
  int m_httpDone = 0;

private:
  void AppendRecord(float kind, float x, float y, float w, float h, float frame);
  void SamplePointer();
  void UpdateKeyLatch();
  void RunScreen();
  void PauseIfPlaying();
  void ReleaseControls();
  void DrawDebugOverlay();
  void CountFrame();
  void FillBackground(DeviceInk &ink, int w, int h);
  void NoticeDeviceSize(int w, int h);
  // Every record, or with an area only those whose boxes reach into it.
  void ReplayList(DeviceInk &ink, const VexRect *area);
  AreaBox RecordBox(const DrawRecord &r) const; // (changed_area.cpp)
  void FitToDevice(int w, int h);
  ShownList Shown(); // the list as the device would show it, and its inputs (frame_shown.cpp)
  ShownSettings FrameSettings() const;
  // A slot's pixels are drawn at the scale they were loaded for: one not yet reloaded keeps its size.
  float ImageScale(int slot) const;

  std::shared_ptr<GameDevices> m_devices;
};
