// Pictures of the editor and the drawing of the current level and the loading bar.
#pragma once

// Decodes the pictures carried in the program (tile-face sheet, type picture); the type picture
// comes from the chosen picture language's folder where it has one (SetPictureLanguage first).
void DecodeCarriedPictures();
// Loads the background and the title picture and cuts the face and type pictures.
void PrepareSprites();
// Loads the pointer picture.
void LoadPointer();

// Draws the shown cells of the current level and counts them.
void DrawLevel();
// The background, the title picture and the current level, drawn from a kept picture while none
// of them changed since it was kept; counts the shown cells as DrawLevel does.
void DrawLevelView();
// The progress of the map being read.
void DrawLoadingBar();
