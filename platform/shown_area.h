// Where a window's client area appears when the window is shown bigger than the program draws
// it (a window scale, or full screen with bars), and how positions map between the two. Plain
// integer arithmetic, shared by the window, the screen and their tests.
#pragma once

// A rectangle of the window as the desktop shows it, in the desktop's pixels.
struct ShownArea {
  int x = 0, y = 0;           // top left
  int width = 0, height = 0;
  bool operator==(const ShownArea&) const = default;
};

// A client area of width x height at percent of its size, each side rounded to the nearest
// pixel, halves up (930 x 625 at 150 % is 1395 x 938).
ShownArea ScaleClientArea(int width, int height, int percent);

// A client area as large as fits into an outer area with its aspect kept, centred in it; the
// rest of the outer area is bars.
ShownArea FitClientArea(int width, int height, int outerWidth, int outerHeight);

// A coordinate of the shown window back in the client area: the area's [start, start + size)
// holds clientSize client pixels; outside it, -1.
int MapShownToClient(int shown, int start, int size, int clientSize);

// The first shown pixel that maps back to a client coordinate.
int MapClientToShown(int client, int start, int size, int clientSize);
