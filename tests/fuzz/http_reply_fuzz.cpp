// Fuzz target: an HTTP response read in receives of the sizes the first byte
// picks; the result must not depend on where the receives split it.
#include <cstdlib>

#include "net/http_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
  if (size == 0) return 0;
  const size_t step = 1 + data[0] % 16;
  ++data, --size;
  HttpReply whole, split;
  bool wholeReading = whole.Take(data, size);
  bool splitReading = true;
  for (size_t at = 0; at < size && splitReading; at += step)
    splitReading = split.Take(data + at, std::min(step, size - at));
  if (wholeReading != splitReading || whole.Status() != split.Status() || whole.InBody() != split.InBody() ||
      whole.BodyBytes() != split.BodyBytes() || whole.BodyText() != split.BodyText())
    std::abort();
  return 0;
}
