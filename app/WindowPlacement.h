// The main window's saved rectangle: its 16-byte form in the Window section of the vocabulary
// file (left, top, right, bottom as little-endian int32, right and bottom exclusive) and the
// rule that decides whether it is applied at start.
#pragma once

#include <cstdint>
#include <vector>

struct CWindowRect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int64_t Width() const { return int64_t{right} - left; }
    int64_t Height() const { return int64_t{bottom} - top; }
    bool operator==(const CWindowRect&) const = default;
};

/// The rectangle of a Rect entry's bytes; all zeros unless there are exactly 16.
CWindowRect DecodeWindowRect(const std::vector<unsigned char>& bytes);
/// The 16 bytes of a Rect entry.
std::vector<unsigned char> EncodeWindowRect(const CWindowRect& rect);

/// True when the rectangle has a positive width and height and both its top-left and its
/// bottom-right corner lie on the screen (0 <= x < width, 0 <= y < height): a window flush
/// with the right or bottom edge, or partly off the screen, keeps the default placement.
bool RectFitsScreen(const CWindowRect& rect, int screenWidth, int screenHeight);
