// The number conventions every computing routine follows.
#pragma once

#include <cmath>
#include <cstdint>

// Truncation toward zero through a signed 64-bit value whose low 32 bits are kept.
// Values the 64-bit conversion cannot hold (NaN, infinities, |v| >= 2^63) give the
// x86 "integer indefinite" 0x8000000000000000, whose low 32 bits are 0.
constexpr std::int32_t truncate_to_int32(double value) {
    if (!(value > -9223372036854775808.0 && value < 9223372036854775808.0)) return 0;
    const auto wide = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

// Round to nearest with every floating-point exception masked, so that a division by zero
// gives an infinity or NaN instead of a trap.
void reset_floating_point();

constexpr double kComparisonMargin = 0.0000001;

// Greater and less between reals hold only beyond the margin.
constexpr bool real_greater(double a, double b) { return a - b > kComparisonMargin; }
constexpr bool real_less(double a, double b) { return a - b < -kComparisonMargin; }
