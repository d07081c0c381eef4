// Editing operations: new levels and layers, moving between them, the new-level window, and
// showing and hiding cells with the mouse, also by dragging.
//
// Sections: lists | levels and layers | painting | new-level window
#include "editor/editing.h"

#include <string>

#include "editor/editor_state.h"
#include "mapdata/geometry.h"
#include "mapdata/level_model.h"
#include "platform/dialog.h"
#include "platform/gadget.h"
#include "platform/translation.h"
#include "platform/window.h"

namespace {

constexpr int TypeCount = 4;
constexpr int TypeButtonWidth = 250, TypeButtonHeight = 150;
constexpr int NewLevelWidth = 500, NewLevelHeight = 300;
constexpr const char* NewLevelTitle = "新建立关";
constexpr const char* NoLevelMessage = "先建立关后再建立层";
constexpr const char* LayerLimitMessage = "每关最多只能建立9层";

// ---- Lists ------------------------------------------------------------------------------------

std::string LayerItemText(int layer) { return TranslateText("编辑第%1层", {layer}); }

void AppendLayerItem(int layer) {
  AddGadgetItem(GadgetLayerList, LayerItemText(layer));
  SetGadgetState(GadgetLayerList, layer - 1);
}

void TakeCurrentLevel(int level) {
  EditorState& e = gEditor;
  e.currentLevel = level;
  e.currentType = gEditorMap.arrangementType[level];
  e.currentLayerCount = gEditorMap.layerCount[level];
}

}  // namespace

// ---- Levels and layers ------------------------------------------------------------------------

void NewLevel(int type) {
  EditorMap& m = gEditorMap;
  if (m.levelCount >= MaxLevels || !m.grid) return;
  const int level = ++m.levelCount;
  m.arrangementType[level] = type;
  m.layerCount[level] = 1;
  LevelCells& cells = m.grid->level[level];
  MarkLevelWritten(m.written, level);
  ClearLevelCells(cells);
  for (int row = 1; row <= BoardRows; ++row) {
    for (int column = 1; column <= BoardColumns; ++column) cells.cell[1][row][column] = 1;
  }
  TakeCurrentLevel(level);
  gEditor.currentLayer = 1;
  AppendLevelItem(level);
  ClearGadgetItems(GadgetLayerList);
  AppendLayerItem(1);
}

void NewLayer() {
  EditorState& e = gEditor;
  EditorMap& m = gEditorMap;
  if (m.levelCount == 0 || e.currentLevel < 1) {
    ShowMessage(TranslateText(MessageTitle), TranslateText(NoLevelMessage));
    return;
  }
  if (m.layerCount[e.currentLevel] >= EditorMaxLayers) return;
  const int layer = ++m.layerCount[e.currentLevel];
  e.currentLayerCount = layer;
  e.currentLayer = layer;
  int rows, columns;
  LayerExtent(e.currentType, layer, rows, columns);
  MarkLevelWritten(m.written, e.currentLevel);
  auto& cells = m.grid->level[e.currentLevel].cell[layer];
  for (int row = 1; row <= BoardRows; ++row) {
    for (int column = 1; column <= BoardColumns; ++column) {
      cells[row][column] = row <= rows && column <= columns ? layer : 0;
    }
  }
  AppendLayerItem(layer);
}

void NewLayerCommand() {
  if (gEditor.currentLayerCount >= EditorMaxLayers) {
    ShowMessage(NoTitle, TranslateText(LayerLimitMessage));
    return;
  }
  NewLayer();
}

void GoToLevel(int n) {
  if (n < 1 || n > MaxLevels) return;
  TakeCurrentLevel(n);
  gEditor.currentLayer = gEditor.currentLayerCount;
  SetGadgetState(GadgetLevelList, n - 1);
  ClearGadgetItems(GadgetLayerList);
  for (int layer = 1; layer <= gEditor.currentLayerCount; ++layer) AppendLayerItem(layer);
}

void AppendLevelItem(int level) {
  AddGadgetItem(GadgetLevelList, TranslateText("转到第%1关", {level}));
  SetGadgetState(GadgetLevelList, level - 1);
}

void ChooseLayer(int n) {
  if (n < 1 || n > gEditor.currentLayerCount) return;
  gEditor.currentLayer = n;
  SetGadgetState(GadgetLayerList, n - 1);
}

// ---- Painting ---------------------------------------------------------------------------------

void PaintAt(int x, int y) {
  EditorState& e = gEditor;
  if (e.currentLevel < 1 || e.currentLevel > MaxLevels || !gEditorMap.grid) return;
  int row, column;
  if (!CellAt(e.currentType, e.currentLayer, x, y, row, column)) return;
  MarkLevelWritten(gEditorMap.written, e.currentLevel);
  gEditorMap.grid->level[e.currentLevel].cell[e.currentLayer][row][column] =
      e.paintMode == PaintClear ? 0 : e.currentLayer;
  e.saved = 0;
  if (e.busy) e.paintedWhileBusy = true;
}

void PressLeftButton(int x, int y) {
  if (y >= LeftPaintLimitY) return;
  gEditor.paintMode = PaintClear;
  gEditor.dragging = true;
  PaintAt(x, y);
}

void PressRightButton(int x, int y) {
  if (y >= RightPaintLimitY) return;
  gEditor.paintMode = PaintShow;
  gEditor.dragging = true;
  PaintAt(x, y);
}

void MovePointerTo(int x, int y) {
  if (gEditor.dragging) PaintAt(x, y);
}

void ReleaseButton() { gEditor.dragging = false; }

// ---- New-level window -------------------------------------------------------------------------

void OpenNewLevelWindow() {
  gEditor.dragging = false;
  if (!OpenWindow(NewLevelWindow, NewLevelWidth, NewLevelHeight, TranslateText(NewLevelTitle), 0,
                  EditorWindow)) {
    return;
  }
  for (int t = 0; t < TypeCount; ++t) {
    ImageButtonGadget(GadgetTypePicture1 + t, (t % 2) * TypeButtonWidth,
                      (t / 2) * TypeButtonHeight, TypeButtonWidth, TypeButtonHeight,
                      SpriteTypePicture1 + t);
  }
  UseGadgetList(EditorWindow);
}

void HandleNewLevelGadget(int gadget) {
  int type = gadget - GadgetTypePicture1 + 1;
  if (type < 1 || type > TypeCount) return;
  NewLevel(type);
  CloseWindow(NewLevelWindow);
}
