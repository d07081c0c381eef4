// Editing operations: levels, layers, the level and layer lists, and painting with the mouse.
#pragma once

// A new level of arrangement type 1..4 with one full layer; ignored at 300 levels.
void NewLevel(int type);
// A new layer on the current level, full within its extent.
void NewLayer();
// The new-layer button and Alt+N: the nine-layer check, then NewLayer.
void NewLayerCommand();
// Makes level n current with its top layer, and refills the layer list.
void GoToLevel(int n);
// Appends "转到第" + level + "关" to the level list and selects it.
void AppendLevelItem(int level);
// Makes layer n current when the current level has it (keys 1..9, the layer list).
void ChooseLayer(int n);
// Shows or hides the cell of the current layer under (x, y), by the paint mode.
void PaintAt(int x, int y);

// Mouse handlers of the main window, given the pointer position in client coordinates.
void PressLeftButton(int x, int y);
void PressRightButton(int x, int y);
void MovePointerTo(int x, int y);
void ReleaseButton();

// The new-level window with its four type pictures.
void OpenNewLevelWindow();
// A gadget event of the new-level window: a type picture makes its level and closes the window.
void HandleNewLevelGadget(int gadget);
