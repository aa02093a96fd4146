// stb_image built into the fuzz targets, so the sanitizers and the coverage
// guidance see inside the decoder rather than the system's prebuilt copy.
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
