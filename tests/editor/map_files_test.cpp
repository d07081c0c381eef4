// Saving and opening: the even check, the save window, names and paths, progress, the atomic
// write, the reader with its limits, the edit password, and failed opens.
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor/editing.h"
#include "editor/map_files.h"
#include "editor_support.h"
#include "mapdata/map_reader.h"
#include "platform/files.h"

namespace {

std::vector<std::string> gSeenProgress;

// Stands in for the event handler while saving: what the save window shows at each pump.
void RecordProgress(const Event&) {
  gSeenProgress.push_back(StatusBarFieldText(SaveStatusBar, 0) + " " +
                          std::to_string(StatusBarProgressValue(SaveStatusBar, 1)));
}

std::string FullLayer() {
  std::vector<std::pair<int, int>> all;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 20; ++c) all.push_back({r, c});
  return LayerText(all);
}

int CountFiles(const std::string& directory) {
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    (void)entry;
    ++n;
  }
  return n;
}

}  // namespace

using Saving = EditorTest;
using Opening = EditorTest;

// ---- Save check and save window ---------------------------------------------------------------

TEST_F(Saving, AnOddLevelIsNamedAndShown) {
  NewLevel(1);
  NewLevel(2);
  NewLevel(3);
  gEditorMap.grid->level[3].cell[1][4][4] = 0;
  GoToLevel(1);
  SaveCommand();
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"第[3]关麻将牌数量不是双数，请修改。"});
  EXPECT_EQ(ShownDialogs()[0].title, "提示");
  EXPECT_EQ(gEditor.currentLevel, 3);
  EXPECT_EQ(GadgetState(GadgetLevelList), 2);
  EXPECT_FALSE(IsWindowOpen(SaveWindow));
}

TEST_F(Saving, AMapWithoutLevelsOpensNoSaveWindow) {
  SaveCommand();
  EXPECT_FALSE(IsWindowOpen(SaveWindow));
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(Saving, TheSaveWindowShowsTheMapInformation) {
  NewLevel(1);
  gEditor.info = MapInfo{"作者", "联系", "介绍\n第二行", "密码"};
  SaveCommand();
  ASSERT_TRUE(IsWindowOpen(SaveWindow));
  EXPECT_EQ(WindowTitle(SaveWindow), "保存地图");
  EXPECT_EQ(GadgetText(GadgetAuthor), "作者");
  EXPECT_EQ(GadgetText(GadgetContact), "联系");
  EXPECT_EQ(GadgetText(GadgetPassword), "密码");
  EXPECT_EQ(GadgetText(GadgetIntroduction), "介绍\n第二行");
  const int fields[][4] = {{GadgetAuthor, 16, 350, 20}, {GadgetContact, 40, 350, 20},
                           {GadgetPassword, 64, 350, 20}, {GadgetIntroduction, 88, 350, 80}};
  const char* captions[] = {"地图作者:", "联系方式:", "编辑密码:", "地图介绍:"};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(GadgetText(GadgetSaveCaption1 + k), captions[k]);
    EXPECT_EQ(GadgetX(GadgetSaveCaption1 + k), 20);
    EXPECT_EQ(GadgetY(GadgetSaveCaption1 + k), fields[k][1] + 4) << "beside its field";
  }
  for (const auto& f : fields) {
    EXPECT_EQ(GadgetX(f[0]), 80);
    EXPECT_EQ(GadgetY(f[0]), f[1]);
    EXPECT_EQ(GadgetWidth(f[0]), f[2]);
    EXPECT_EQ(GadgetHeight(f[0]), f[3]);
  }
  EXPECT_EQ(GadgetX(GadgetSaveButton), 180);
  EXPECT_EQ(GadgetY(GadgetSaveButton), 173);
  EXPECT_EQ(GadgetText(GadgetSaveButton), "保存地图");
  EXPECT_EQ(StatusBarFieldText(SaveStatusBar, 0), "保存进度:");
  EXPECT_EQ(StatusBarProgressValue(SaveStatusBar, 1), 0);
}

