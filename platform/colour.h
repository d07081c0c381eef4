// Colours are 0x00BBGGRR values: RGB(r, g, b) = r + 256 g + 65536 b.
#pragma once

constexpr int Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }
constexpr int RedOf(int colour) { return colour & 0xFF; }
constexpr int GreenOf(int colour) { return (colour >> 8) & 0xFF; }
constexpr int BlueOf(int colour) { return (colour >> 16) & 0xFF; }
