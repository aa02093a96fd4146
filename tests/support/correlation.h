// Sliding dot products of a short reference along a long signal, computed by
// FFT so that a minute of captured sound is searched in a fraction of a second
// even in an unoptimised, sanitised build.
#pragma once

#include <vector>

// dots[lag] is the sum over n of ref[n] * signal[lag + n], for every lag at
// which the reference lies wholly inside the signal: none when it is longer
// or empty.
std::vector<double> SlidingDots(const std::vector<float> &ref, const std::vector<float> &signal);