// ---- Names and paths --------------------------------------------------------------------------

TEST_F(Saving, ANewMapAsksForANameAtEverySave) {
  NewLevel(1);
  for (int round = 0; round < 2; ++round) {
    SaveCommand();
    ASSERT_TRUE(IsWindowOpen(SaveWindow));
    QueueDialogAnswer(File("neu"));
    SimulateGadgetChange(GadgetSaveButton, 0);
    for (Event e = PollEvent(); e.kind != EventNone; e = PollEvent()) HandleEditorEvent(e);
    EXPECT_FALSE(IsWindowOpen(SaveWindow));
  }
  int asked = 0;
  for (const ShownDialog& d : ShownDialogs()) {
    if (d.kind != DialogSaveFile) continue;
    ++asked;
    EXPECT_EQ(d.title, "保存文件");
    EXPECT_EQ(d.text, "地图文件 (*.xml)|*.xml");
    EXPECT_EQ(d.start, gEditor.workingDirectory);
  }
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(std::filesystem::exists(File("neu.xml")));
  EXPECT_TRUE(gEditor.filePath.empty()) << "a name from the save dialog is not remembered";
}

TEST_F(Saving, ACancelledSaveDialogWritesNothing) {
  NewLevel(1);
  SaveCommand();
  QueueDialogAnswer("");
  PressSaveButton();
  EXPECT_TRUE(IsWindowOpen(SaveWindow));
  EXPECT_EQ(CountFiles(scratch_), 0);
}

TEST_F(Saving, AnOpenedMapIsSavedBackWithoutADialog) {
  std::string path = File("opened.xml");
  WriteBytes(path, MapText({"1$" + FullLayer()}, "", "旧作者"));
  OpenMap(path);
  ASSERT_EQ(gEditor.filePath, path);
  int x = 66, y = 75;
  PressLeftButton(x, y);
  PressLeftButton(x + 42, y);
  ReleaseButton();
  SaveCommand();
  SetGadgetText(GadgetAuthor, "新作者");
  PressSaveButton();
  for (const ShownDialog& d : ShownDialogs()) EXPECT_NE(d.kind, DialogSaveFile);
  EXPECT_EQ(ShownTexts().back(), "保存成功");
  EXPECT_EQ(gEditor.saved, 1);
  EXPECT_FALSE(IsWindowOpen(SaveWindow));
  std::string saved = ReadBytes(path);
  EXPECT_NE(saved.find("<b>新作者</b>"), std::string::npos);
  EXPECT_NE(saved.find("<o>1$0,0,1,"), std::string::npos);
  EXPECT_EQ(CountFiles(scratch_), 1) << "no temporary file is left behind";
}

TEST_F(Saving, XmlIsAppendedUnlessTheNameEndsInExactlyXml) {
  NewLevel(1);
  EXPECT_TRUE(SaveToFile(File("plain")));
  EXPECT_TRUE(SaveToFile(File("ready.xml")));
  EXPECT_TRUE(SaveToFile(File("upper.XML")));
  EXPECT_TRUE(std::filesystem::exists(File("plain.xml")));
  EXPECT_TRUE(std::filesystem::exists(File("ready.xml")));
  EXPECT_FALSE(std::filesystem::exists(File("ready.xml.xml")));
  EXPECT_TRUE(std::filesystem::exists(File("upper.XML.xml")));
  EXPECT_EQ(CountFiles(scratch_), 3);
}

TEST_F(Saving, ThreeLevelsShowTheirPercentagesInTurn) {
  NewLevel(1);
  NewLevel(2);
  NewLevel(3);
  SaveCommand();
  gSeenProgress.clear();
  SetEventHandler(RecordProgress);
  for (int i = 0; i < 3; ++i) PostEvent(Event{EventMouseMove, EditorWindow, 0});
  EXPECT_TRUE(SaveToFile(File("three")));
  SetEventHandler(HandleEditorEvent);
  EXPECT_EQ(gSeenProgress, (std::vector<std::string>{"33% 33", "67% 67", "100% 100"}));
  EXPECT_FALSE(IsWindowOpen(SaveWindow)) << "a finished save closes the save window";
}

