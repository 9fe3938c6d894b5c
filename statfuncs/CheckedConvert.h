// Checked conversions from double to 32-bit integers: a double outside the target range is
// undefined behaviour in a plain cast, so callers get an empty result instead.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

/// x truncated toward zero when x is finite and the result fits int32, else empty.
inline std::optional<int32_t> TruncToInt32(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    const double truncated = std::trunc(x);
    if (truncated < -2147483648.0 || truncated > 2147483647.0)
        return std::nullopt;
    return static_cast<int32_t>(truncated);
}

/// x truncated toward zero when x is finite and the result lies in 0..2147483647, else empty
/// (sizes outside that range print as "****").
inline std::optional<int32_t> TruncToNonNegInt32(double x)
{
    const std::optional<int32_t> value = TruncToInt32(x);
    if (!value || *value < 0)
        return std::nullopt;
    return value;
}
