// The full-screen pages: level introduction, map loading, level selection and help.
#pragma once

void DrawLevelIntroPage();
void DrawLoadingPage();
void DrawLevelSelectPage();
void DrawHelpPage();