// ---- Failed saves -----------------------------------------------------------------------------

TEST_F(Saving, AFullDiskLeavesTheOldFileByteForByte) {
  std::string path = File("keep.xml");
  WriteBytes(path, MapText({"1$" + FullLayer(), "2$" + FullLayer()}));
  OpenMap(path);
  std::string before = ReadBytes(path);
  NewLevel(3);
  NewLevel(4);
  PressLeftButton(66, 75);
  PressLeftButton(66 + 42, 75);
  ReleaseButton();
  SaveCommand();
  ASSERT_TRUE(IsWindowOpen(SaveWindow));
  InjectFileFaults(FileFaults{.diskRoom = 1000});
  PressSaveButton();
  InjectFileFaults(FileFaults{});
  EXPECT_EQ(ShownTexts().back(), "无法保存可能没有权限!");
  EXPECT_EQ(ShownDialogs().back().title, "提示");
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(CountFiles(scratch_), 1) << "no temporary file is left behind";
  EXPECT_TRUE(IsWindowOpen(SaveWindow));
  EXPECT_EQ(gEditor.saved, 0);
}

// A save that cannot succeed says so at once, before the progress run, and leaves no file.
TEST_F(Saving, AnUnwritableTargetIsRefusedBeforeTheProgressRun) {
  const std::string locked = File("locked.xml");
  WriteBytes(locked, "old");
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
  const std::string targets[] = {File("missing/map.xml"), locked};
  NewLevel(1);
  NewLevel(2);
  SaveCommand();
  for (const std::string& target : targets) {
    SCOPED_TRACE(target);
    ScriptDialogs(true);
    gSeenProgress.clear();
    SetEventHandler(RecordProgress);
    for (int i = 0; i < 2; ++i) PostEvent(Event{EventMouseMove, EditorWindow, 0});
    EXPECT_FALSE(SaveToFile(target));
    SetEventHandler(HandleEditorEvent);
    while (PollEvent().kind != EventNone) {
    }
    EXPECT_TRUE(gSeenProgress.empty());
    EXPECT_EQ(StatusBarProgressValue(SaveStatusBar, 1), 0);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"无法保存可能没有权限!"});
    EXPECT_TRUE(IsWindowOpen(SaveWindow));
  }
  EXPECT_EQ(ReadBytes(locked), "old");
  EXPECT_EQ(CountFiles(scratch_), 1);
}

TEST_F(Saving, TheSavedFileKeepsItsModeItsOwnerAndItsLink) {
  namespace fs = std::filesystem;
  const std::string target = File("private.xml");
  WriteBytes(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
  // Where the process may give a file away (as root), the saved file keeps its owner too.
  constexpr uid_t OtherOwner = 4321;
  const bool givenAway = chown(target.c_str(), OtherOwner, OtherOwner) == 0;
  fs::create_symlink("private.xml", File("link.xml"));
  NewLevel(1);
  gEditor.info.password = "只给我看";
  ASSERT_TRUE(SaveToFile(File("link.xml")));
  EXPECT_TRUE(fs::is_symlink(File("link.xml")));
  EXPECT_NE(ReadBytes(target).find("<f>只给我看</f>"), std::string::npos);
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write)
      << "the password stays private";
  struct stat info;
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  if (givenAway) EXPECT_EQ(info.st_uid, OtherOwner);
  EXPECT_EQ(CountFiles(scratch_), 2);
}

// ---- Several commands at once -----------------------------------------------------------------

