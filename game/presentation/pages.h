// The full-screen pages: level introduction, map loading, level selection and help.
#pragma once

#include <cstdint>

void DrawLevelIntroPage();
void DrawLoadingPage();
void DrawLevelSelectPage();
// The selection page in two parts: the thumbnails, which change only with the page or the map,
// and the rest, drawn over them every frame. SelectPageFrameKey covers the first part.
void DrawLevelThumbnails();
void DrawLevelSelectControls();
uint64_t SelectPageFrameKey();
void DrawHelpPage();
