// Fuzz target: the URL parser on any text, and the request path made from it.
#include "net/url.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
  String text = String::FromUtf8(std::string_view(reinterpret_cast<const char *>(data), size));
  c_Url(text, "http", 80).p_FullPath();
  return 0;
}
