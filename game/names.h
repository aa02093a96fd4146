// The numbers the game's screens talk in, by name: image slots, sound slots,
// settings entries, player actions, screens, the reasons a puzzle ends and the
// kinds of display-list records.
#pragma once

// --- Image slots (0..99), as the loader fills them.
constexpr int kImageSlots = 100;
constexpr int kBlocksSlot = 1; // board tiles, their marks and the cursor
// The puzzles' thumbnails, 16 to a sheet: puzzle n is frame (n - 1) % 16 of
// sheet kFirstSheetSlot + (n - 1) / 16.
constexpr int kFirstSheetSlot = 11, kLastSheetSlot = 24;
constexpr int kPuzzlesPerSheet = 16;
constexpr int kBadgesSlot = 80;
constexpr int kCanvasSlot = 81; // a blank image made in memory
constexpr int kCircleSlot = 85, kLightSlot = 86;
constexpr int kFontSlot = 90;
// Two logos: the loading screen's (common/PlinthLogo), loaded first of all,
// and the map's title (logo).
constexpr int kLoadingLogoSlot = 93;
constexpr int kTitleLogoSlot = 98;
constexpr int kDpadSlot = 94;
constexpr int kButtonsSlot = 95; // map overlays and the options gear
constexpr int kParticlesSlot = 96;
constexpr int kIconsSlot = 97; // the pause icon and the pause menu's buttons
constexpr int kMenuSheetSlot = 99;

// --- Sound slots (0..99), named by how they sound: most play for several
// things.
constexpr int kSoundSlots = 100;
constexpr int kSoundPop = 1;     // loaded with the set; nothing plays it
constexpr int kSoundSolved = 95; // a puzzle or a tutorial step solved
constexpr int kSoundChimes = 96; // the logo jingle, the return to the map
constexpr int kSoundKnock = 98;  // fill a tile, start, pause, resume, quit
constexpr int kSoundTick = 99;   // clear a tile, cursor moves, options

// --- Entries of m_settings, saved with the game.
constexpr int kSettingCount = 25;
constexpr int kSettingSoundMode = 5;
// Entries no screen reads; the load keeps them at least these floors.
constexpr int kSettingFloor64A = 10, kSettingFloor64B = 11, kSettingFloor8 = 12;
constexpr int kSettingAlwaysOne = 14;
// A stick's vertical axis: 1 as the pad reports it, 0 flipped. The right
// stick's entry follows the left's.
constexpr int kSettingLeftStickY = 15, kSettingRightStickY = 16;

// Values of the sound mode; without music only off and effects-and-music.
constexpr int kSoundOff = 0, kSoundEffectsAndMusic = 1, kSoundEffectsOnly = 2, kSoundMusicOnly = 3;
constexpr int kSoundModes = 4, kSoundModesWithoutMusic = 2;
constexpr bool ModePlaysEffects(int mode) { return mode == kSoundEffectsAndMusic || mode == kSoundEffectsOnly; }
constexpr bool ModePlaysMusic(int mode) { return mode == kSoundEffectsAndMusic || mode == kSoundMusicOnly; }

// --- Player actions, as the screens ask p_PlayKey for them.
constexpr int kActionUp = 0, kActionLeft = 3, kActionRight = 5, kActionDown = 8;
constexpr int kActionButton1 = 10, kActionButton2 = 11, kActionButton3 = 12, kActionButton4 = 13;
constexpr int kActionShoulderL = 14, kActionShoulderR = 15;
// Only the arcade cabinet's virtual buttons hold these.
constexpr int kActionCabinet1 = 16, kActionCabinet2 = 17;
// Back; the second form answers only a pad's player with the cabinet off.
constexpr int kActionBack = 99, kActionBackOnPad = 98;
// The actions whose holding keeps a key latch set, in the order asked.
inline constexpr int kLatchActions[] = {kActionUp,        kActionLeft,      kActionRight,    kActionDown,
                                        kActionButton1,   kActionButton2,   kActionButton3,  kActionButton4,
                                        kActionShoulderL, kActionShoulderR, kActionCabinet1, kActionCabinet2,
                                        kActionBack};

// --- Screens (m_state); the puzzle's states are the ones from kStatePuzzle up.
constexpr int kStateMap = 1, kStateBackToMap = 2, kStatePuzzle = 10, kStateStartPuzzle = 11;

// --- Why a puzzle ended (m_endReason), which picks the end banner's words.
constexpr int kEndNone = 0, kEndSolved = 1, kEndOutOfTime = 2, kEndTutorialDone = 6, kEndQuit = -1;

// --- Kinds of display-list records besides images, whose kind is their slot.
constexpr float kKindRect = -3717.0f;
constexpr float kKindOval = -3716.0f;
constexpr float kKindLine = -3715.0f;
