// Loading the puzzle m_level (or a tutorial picture) into the board.
#include "game/flow.h"
#include "game/levels/levels.h"

void c_MyApp::p_GetLev(int tutorial) {
  // The press that started the puzzle must not also paint a tile.
  m_touchLatch = 1;
  m_keyLatch = 1;
  LoadLevelBoard(m_level, tutorial, m_tmpF, m_grid, m_gridLast);
}
