// The screens that other game files provide: menu, puzzle board, level end,
// options box, pause menu, badges, particles and the save data. Each body here
// does nothing and is removed when its screen's own file takes it over.
#include "game/flow.h"
