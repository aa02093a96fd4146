// The greeting: one optional GET to the game's web service at start-up, sent
// only when vex_Tilemarch_J_On_Allow is 1 (it is 0 in this program). Its answer
// is logged and recorded; nothing in the game depends on it.
#pragma once

#include "runtime/string.h"

// The service's address. The ".invalid" top-level domain never resolves, so a
// build that switches the greeting on by mistake reaches no one's server.
inline const char *const kGreetingServiceUrl = "http://greeting.tilemarch.invalid/housecall.php";

// Where the greeting goes; tests point it at a loopback server.
extern String vex_Tilemarch_GreetingUrl;
