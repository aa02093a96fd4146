// Asset naming rules: which resolution variant of a picture suits a device, the
// file name of a picture variant and of a sound-effect slot.
#pragma once

#include "runtime/string.h"

// Multiplier 1, 2 or 4 for the larger side of the device.
int ResolutionLevel(int deviceW, int deviceH, bool useHD);

// "" for 1, "-hd" for 2, "-hd2" for 4.
String VariantSuffix(int level);

// The picture file of an asset name at a resolution multiplier.
String PicturePath(const String &name, int level);

// "sfx/" + the slot with at least three digits + ".wav".
String SfxPath(int slot);

// The steps of the staged loader; the last one only ends the loading.
constexpr int kLoaderSteps = 24;
