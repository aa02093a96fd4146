// The screens that other game files provide: menu, puzzle board, level end,
// options box, pause menu, badges, particles and the save data. Each body here
// does nothing and is removed when its screen's own file takes it over.
#include "game/flow.h"

void c_MyApp::p_Menu() {}
void c_MyApp::p_LoadMenu() {}
void c_MyApp::p_OptionBox() {}
void c_MyApp::p_PauseMenu() {}
void c_MyApp::p_ShowBadges() {}
void c_MyApp::p_Save() {}
void c_MyApp::p_Load() {}