// One event is taken before each level is written: every command waits out the save, 是 to the
// close question included, while painting goes on and keeps its change unsaved.
TEST_F(Saving, OnlyPaintingGoesOnWhileASaveRuns) {
  for (int level = 1; level <= 7; ++level) NewLevel(1);
  SaveCommand();
  ASSERT_TRUE(IsWindowOpen(SaveWindow));
  MovePointer(EditorWindow, 66, 75);
  PostEvent(Event{EventLeftButtonDown, EditorWindow, 0, 66, 75});
  PostEvent(Event{EventLeftButtonUp, EditorWindow, 0, 66, 75});
  SimulateGadgetChange(GadgetOpenMap, 0);
  SimulateGadgetChange(GadgetLevelList, 0);
  SimulateGadgetChange(GadgetNewLevel, 0);
  PostEvent(Event{EventShortcut, EditorWindow, ShortcutNewLevelType1});
  QueueDialogAnswer("yes");
  PostEvent(Event{EventCloseWindow, EditorWindow, 0});
  ASSERT_TRUE(SaveToFile(File("seven")));
  EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"地图还没保存是否需要保存？", "保存成功"}))
      << "neither the open dialog nor a second save check";
  EXPECT_EQ(gEditorMap.levelCount, 7);
  EXPECT_EQ(gEditor.currentLevel, 7);
  EXPECT_EQ(GadgetState(GadgetLevelList), 6) << "the ignored pick is undone";
  EXPECT_FALSE(IsWindowOpen(NewLevelWindow));
  EXPECT_FALSE(gEditor.quit);
  EXPECT_NE(ReadBytes(File("seven.xml")).find("<e>7</e>"), std::string::npos);
  EXPECT_EQ(Cell(1, 1, 1), 0) << "painting went on";
  EXPECT_EQ(gEditor.saved, 0) << "a change painted during the save may not be in the file";
}

TEST_F(Opening, CommandsWaitOutTheReading) {
  WriteBytes(File("locked.xml"), MapText({"1$" + FullLayer(), "2$" + FullLayer()}, "pw"));
  QueueDialogAnswer("pw");
  PostEvent(Event{EventShortcut, EditorWindow, ShortcutNewLevelType1});
  SimulateGadgetChange(GadgetSaveMap, 0);
  OpenMap(File("locked.xml"));
  EXPECT_EQ(gEditorMap.levelCount, 2);
  EXPECT_EQ(gEditorMap.arrangementType[1], 1);
  EXPECT_EQ(gEditorMap.arrangementType[2], 2);
  EXPECT_FALSE(IsWindowOpen(SaveWindow));
  EXPECT_EQ(ShownDialogs().size(), 1u) << "only the password was asked";
  EXPECT_EQ(PollEvent().kind, EventNone) << "both commands were taken, and dropped";
}

TEST_F(Saving, ControlCharactersInTheInformationAreDropped) {
  NewLevel(1);
  gEditor.info.author = std::string("a\x01") + "b\x1F" + "c";
  ASSERT_TRUE(SaveToFile(File("control")));
  gEditor.info = MapInfo{};
  OpenMap(File("control.xml"));
  EXPECT_EQ(ShownTexts().back(), "保存成功") << "the file reads without a message";
  EXPECT_EQ(gEditor.info.author, "abc");
  EXPECT_EQ(gEditorMap.levelCount, 1);
}

// ---- Opening ----------------------------------------------------------------------------------

TEST_F(Opening, LevelsComeInDocumentOrderAndTheFirstIsShown) {
  std::string path = File("map.xml");
  WriteBytes(path, MapText({"2$" + FullLayer() + LayerText({{1, 1}, {2, 3}}), "4$" + FullLayer()},
                           "", "我"));
  NewLevel(1);
  OpenMap(path);
  EXPECT_EQ(gEditorMap.levelCount, 2);
  EXPECT_EQ(gEditor.currentLevel, 1);
  EXPECT_EQ(gEditor.currentType, 2);
  EXPECT_EQ(gEditor.currentLayer, 2);
  EXPECT_EQ(Cell(2, 2, 3), 2);
  EXPECT_EQ(Cell(2, 1, 2), 0);
  EXPECT_EQ(gEditor.info.author, "我");
  EXPECT_EQ(Items(GadgetLevelList), (std::vector<std::string>{"转到第1关", "转到第2关"}));
  EXPECT_EQ(GadgetState(GadgetLevelList), 0);
  EXPECT_EQ(Items(GadgetLayerList), (std::vector<std::string>{"编辑第1层", "编辑第2层"}));
  EXPECT_FALSE(gEditor.loading);
  EXPECT_EQ(gEditor.declaredLevelCount, 2);
  EXPECT_EQ(gEditor.saved, 1);
}

