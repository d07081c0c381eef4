// The arithmetic of a client area shown bigger: rounding, fitting and mapping positions.
#include "platform/shown_area.h"

#include <algorithm>

namespace {

constexpr int WholePercent = 100;

// a * b / c rounded to the nearest integer, halves up; all non-negative.
int ScaleRounded(long long a, long long b, long long c) { return int((2 * a * b + c) / (2 * c)); }

long long FloorDivide(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
long long CeilDivide(long long a, long long b) { return -FloorDivide(-a, b); }

}  // namespace

ShownArea ScaleClientArea(int width, int height, int percent) {
  return {0, 0, ScaleRounded(width, percent, WholePercent),
          ScaleRounded(height, percent, WholePercent)};
}

ShownArea FitClientArea(int width, int height, int outerWidth, int outerHeight) {
  ShownArea area;
  if (width <= 0 || height <= 0 || outerWidth <= 0 || outerHeight <= 0) return area;
  // Width-limited when outerWidth / width is the smaller ratio.
  if ((long long)outerWidth * height <= (long long)outerHeight * width) {
    area.width = outerWidth;
    area.height = std::min(outerHeight, ScaleRounded(height, outerWidth, width));
  } else {
    area.height = outerHeight;
    area.width = std::min(outerWidth, ScaleRounded(width, outerHeight, height));
  }
  area.x = (outerWidth - area.width) / 2;
  area.y = (outerHeight - area.height) / 2;
  return area;
}

int MapShownToClient(int shown, int start, int size, int clientSize) {
  if (size <= 0 || shown < start || shown >= start + size) return -1;
  return int((long long)(shown - start) * clientSize / size);
}

int MapClientToShown(int client, int start, int size, int clientSize) {
  if (clientSize <= 0) return start;
  return start + int(CeilDivide((long long)client * size, clientSize));
}
