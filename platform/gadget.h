// Controls ("gadgets") on windows, addressed by the program's numbers, and status bars.
//
// Gadgets are created on the current gadget list: the window named by UseGadgetList (OpenWindow
// names the window it opens), or the container most recently opened by ContainerGadget until
// CloseGadgetList. Positions are inside
// that window or container. A user change of a gadget posts an EventGadget with its number;
// changes made by the program post nothing.
#pragma once

#include <string>

void UseGadgetList(int window);
void CloseGadgetList();

bool FrameGadget(int gadget, int x, int y, int width, int height, const std::string& text);
bool ContainerGadget(int gadget, int x, int y, int width, int height);
bool CheckBoxGadget(int gadget, int x, int y, int width, int height, const std::string& text);
// A horizontal slider over [minimum, maximum]; reports every change while dragged.
bool TrackBarGadget(int gadget, int x, int y, int width, int height, int minimum, int maximum);
bool ButtonGadget(int gadget, int x, int y, int width, int height, const std::string& text);
// A button showing a sprite's picture (stretched to the button).
bool ImageButtonGadget(int gadget, int x, int y, int width, int height, int sprite);
// A drop-down list; an event on a selection change by the user.
bool ComboBoxGadget(int gadget, int x, int y, int width, int height);
bool TextGadget(int gadget, int x, int y, int width, int height, const std::string& text);
// An area showing an image at its own size from its top left; what lies beyond is cut off.
bool ImageGadget(int gadget, int x, int y, int width, int height, int image);

enum StringGadgetFlag { StringMasked = 1, StringMultiLine = 2 };
bool StringGadget(int gadget, int x, int y, int width, int height, const std::string& text,
                  int flags = 0);

bool IsGadget(int gadget);
void FreeGadget(int gadget);
// Check box: 0/1; slider: position; drop-down list: selected index (-1 none).
void SetGadgetState(int gadget, int state);
int GadgetState(int gadget);
void SetGadgetText(int gadget, const std::string& text);
std::string GadgetText(int gadget);
void AddGadgetItem(int gadget, const std::string& text);
void ClearGadgetItems(int gadget);
int CountGadgetItems(int gadget);
std::string GadgetItemText(int gadget, int index);
// The font of the gadget's text and of the gadgets inside it: a face at a size in pixels.
void SetGadgetFont(int gadget, const std::string& face, int pixelSize);
// Position and size inside its parent, for tests.
int GadgetX(int gadget);
int GadgetY(int gadget);
int GadgetWidth(int gadget);
int GadgetHeight(int gadget);
// The width the gadget needs to show its whole text (each line of a text gadget unwrapped), for
// tests.
int GadgetNeededWidth(int gadget);

// Acts as if the user had changed the gadget: sets the state (check box toggled to state,
// slider moved, list item picked) or clicks a button, and posts its EventGadget (tests).
void SimulateGadgetChange(int gadget, int state);

// ---- Status bars ------------------------------------------------------------------------------

// A status bar at the bottom of the window. Fields are added left to right; width -1 takes
// the rest.
bool CreateStatusBar(int bar, int window);
void AddStatusBarField(int bar, int width);
enum StatusFieldFlag { StatusCentred = 1, StatusBorderless = 2 };
void StatusBarText(int bar, int field, const std::string& text, int flags = 0);
std::string StatusBarFieldText(int bar, int field);
// The field's width, and the width its text needs to show whole (tests).
int StatusBarFieldWidth(int bar, int field);
int StatusBarFieldNeededWidth(int bar, int field);
// Shows a progress bar filling the field, at value out of [minimum, maximum].
void StatusBarProgress(int bar, int field, int value, int minimum = 0, int maximum = 100);
int StatusBarProgressValue(int bar, int field);
// Height of the window's status bar in pixels, 0 without one.
int StatusBarHeight(int window);
