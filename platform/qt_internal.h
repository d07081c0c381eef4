// Shared between the platform's own source files only: the Qt side of windows and pictures.
// Nothing outside platform/ includes this header.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QWidget>

// The client-area widget of an open window (where the screen is shown and the mouse is read),
// or nullptr.
QWidget* WindowClientWidget(int window);

// Schedules a repaint of a window's client area, or of a region of it.
void RepaintWindow(int window);
void RepaintWindowRegion(int window, const QRegion& region);

// Paints the visible frame of the screen, if the screen lies on this window; called from the
// client widget's paint event with the region it repaints. Returns the part of the client area
// the screen covers (empty when none).
QRect PaintScreenOnWindow(int window, QPainter& painter, const QRegion& region);

// The sprite's picture as drawn (key colour applied), or a null image.
QImage SpriteImage(int sprite);

// Ends all drawing and releases the screen, sprites, images and fonts; part of ShutdownPlatform.
void ReleasePictures();

// Counts a dispatched Qt event or timer callback, so that PumpOnce knows whether anything was
// pending.
void NoteDispatched();

// The Qt font of a numbered font, for drawing text; a default font when the number holds none.
QFont FontOf(int font);