TEST_F(Opening, TheDeclaredCountOnlyMeasuresProgress) {
  std::string path = File("five.xml");
  WriteBytes(path, MapText({"1$" + FullLayer(), "1$" + FullLayer(), "3$" + FullLayer()}, "", "", 5));
  OpenMap(path);
  EXPECT_EQ(gEditorMap.levelCount, 3);
  EXPECT_EQ(gEditor.declaredLevelCount, 5);
  EXPECT_EQ(CountGadgetItems(GadgetLevelList), 3);
}

TEST_F(Opening, TooManyLevelsAndLayerFieldsFillOnlyWhatFits) {
  std::string level = "1$";
  for (int k = 0; k < 14; ++k) level += FullLayer();
  std::vector<std::string> levels(302, "2$" + FullLayer());
  levels[0] = level;
  std::string path = File("big.xml");
  WriteBytes(path, MapText(levels));
  OpenMap(path);
  EXPECT_EQ(gEditorMap.levelCount, 300);
  EXPECT_EQ(CountGadgetItems(GadgetLevelList), 300);
  EXPECT_EQ(gEditorMap.layerCount[1], 9);
  EXPECT_EQ(gEditorMap.grid->level[1].cell[10][1][1], 0);
  EXPECT_TRUE(ShownDialogs().empty());
}

TEST_F(Opening, AFileThatCannotBeReadKeepsTheMapBeingEdited) {
  NewLevel(2);
  NewLayer();
  PressLeftButton(66, 75);
  ReleaseButton();
  gEditor.info = MapInfo{"作者", "联系", "介绍", ""};
  gEditor.filePath = File("mine.xml");
  WriteBytes(File("broken.xml"), "<a><o>1$</o>");
  const std::string paths[] = {File("absent.xml"), File("broken.xml")};
  for (const std::string& path : paths) OpenMap(path);
  EXPECT_EQ(ShownTexts(), (std::vector<std::string>{MapFileMissingMessage, MapFileMissingMessage}));
  EXPECT_EQ(gEditorMap.levelCount, 1);
  EXPECT_EQ(gEditor.currentLevel, 1);
  EXPECT_EQ(gEditor.currentLayerCount, 2);
  EXPECT_EQ(CountGadgetItems(GadgetLevelList), 1);
  EXPECT_EQ(CountGadgetItems(GadgetLayerList), 2);
  EXPECT_EQ(gEditor.filePath, File("mine.xml"));
  EXPECT_EQ(gEditor.info.author, "作者");
  EXPECT_EQ(gEditor.info.introduction, "介绍");
  EXPECT_EQ(gEditor.saved, 0);
  EXPECT_FALSE(gEditor.loading);
}

