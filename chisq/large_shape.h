// SPDX-License-Identifier: MIT
// The one boundary where the numerics leave the published methods for large
// shapes, internal to the library and its tests (not installed).
#ifndef CHISQ_LARGE_SHAPE_H
#define CHISQ_LARGE_SHAPE_H

namespace chisq::detail {

// Above this shape (v / 2 for v degrees of freedom, so above 1e7 of them)
// the incomplete gamma series needs millions of terms, and p ln x - x - g
// cancels away every digit of its factor: IncompleteGamma takes Temme's
// uniform expansion instead. There the Wilson-Hilferty start is already
// closer than the refinement's tolerance, while the refinement's exponent
// cancels terms of order v ln v, so ChiSquareQuantile returns the start.
constexpr double kLargeShape = 5e6;

} // namespace chisq::detail

#endif
