// What the pages show besides the game's state: the button under the pointer, the page of the
// level selection and the pause animation. One instance, gView; the input sets the first two.
#pragma once

struct ViewState {
  int hoveredButton = 0;           // button under the mouse on the current page, 0 for none
  int pageOffset = 0;              // level number before the first thumbnail, a multiple of 4
  int pauseA = 500, pauseB = 0;    // moving position of the pause animation
  int pausePhase = 0;              // completed sweeps; parity selects the direction
  bool operator==(const ViewState&) const = default;
};

extern ViewState gView;
