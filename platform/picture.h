// Pictures, the drawing surface ("screen"), 2D drawing and fonts.
//
// Two kinds of numbered pictures:
// - images: decoded pictures kept as sources (pictures carried in the program, thumbnails);
// - sprites: prepared pictures drawn on the screen at (x, y) with an opacity.
// A number that holds no picture draws nothing and reports width and height 0.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// ---- Images -----------------------------------------------------------------------------------

// Decodes a picture from bytes (PNG, JPEG or BMP, recognised by content). False when the bytes
// are not a picture; the number then holds nothing.
bool CatchImage(int image, const unsigned char* data, size_t size);
// Loads a picture file (format from content). False when missing or undecodable.
bool LoadImageFile(int image, const std::string& path);
// The same for a picture that will be drawn scaled to cover width x height: a large JPEG (a
// camera photo) is decoded at a reduced size that still covers it, in a fraction of the time
// and memory.
bool LoadImageFileToCover(int image, const std::string& path, int width, int height);
bool CreateImage(int image, int width, int height, int colour);
void FreeImage(int image);
// The sprite's picture as drawn (zoomed) becomes the image. False when the sprite holds none.
bool ImageFromSprite(int image, int sprite);
// Writes the image as a PNG file. False when there is no image or the file cannot be written.
bool SaveImagePng(int image, const std::string& path);
bool IsImage(int image);
int ImageWidth(int image);
int ImageHeight(int image);

// ---- Pictures in the player's language --------------------------------------------------------
//
// A picture with words may have a translation: the file of the same name in the language's
// folder inside Images ("Images/en/Xianshi/30.png" for "Images/Xianshi/30.png"). Once a folder is
// chosen, every picture file is loaded from there where the translation exists and can be
// decoded, and from the original otherwise; a missing translation is never an error.

// The language's folder name ("en"); empty, the start value, loads the originals. A name that
// would lead out of the folder (a separator, "." or "..") counts as empty.
void SetPictureLanguage(const std::string& folder);
// A picture carried in the program that a translation may replace. path names where its file
// would lie among the originals ("Images/type_picture.png"), so its translation is looked up as
// for a file; without one the carried bytes are decoded.
bool CatchImageForLanguage(int image, const std::string& path, const unsigned char* data,
                           size_t size);

// ---- Sprites ----------------------------------------------------------------------------------

enum SpriteMode {
  SpriteOpaque = 0,   // alpha ignored
  SpriteAlpha = 1,    // the picture's own alpha channel
};

// Loads a picture file as a sprite (format from content). False when missing or undecodable;
// the number then holds nothing.
bool LoadSprite(int sprite, const std::string& path, SpriteMode mode);
// A new sprite of the given size filled with the colour, opaque.
bool CreateSprite(int sprite, int width, int height, int colour = 0);
// A sprite cut from a rectangle of an image.
bool CopySpriteFromImage(int sprite, int image, int x, int y, int width, int height);
// A sprite made from a whole image, scaled to (width, height) (the image's own size when 0).
bool SpriteFromImage(int sprite, int image, int width = 0, int height = 0);
// Pixels of this colour become fully transparent when the sprite is drawn. -1 removes the key.
void TransparentSpriteColour(int sprite, int colour);
// Sets the size at which the sprite is drawn; the picture is stretched to it. Zooming to the
// sprite's own size or to zero width draws it unscaled or not at all.
void ZoomSprite(int sprite, int width, int height);
void FreeSprite(int sprite);
bool IsSprite(int sprite);
int SpriteWidth(int sprite);    // the zoomed size
int SpriteHeight(int sprite);

// Draws the sprite on the screen with its top left at (x, y); opacity 0 (invisible) to 255.
void DisplaySprite(int sprite, int x, int y, int opacity = 255);

// Colour of a pixel of a sprite as 0xAABBGGRR (alpha in the top byte), for tests.
unsigned int SpritePixel(int sprite, int x, int y);