// Neither a FIFO nor a link to a device is read: each gives the map's message at once.
TEST_F(Opening, OnlyARegularFileIsReadAsAMap) {
  ASSERT_EQ(mkfifo(File("fifo.xml").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", File("zero.xml"));
  OpenMap(File("fifo.xml"));
  OpenMap(File("zero.xml"));
  EXPECT_EQ(ShownTexts(),
            (std::vector<std::string>{MapFileMissingMessage, MapFileMissingMessage}));
  EXPECT_EQ(gEditorMap.levelCount, 0);
}

TEST_F(Opening, AMapWithoutLevelsEndsOnLevelOne) {
  WriteBytes(File("empty.xml"), MapText({}));
  NewLevel(2);
  OpenMap(File("empty.xml"));
  EXPECT_EQ(gEditorMap.levelCount, 0);
  EXPECT_EQ(gEditor.currentLevel, 1);
  EXPECT_EQ(gEditor.currentLayerCount, 0);
  EXPECT_EQ(CountGadgetItems(GadgetLevelList), 0);
  EXPECT_EQ(CountGadgetItems(GadgetLayerList), 0);
}

TEST_F(Opening, TheDefaultMapOpensWithAllItsLevels) {
  std::string path = std::string(PELMORA_APP_DIR) + "/Maps/Duzuz.xml";
  std::string text = ReadBytes(path);
  ASSERT_FALSE(text.empty());
  int levels = 0;
  for (size_t at = text.find("<o>"); at != std::string::npos; at = text.find("<o>", at + 1)) ++levels;
  ASSERT_GT(levels, 0);
  OpenMap(path);
  EXPECT_TRUE(ShownDialogs().empty());
  EXPECT_EQ(gEditorMap.levelCount, levels);
  EXPECT_EQ(CountGadgetItems(GadgetLevelList), levels);
  for (int level = 1; level <= levels; ++level) {
    EXPECT_GE(gEditorMap.arrangementType[level], 1);
    EXPECT_LE(gEditorMap.arrangementType[level], 4);
    EXPECT_GE(gEditorMap.layerCount[level], 1);
  }
}

// ---- Edit password ----------------------------------------------------------------------------

TEST_F(Opening, APasswordWrongByLetterCaseIsRefusedAndTheNextMapOpensWhole) {
  std::string locked = File("locked.xml");
  WriteBytes(locked, MapText({"1$" + FullLayer()}, "Geheim", "作者"));
  QueueDialogAnswer("geheim");
  QueueDialogAnswer("no");
  OpenMap(locked);
  ASSERT_EQ(ShownDialogs().size(), 2u);
  EXPECT_EQ(ShownDialogs()[0].kind, DialogText);
  EXPECT_EQ(ShownDialogs()[0].title, "输入编辑密码");
  EXPECT_EQ(ShownDialogs()[0].text, "本地图需要输入密码才能编辑,请输入编辑密码:");
  EXPECT_EQ(ShownDialogs()[0].start, "");
  EXPECT_EQ(ShownDialogs()[1].kind, DialogYesNo);
  EXPECT_EQ(ShownDialogs()[1].text, "密码错误，是否重新输入？");
  EXPECT_EQ(gEditorMap.levelCount, 0) << "the levels stand after the password";
  EXPECT_TRUE(gEditor.info.author.empty());
  EXPECT_TRUE(gEditor.info.password.empty());
  EXPECT_TRUE(gEditor.filePath.empty());

  std::string open = File("open.xml");
  WriteBytes(open, MapText({"1$" + FullLayer(), "3$" + FullLayer()}));
  OpenMap(open);
  EXPECT_EQ(gEditorMap.levelCount, 2);
  EXPECT_EQ(gEditor.filePath, open);
  EXPECT_EQ(ShownDialogs().size(), 2u);
}

TEST_F(Opening, ACancelledPasswordCountsAsWrongAndARetryCanSucceed) {
  std::string locked = File("locked.xml");
  WriteBytes(locked, MapText({"1$" + FullLayer(), "2$" + FullLayer()}, "Geheim", "作者"));
  QueueDialogAnswer("");
  QueueDialogAnswer("yes");
  QueueDialogAnswer("Geheim");
  OpenMap(locked);
  EXPECT_EQ(ShownDialogs().size(), 3u);
  EXPECT_EQ(gEditorMap.levelCount, 2);
  EXPECT_EQ(gEditor.info.password, "Geheim");
  EXPECT_EQ(gEditor.info.author, "作者");
  EXPECT_EQ(gEditor.filePath, locked);
}
