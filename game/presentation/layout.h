// Where the buttons of each page lie: the place of each button's picture or caption, and the box
// that a click or the pointer hits. Drawing and the hit test both read these tables.
#pragma once

#include <climits>

// A button's open rectangle: left < x < right and top < y < bottom.
struct HitBox {
  int left, right, top, bottom;
};

constexpr bool Inside(const HitBox& box, int x, int y) {
  return box.left < x && x < box.right && box.top < y && y < box.bottom;
}

struct ButtonPlace {
  int button;   // the button's number on its page
  int x, y;     // top left of its picture or caption
  HitBox hit;
};

// ---- In play: the bar ---------------------------------------------------------------------------

enum PlayButton {
  ButtonHint = 1, ButtonBomb = 2, ButtonShuffle = 3, ButtonPause = 4, ButtonHome = 5,
  ButtonPreviousLevel = 6, ButtonNextLevel = 7,
};

// Five pictures at a 72-pixel pitch; the buttons take the bar at a 70-pixel pitch from x 270.
constexpr ButtonPlace BarButtons[] = {
    {ButtonHint, 272, 560, {270, 340, 560, 620}},
    {ButtonBomb, 344, 560, {340, 410, 560, 620}},
    {ButtonShuffle, 416, 560, {410, 480, 560, 620}},
    {ButtonPause, 488, 560, {480, 550, 560, 620}},
    {ButtonHome, 560, 560, {550, 620, 560, 620}},
};
// Free mode only.
constexpr ButtonPlace LevelButtons[] = {
    {ButtonPreviousLevel, 25, 565, {25, 123, 563, 616}},
    {ButtonNextLevel, 130, 565, {131, 230, 563, 616}},
};

// ---- Main menu ----------------------------------------------------------------------------------

enum MenuButton {
  MenuProgressMode = 1, MenuFreeMode = 2, MenuEditor = 3, MenuOpenMap = 4, MenuSettings = 5,
  MenuHelp = 6, MenuWebSite = 7,
};

constexpr ButtonPlace MenuButtons[] = {
    {MenuProgressMode, 250, 150, {250, 460, 150, 300}},
    {MenuFreeMode, 500, 150, {500, 710, 150, 300}},
    {MenuEditor, 100, 400, {105, 217, 400, 515}},
    {MenuOpenMap, 250, 400, {255, 370, 400, 515}},
    {MenuSettings, 400, 400, {405, 520, 400, 515}},
    {MenuHelp, 550, 400, {555, 670, 400, 515}},
    {MenuWebSite, 700, 400, {705, 820, 400, 515}},
};

// ---- Level selection ----------------------------------------------------------------------------

// 1..4 the thumbnails, then the page buttons.
enum SelectButton {
  SelectThumbnail1 = 1,
  SelectMainMenu = 5, SelectPreviousPage = 6, SelectFirstPage = 7, SelectNextPage = 8,
};
constexpr int LevelsPerPage = 4;

// The four quarters of the page, each with its thumbnail's origin; the upper two reach up
// without end and the right two to the right.
constexpr ButtonPlace ThumbnailButtons[] = {
    {SelectThumbnail1, 0, 0, {0, 460, INT_MIN, 280}},
    {SelectThumbnail1 + 1, 470, 0, {460, INT_MAX, INT_MIN, 280}},
    {SelectThumbnail1 + 2, 0, 270, {0, 460, 280, 550}},
    {SelectThumbnail1 + 3, 470, 270, {460, INT_MAX, 280, 550}},
};
// Captions along the bottom.
constexpr ButtonPlace PageButtons[] = {
    {SelectMainMenu, 50, 580, {50, 130, 575, 615}},
    {SelectPreviousPage, 300, 580, {290, 370, 575, 615}},
    {SelectFirstPage, 430, 580, {440, 520, 575, 615}},
    {SelectNextPage, 560, 580, {560, 640, 575, 615}},
};

// ---- Every page ---------------------------------------------------------------------------------

// The settings button at the top right: a click anywhere right of x 840 above y 45 opens the
// settings window.
constexpr ButtonPlace SettingsButton = {0, 835, 5, {840, INT_MAX, INT_MIN, 45}};
