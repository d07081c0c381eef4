// Saving and opening maps: the even check, the save window, the writer with its progress
// display, the reader with its loading bar, and the edit password.
//
// Sections: save check | save window | writing | opening | password
#include "editor/map_files.h"

#include <string>
#include <vector>

#include "editor/editing.h"
#include "editor/editor_state.h"
#include "mapdata/level_model.h"
#include "mapdata/level_text.h"
#include "mapdata/map_reader.h"
#include "mapdata/map_writer.h"
#include "mapdata/xml_tree.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/gadget.h"
#include "platform/translation.h"
#include "platform/window.h"

namespace {

constexpr const char* MapExtension = ".xml";
constexpr const char* SaveFailedMessage = "无法保存可能没有权限!";
constexpr const char* SavedMessage = "保存成功";
constexpr const char* SaveDialogTitle = "保存文件";
constexpr const char* PasswordTitle = "输入编辑密码";
constexpr const char* PasswordPrompt = "本地图需要输入密码才能编辑,请输入编辑密码:";
constexpr const char* PasswordRetryQuestion = "密码错误，是否重新输入？";

// The save window and its controls.
constexpr int SaveWidth = 450, SaveHeight = 250;
constexpr const char* SaveTitle = "保存地图";
// One caption per field, each 4 rows below its field's top, so that it stands beside the field
// whatever the line height of the system font.
constexpr int CaptionX = 20, CaptionWidth = 60, CaptionHeight = 16, CaptionBelowField = 4;
constexpr const char* Captions[] = {"地图作者:", "联系方式:", "编辑密码:", "地图介绍:"};
constexpr int FieldX = 80, FieldWidth = 350, FieldHeight = 20;
constexpr int AuthorY = 16, ContactY = 40, PasswordY = 64, IntroductionY = 88;
constexpr int FieldTops[] = {AuthorY, ContactY, PasswordY, IntroductionY};
constexpr int InformationFields = 4;
constexpr int IntroductionHeight = 80;
constexpr int SaveButtonX = 180, SaveButtonY = 173, SaveButtonWidth = 100, SaveButtonHeight = 50;
constexpr int ProgressCaptionWidth = 60;
constexpr const char* ProgressCaption = "保存进度:";
constexpr int CaptionFlags = StatusCentred | StatusBorderless;

// Shown cells of a level over its layers, whole grid.
int CountShownCells(int level) {
  const LevelCells& cells = gEditorMap.grid->level[level];
  int layers = gEditorMap.layerCount[level];
  if (layers > EditorMaxLayers) layers = EditorMaxLayers;
  int count = 0;
  for (int layer = 1; layer <= layers; ++layer) {
    for (int row = 1; row <= BoardRows; ++row) {
      for (int column = 1; column <= BoardColumns; ++column) {
        if (cells.cell[layer][row][column] > 0) ++count;
      }
    }
  }
  return count;
}

bool EndsWithExtension(const std::string& name) {
  const std::string extension = MapExtension;
  return name.size() >= extension.size() &&
         name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

// Percentage of level n out of N, rounded to the nearest whole number.
int SavePercent(int n, int total) { return (200 * n + total) / (2 * total); }

void ShowSaveProgress(int percent) {
  StatusBarText(SaveStatusBar, 0, std::to_string(percent) + "%", CaptionFlags);
  StatusBarProgress(SaveStatusBar, 1, percent);
}

}  // namespace

// ---- Save check -------------------------------------------------------------------------------

void SaveCommand() {
  // 是 to the close question during a save: that save is already running.
  if (!gEditorMap.grid || gEditor.busy) return;
  for (int level = 1; level <= gEditorMap.levelCount; ++level) {
    if (CountShownCells(level) % 2 != 0) {
      ShowMessage(TranslateText(MessageTitle),
                  TranslateText("第[%1]关麻将牌数量不是双数，请修改。", {level}));
      GoToLevel(level);
      return;
    }
  }
  // A map without levels has nothing to save.
  if (gEditorMap.levelCount == 0) return;
  OpenSaveWindow();
}

// ---- Save window ------------------------------------------------------------------------------

void OpenSaveWindow() {
  const MapInfo& info = gEditor.info;
  if (!OpenWindow(SaveWindow, SaveWidth, SaveHeight, TranslateText(SaveTitle), 0, EditorWindow))
    return;
  for (int k = 0; k < InformationFields; ++k) {
    TextGadget(GadgetSaveCaption1 + k, CaptionX, FieldTops[k] + CaptionBelowField, CaptionWidth,
               CaptionHeight, TranslateText(Captions[k]));
  }
  StringGadget(GadgetAuthor, FieldX, AuthorY, FieldWidth, FieldHeight, info.author);
  StringGadget(GadgetContact, FieldX, ContactY, FieldWidth, FieldHeight, info.contact);
  StringGadget(GadgetPassword, FieldX, PasswordY, FieldWidth, FieldHeight, info.password,
               StringMasked);
  StringGadget(GadgetIntroduction, FieldX, IntroductionY, FieldWidth, IntroductionHeight,
               info.introduction, StringMultiLine);
  ButtonGadget(GadgetSaveButton, SaveButtonX, SaveButtonY, SaveButtonWidth, SaveButtonHeight,
               TranslateText(SaveTitle));
  CreateStatusBar(SaveStatusBar, SaveWindow);
  AddStatusBarField(SaveStatusBar, ProgressCaptionWidth);
  AddStatusBarField(SaveStatusBar, -1);
  StatusBarText(SaveStatusBar, 0, TranslateText(ProgressCaption), CaptionFlags);
  StatusBarProgress(SaveStatusBar, 1, 0);
  UseGadgetList(EditorWindow);
}

void PressSaveButton() {
  MapInfo& info = gEditor.info;
  info.author = GadgetText(GadgetAuthor);
  info.contact = GadgetText(GadgetContact);
  info.password = GadgetText(GadgetPassword);
  info.introduction = GadgetText(GadgetIntroduction);
  if (!gEditor.filePath.empty()) {
    SaveToFile(gEditor.filePath);
    return;
  }
  std::string name = ChooseSaveFile(TranslateText(SaveDialogTitle), gEditor.workingDirectory,
                                    TranslateText(MapFileFilter));
  if (!name.empty()) SaveToFile(name);
}

// ---- Writing ----------------------------------------------------------------------------------

bool SaveToFile(const std::string& name) {
  EditorState& e = gEditor;
  std::string path = EndsWithExtension(name) ? name : name + MapExtension;
  // A file that cannot be written is told before the progress run, not after 100 %.
  FileReplacement file;
  if (!BeginFileReplacement(path, file)) {
    ShowMessage(TranslateText(MessageTitle), TranslateText(SaveFailedMessage));
    return false;
  }
  const int total = gEditorMap.levelCount < MaxLevels ? gEditorMap.levelCount : MaxLevels;
  std::string text = BuildMapHead(e.info, total);
  e.busy = true;
  e.paintedWhileBusy = false;
  for (int level = 1; level <= total; ++level) {
    ShowSaveProgress(SavePercent(level, total));
    PumpOnce(PumpPacingMs);
    text += BuildLevelLine(gEditorMap, level);
  }
  e.busy = false;
  text += MapTail;
  // The old file is replaced only once the new one is whole on disk.
  if (!FinishFileReplacement(file, text)) {
    ShowMessage(TranslateText(MessageTitle), TranslateText(SaveFailedMessage));
    return false;
  }
  // Cells painted during the save may lie in levels written before they changed.
  e.saved = e.paintedWhileBusy ? 0 : 1;
  ShowMessage(TranslateText(MessageTitle), TranslateText(SavedMessage));
  CloseWindow(SaveWindow);
  return true;
}

// ---- Opening ----------------------------------------------------------------------------------

namespace {

// Reads a map file; false when it does not read as a map, after its message.
bool ReadMapFile(const std::string& path, MapFile& map) {
  std::vector<unsigned char> bytes;
  if (!ReadFileBytes(path, bytes, MaxXmlBytes)) {
    ShowMessage(TranslateText(MessageTitle), TranslateText(MapFileMissingMessage));
    return false;
  }
  map = ReadMap(bytes.data(), bytes.size());
  if (map.result != MapReadWhole) {
    ShowMessage(TranslateText(MessageTitle), TranslateText(MapReadMessage(map.result)));
    return false;
  }
  return true;
}

// Empties the editor for the map being read: grid, level table, current values and lists.
void ClearForOpen(const std::string& path) {
  EditorState& e = gEditor;
  ClearEditorMap(gEditorMap);
  e.currentLevel = 0;
  e.currentType = 0;
  e.currentLayerCount = 0;
  e.currentLayer = 0;
  ClearGadgetItems(GadgetLevelList);
  ClearGadgetItems(GadgetLayerList);
  e.filePath = path;
}

// One entry of the map being read; false when the password was refused and the rest of the
// file is skipped.
bool TakeMapEntry(const MapFile& map, const MapEntry& entry) {
  EditorState& e = gEditor;
  switch (entry.part) {
    case MapPartAuthor: e.info.author = entry.text; break;
    case MapPartContact: e.info.contact = entry.text; break;
    case MapPartIntroduction: e.info.introduction = entry.text; break;
    case MapPartLevelCount:
      e.declaredLevelCount = entry.number;
      e.loading = true;
      break;
    case MapPartPassword:
      PumpOnce(PumpPacingMs);
      e.info.password = entry.text;
      if (!entry.text.empty() && !AskPassword()) return false;
      break;
    case MapPartLevel: ReadLevel(map.levels[static_cast<size_t>(entry.number)]); break;
    case MapPartStrayNode:
      ShowMessage(TranslateText(MessageTitle), TranslateText(MapFileInvalidMessage));
      break;
  }
  return true;
}

}  // namespace

void OpenMapCommand() {
  std::string path = ChooseOpenFile(TranslateText(OpenMapTitle), gEditor.workingDirectory,
                                    TranslateText(MapFileFilter));
  if (!path.empty()) OpenMap(path);
}

void OpenMap(const std::string& path) {
  EditorState& e = gEditor;
  e.refused = false;
  e.busy = true;
  MapFile map;
  // The map being edited is replaced only once the file has read as a map.
  bool read = ReadMapFile(path, map);
  if (read) {
    ClearForOpen(path);
    for (const MapEntry& entry : map.entries) {
      if (!TakeMapEntry(map, entry)) break;
    }
  }
  e.busy = false;
  e.loading = false;
  if (read) GoToLevel(1);
}

void ReadLevel(const std::string& text) {
  gEditor.dragging = false;
  EditorMap& m = gEditorMap;
  if (m.levelCount >= MaxLevels) return;
  const int level = ++m.levelCount;
  FillEditorLevel(m, level, text);
  AppendLevelItem(level);
}

// ---- Password ---------------------------------------------------------------------------------

bool AskPassword() {
  EditorState& e = gEditor;
  for (;;) {
    PumpOnce(PumpPacingMs);
    if (AskText(TranslateText(PasswordTitle), TranslateText(PasswordPrompt), "") ==
        e.info.password)
      return true;
    if (AskYesNo(TranslateText(MessageTitle), TranslateText(PasswordRetryQuestion)) != AnswerYes)
      break;
  }
  e.refused = true;
  e.info = MapInfo{};
  e.filePath.clear();
  return false;
}