// ---- Screen -----------------------------------------------------------------------------------

// A double-buffered drawing surface over a rectangle of a window's client area (one per
// program). False on failure.
bool OpenScreen(int window, int x, int y, int width, int height);
void CloseScreen();
bool IsScreenOpen();
// Makes the frame drawn last visible.
void FlipScreen();
// Copies the back buffer as drawn so far into a sprite (a frame's unchanging part, kept to be
// drawn again in later frames). False without a screen.
bool GrabScreenSprite(int sprite);
// Fills the back buffer with a colour.
void ClearScreen(int colour);
// Pixel of the back buffer / of the visible frame as 0x00BBGGRR, for tests and screenshots.
int ScreenPixel(int x, int y);
int VisibleScreenPixel(int x, int y);
int ScreenWidth();
int ScreenHeight();

// True when the frame drawn since the last flip is the frame shown: flipping it changes nothing.
bool IsDrawnFrameShown();

// Only what a frame changes reaches the window. With full presentation every flip paints and
// presents the whole frame instead: the reference the tests and benchmarks compare with.
void SetFullPresentation(bool on);
struct ScreenPresentStats {
  int presentations = 0;      // flips that changed what the window shows
  long long pixels = 0;       // pixels of the screen sent to the window by them
  long long shownPixels = 0;  // pixels of the window they repaint, as the window is shown
};
ScreenPresentStats PresentStats();
void ResetPresentStats();
// While on, the window's paint events are also copied into a picture of what the window shows
// of the screen, at the size it is shown at, which starts as the frame shown when it is
// switched on (tests).
void KeepPaintedScreen(bool on);
// Copies that picture into a sprite of its size; false while it is not kept. A window presented
// directly gives its pixels as the X server holds them.
bool GrabPaintedScreen(int sprite);
// True while the screen's window is presented straight to the X server, past the toolkit: on X11
// with shared memory, for a window that shows only the screen.
bool IsScreenPresentedDirectly();

// ---- 2D drawing -------------------------------------------------------------------------------

// Drawing goes to one target at a time, chosen by StartDrawing and ended by StopDrawing;
// while none is chosen it goes to the screen.
bool StartDrawingOnScreen();
bool StartDrawingOnSprite(int sprite);
bool StartDrawingOnImage(int image);
void StopDrawing();

void DrawBox(int x, int y, int width, int height, int colour);
// A line from (x, y) over (width, height) pixels: DrawLine(0, 277, 930, 1) is a horizontal line.
void DrawLine(int x, int y, int width, int height, int colour);
// Draws an image with its alpha channel at (x, y).
void DrawImage(int image, int x, int y);
// Draws an image stretched to (width, height) with its top left at (x, y); what falls outside
// the target is cut off.
void DrawImageScaled(int image, int x, int y, int width, int height);
// Draws text in a numbered font with a transparent background; (x, y) is the top left.
void DrawText(int font, int x, int y, const std::string& text, int colour);
// Width in pixels of the text in the font (no drawing target needed).
int TextWidth(int font, const std::string& text);
int TextHeight(int font);

// ---- Fonts ------------------------------------------------------------------------------------

// face is the program's face name ("黑体", "Impact"); size in points at 96 dots per inch.
bool LoadFont(int font, const std::string& face, int points, bool bold);
void FreeFont(int font);
bool IsFont(int font);

// ---- Draw log (tests) -------------------------------------------------------------------------

// While the log is on, every sprite, text, box and line drawn is recorded in order.
enum DrawRecordKind { DrawnSprite, DrawnText, DrawnBox, DrawnLine };
struct DrawRecord {
  DrawRecordKind kind;
  int number;        // sprite or font number
  int x, y;
  int width, height; // box and line size, zoomed sprite size
  int opacity;       // sprites
  int colour;        // text, box, line
  std::string text;
};
void StartDrawLog();   // clears and switches the log on
void StopDrawLog();
const std::vector<DrawRecord>& DrawLog();
