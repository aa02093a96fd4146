// Process entry: the host runs the game object.
#include "game/flow.h"
#include "host/quill_game.h"

int main(int argc, char **argv) {
  VexQuillGame::Main(argc, argv, [] { new c_MyApp(); });
  return 0;
}
