// Sliding dot products by overlap-save FFT; see correlation.h.
#include "support/correlation.h"

#include <cmath>
#include <utility>

namespace {

// An in-place radix-2 transform of n complex values (n a power of two) held
// as separate real and imaginary parts; the inverse is left unscaled. The hot
// loops work on raw pointers, since an unoptimised build calls a function for
// every vector subscript.
class Fft {
public:
  explicit Fft(size_t n) : n_(n), reversed_(n), cos_(n), sin_(n) {
    size_t bits = 0;
    while ((size_t{1} << bits) < n) ++bits;
    for (size_t i = 0; i < n; ++i) {
      size_t r = 0;
      for (size_t b = 0; b < bits; ++b) r |= (i >> b & 1) << (bits - 1 - b);
      reversed_[i] = r;
    }
    // The twiddles of the pass joining halves of size `half` start at `half`,
    // so that each pass reads its own in order.
    for (size_t half = 1; half < n; half *= 2)
      for (size_t k = 0; k < half; ++k) {
        double angle = M_PI * static_cast<double>(k) / static_cast<double>(half);
        cos_[half + k] = std::cos(angle), sin_[half + k] = std::sin(angle);
      }
  }

  void Run(double *re, double *im, bool inverse) const {
    const size_t *rev = reversed_.data();
    for (size_t i = 0; i < n_; ++i)
      if (i < rev[i]) std::swap(re[i], re[rev[i]]), std::swap(im[i], im[rev[i]]);
    const double sign = inverse ? 1 : -1;
    for (size_t half = 1; half < n_; half *= 2) {
      const double *c = cos_.data() + half, *s = sin_.data() + half;
      for (size_t start = 0; start < n_; start += 2 * half) {
        double *ar = re + start, *ai = im + start, *br = ar + half, *bi = ai + half;
        for (size_t k = 0; k < half; ++k) {
          const double wr = c[k], wi = sign * s[k];
          const double xr = br[k] * wr - bi[k] * wi, xi = br[k] * wi + bi[k] * wr;
          br[k] = ar[k] - xr, bi[k] = ai[k] - xi;
          ar[k] += xr, ai[k] += xi;
        }
      }
    }
  }

private:
  size_t n_;
  std::vector<size_t> reversed_;
  std::vector<double> cos_, sin_;
};

} // namespace

std::vector<double> SlidingDots(const std::vector<float> &ref, const std::vector<float> &signal) {
  const size_t m = ref.size();
  if (m == 0 || m > signal.size()) return {};
  const size_t lags = signal.size() - m + 1;
  // A block of n signal values gives n - m + 1 lags without wrapping round;
  // four times the reference keeps most of each transform useful.
  size_t n = 1024;
  while (n < 4 * m) n *= 2;
  const size_t perBlock = n - m + 1;
  const Fft fft(n);

  // The reference's spectrum, conjugated: a product with a block's spectrum
  // transforms back to the block's correlation with the reference.
  std::vector<double> refRe(n), refIm(n);
  for (size_t i = 0; i < m; ++i) refRe[i] = ref[i];
  fft.Run(refRe.data(), refIm.data(), false);
  for (double &v : refIm) v = -v;

  // Two real blocks share one complex transform, one as its real part and one
  // as its imaginary part: the reference is real, so their correlations come
  // back apart in the same two parts.
  std::vector<double> dots(lags), re(n), im(n);
  const float *x = signal.data();
  const double *rr = refRe.data(), *ri = refIm.data();
  for (size_t first = 0; first < lags; first += 2 * perBlock) {
    const size_t second = first + perBlock;
    for (size_t i = 0; i < n; ++i) {
      re[i] = first + i < signal.size() ? x[first + i] : 0;
      im[i] = second + i < signal.size() ? x[second + i] : 0;
    }
    double *zr = re.data(), *zi = im.data();
    fft.Run(zr, zi, false);
    for (size_t i = 0; i < n; ++i) {
      const double a = zr[i] * rr[i] - zi[i] * ri[i], b = zr[i] * ri[i] + zi[i] * rr[i];
      zr[i] = a, zi[i] = b;
    }
    fft.Run(zr, zi, true);
    double *out = dots.data();
    for (size_t k = 0; k < perBlock && first + k < lags; ++k) out[first + k] = zr[k] / static_cast<double>(n);
    for (size_t k = 0; k < perBlock && second + k < lags; ++k) out[second + k] = zi[k] / static_cast<double>(n);
  }
  return dots;
}
