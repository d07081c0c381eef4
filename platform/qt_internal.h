// Shared between the platform's own source files only: the Qt side of windows and pictures.
// Nothing outside platform/ includes this header.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>

#include <vector>

// The client-area widget of an open window (where the screen is shown and the mouse is read),
// or nullptr.
QWidget* WindowClientWidget(int window);

// How a window's client area is shown in its client widget: the widget's whole rectangle, or
// in full screen the centred part that keeps the area's aspect, bars around it.
struct ShownClient {
  QRect area;    // where the client area lies in the client widget
  QSize size;    // the client area's own size, as the program draws it
  bool IsScaled() const { return area.size() != size; }
};
ShownClient ShownClientOf(int window);

// The pixels of the client widget that a change of a rectangle of the client area reaches, as
// the window shows a frame of `frame` pixels lying at `at` in the client area: exactly those
// whose scaling reads a pixel of the rectangle (scaled_frame.cpp).
QRect ShownRectReached(const ShownClient& shown, QSize frame, QPoint at, const QRect& rect);

// Puts into target at `to` the pixels of the part `part` of the client widget as the window
// shows a frame lying at `at` in the client area: scaled smoothly, or by repeating pixels when
// the area is a whole multiple of the client size. Every shown pixel depends on its place only,
// so that parts made one by one give what making the whole area gives (scaled_frame.cpp).
void ScaleFramePart(const QImage& frame, QPoint at, const ShownClient& shown, const QRect& part,
                    QImage& target, QPoint to);

// Schedules a repaint of a window's client area, or of a region of its client widget (as shown);
// the region's form returns the pixels it asked to repaint.
void RepaintWindow(int window);
long long RepaintWindowRegion(int window, const QRegion& region);
// The pixels of a region.
long long AreaOf(const QRegion& region);

// ---- Presenting past Qt's backing store (x11_present.cpp) ------------------------------------

// Starts presenting a window whose client widget shows only the screen straight to the X server:
// its shown frame in memory the server shares, Qt painting nothing there and keeping no backing
// store. False, and nothing changed, where that is not available: the window stays on Qt's path.
bool StartSharedPresent(int window);
void StopSharedPresent();
bool IsSharedPresent(int window);
// False once the window has moved to a screen that scales windows: it must go back to Qt's path.
bool SharedPresentStillFits();
// An image of that size over the shared memory, for the frame as the window shows it; made anew
// when the size changes (an image given before is then invalid). Null when it cannot be made.
// Waits, like AwaitSharedFrameRead, until the server has read what was presented last.
QImage SharedFrameImage(QSize size);
void AwaitSharedFrameRead();
// Copies rectangles of the client widget from the shared frame lying at frameAt, in one request
// and without waiting for the server.
void PresentSharedRects(const std::vector<QRect>& rects, QPoint frameAt);
// Fills rectangles of the client widget with black (the bars around a full-screen picture).
void FillSharedRects(const std::vector<QRect>& rects);
// The client widget's pixels as the X server holds them (tests).
QImage ReadSharedWindow(const QRect& rect);

// Paints the visible frame of the screen, if the screen lies on this window; called from the
// client widget's paint event with the region it repaints. Returns the part of the client area
// the screen covers (empty when none).
QRect PaintScreenOnWindow(int window, QPainter& painter, const QRegion& region);
// The same for a window presented straight to the X server, the bars around the screen black.
void PresentScreenShared(int window, const QRegion& region);

// The sprite's picture as drawn (key colour applied), or a null image.
QImage SpriteImage(int sprite);

// Ends all drawing and releases the screen, sprites, images and fonts; part of ShutdownPlatform.
void ReleasePictures();

// Counts a dispatched Qt event or timer callback, so that PumpOnce knows whether anything was
// pending.
void NoteDispatched();

// The Qt font of a numbered font, for drawing text; a default font when the number holds none.
QFont FontOf(int font);

// Installs Qt's own texts (dialog buttons) for the language in use; needs the application.
void InstallQtTexts();
