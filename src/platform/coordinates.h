// Whole 32-bit values from wider sums and from real arithmetic, for pixel positions and times.
//
// Both saturate: a position far beyond the page stays far beyond it instead of wrapping round
// onto it, and no conversion ever overflows.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace wedgora {

// A sum worked out in 64 bits, brought back into the 32-bit range.
inline std::int32_t saturate(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

// The nearest integer, halves to even (the default rounding mode); NaN gives 0.
inline std::int32_t roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  return std::int32_t(std::nearbyint(std::clamp<double>(value, INT_MIN, INT_MAX)));
}

}  // namespace wedgora
