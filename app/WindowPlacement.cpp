// Encoding and the fit rule of the saved window rectangle.
#include "WindowPlacement.h"

#include <cstddef>

namespace
{
int32_t ReadInt32(const std::vector<unsigned char>& bytes, size_t at)
{
    const uint32_t value = uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
                           uint32_t{bytes[at + 3]} << 24;
    return static_cast<int32_t>(value);
}

void WriteInt32(std::vector<unsigned char>& bytes, int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<unsigned char>(bits >> shift));
}

bool Inside(int64_t x, int64_t y, int screenWidth, int screenHeight)
{
    return x >= 0 && x < screenWidth && y >= 0 && y < screenHeight;
}
} // namespace

CWindowRect DecodeWindowRect(const std::vector<unsigned char>& bytes)
{
    CWindowRect rect;
    if (bytes.size() != 16)
        return rect;
    rect.left = ReadInt32(bytes, 0);
    rect.top = ReadInt32(bytes, 4);
    rect.right = ReadInt32(bytes, 8);
    rect.bottom = ReadInt32(bytes, 12);
    return rect;
}

std::vector<unsigned char> EncodeWindowRect(const CWindowRect& rect)
{
    std::vector<unsigned char> bytes;
    bytes.reserve(16);
    WriteInt32(bytes, rect.left);
    WriteInt32(bytes, rect.top);
    WriteInt32(bytes, rect.right);
    WriteInt32(bytes, rect.bottom);
    return bytes;
}

bool RectFitsScreen(const CWindowRect& rect, int screenWidth, int screenHeight)
{
    if (rect.Width() <= 0 || rect.Height() <= 0)
        return false;
    return Inside(rect.left, rect.top, screenWidth, screenHeight) &&
           Inside(rect.right, rect.bottom, screenWidth, screenHeight);
}
