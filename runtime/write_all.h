// Writing a whole buffer to a file descriptor with write(2).
#pragma once

#include <string_view>

// Writes all of bytes, retrying interrupted and short writes (which a plain
// fwrite would report as a full disk); false on the first real failure. It
// takes no lock and allocates nothing, so signal handlers may call it.
bool WriteAll(int fd, std::string_view bytes);
