// A program that raises the runtime's errors on request, for the tests that
// check the report on a real process.
#include <csignal>
#include <cstring>

#include "runtime/error.h"

int main(int argc, char **argv) {
  vexInstallSignalHandlers();
  const char *what = argc > 1 ? argv[1] : "";
  if (!std::strcmp(what, "empty")) vexError(String());
  if (!std::strcmp(what, "boom")) vexError("boom");
  if (!std::strcmp(what, "segv")) std::raise(SIGSEGV);
  if (!std::strcmp(what, "fpe")) std::raise(SIGFPE);
  vexPrint("no error");
  return 3;
}
