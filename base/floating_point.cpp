// The floating-point environment the logic computes in.
#include <cfenv>

#include "base/numbers.h"

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace {

#if defined(__SSE__)
// MXCSR with every exception masked, round to nearest, denormals kept (its power-up value).
constexpr unsigned kDefaultMxcsr = 0x1F80;
#endif

}  // namespace

void reset_floating_point() {
    std::fesetenv(FE_DFL_ENV);
#if defined(__SSE__)
    // Doubles are computed by the SSE unit, which MinGW's default environment leaves as it was.
    _mm_setcsr(kDefaultMxcsr);
#endif
}
