// The runtime's error report and its diagnostics channel.
//
// vexPrint writes a line of UTF-8 to standard output and flushes it at once, so
// that diagnostics survive a crash that follows them.
//
// vexError is a runtime error. An empty message is the runtime's silent exit:
// the process ends at once with status 0 (this is how the application quits).
// Any other message prints "Quill Runtime Error : <message>" and a stack-trace
// line (empty in this build) on standard output, then enters the debugger
// protocol: a marker line naming the error on standard error, then debugger
// commands read from standard input line by line. When standard input ends, as
// it does when no debugger is attached, the process ends with status 255.
#pragma once

#include "runtime/string.h"

void vexPrint(const String &text);
[[noreturn]] void vexError(const String &message);

// Installs the report of fatal signals (SIGSEGV, SIGILL, SIGFPE) as runtime
// errors: "Memory access violation", "Illegal instruction", "Floating point
// exception", "Unknown signal". Call it on the main thread: a report from any
// other thread stops the main thread first, and the main thread gets the
// alternate stack on which a stack overflow is still reported.
void vexInstallSignalHandlers();

// Gives the calling thread an alternate signal stack of its own, released when
// the thread ends, so that a stack overflow on a worker is reported as well.
void vexUseAlternateSignalStack();
