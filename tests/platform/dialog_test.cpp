// Dialogs: the scripted responder's record and answers, and the real dialogs' cancel paths.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/dialog.h"
#include "platform/window.h"

namespace {

class ScriptedDialogs : public testing::Test {
 protected:
  void SetUp() override { ScriptDialogs(true); }
  void TearDown() override { ScriptDialogs(false); }
};

constexpr const char* MapFilter = "地图文件 (*.xml)|*.xml";

size_t gSeenInsideProbe = 0;
std::string AnswerFromInside() {
  gSeenInsideProbe = ShownDialogs().size();
  return "yes";
}

}  // namespace

TEST_F(ScriptedDialogs, DefaultsAreOkAndCancelAndEachDialogIsRecorded) {
  ShowMessage("提示", "保存成功");
  EXPECT_EQ(AskYesNo("提示", "密码错误，是否重新输入？"), AnswerCancelled);
  EXPECT_EQ(AskText("输入编辑密码", "请输入编辑密码:", "默认"), "");
  EXPECT_EQ(ChooseOpenFile("选择地图文件", "/work/app/", MapFilter), "");
  EXPECT_EQ(ChooseSaveFile("保存文件", "/tmp/", MapFilter), "");
  EXPECT_EQ(ChooseFolder("请选择音乐所在目录。", "C:\\"), "");
  EXPECT_EQ(ChooseColour(255), -1);
  const std::vector<ShownDialog>& shown = ShownDialogs();
  ASSERT_EQ(shown.size(), 7u);
  const DialogKind kinds[] = {DialogMessage, DialogYesNo, DialogText, DialogOpenFile,
                              DialogSaveFile, DialogFolder, DialogColour};
  for (size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i].kind, kinds[i]) << i;
  EXPECT_EQ(shown[0].text, "保存成功");
  EXPECT_EQ(shown[3].text, MapFilter);
  EXPECT_EQ(shown[3].start, "/work/app/");
  EXPECT_EQ(shown[5].start, "C:\\");
}

TEST_F(ScriptedDialogs, QueuedAnswersAndProbesAreTakenInOrder) {
  for (const char* answer : {"", "yes", "no", "", "secret", "/home/player/maps/a.xml",
                             "/home/player/music", "16711680", ""})
    QueueDialogAnswer(answer);   // the message box takes one answer too
  ShowMessage("", "每关最多只能建立9层");
  EXPECT_EQ(AskYesNo("提示", "问题"), AnswerYes);
  EXPECT_EQ(AskYesNo("提示", "问题"), AnswerNo);
  EXPECT_EQ(AskYesNo("提示", "问题"), AnswerCancelled);
  EXPECT_EQ(AskText("t", "p", ""), "secret");
  EXPECT_EQ(ChooseSaveFile("保存文件", "/", MapFilter), "/home/player/maps/a.xml");
  EXPECT_EQ(ChooseFolder("p", "C:\\"), "/home/player/music/");
  EXPECT_EQ(ChooseColour(0), 16711680);
  EXPECT_EQ(ChooseColour(0), -1);
  // A probe runs inside the dialog, after it was recorded, and gives the answer.
  QueueDialogProbe(AnswerFromInside);
  EXPECT_EQ(AskYesNo("提示", "第一个"), AnswerYes);
  EXPECT_EQ(gSeenInsideProbe, ShownDialogs().size());
  // Switching on again clears the answers and the record.
  QueueDialogAnswer("yes");
  ScriptDialogs(true);
  EXPECT_TRUE(ShownDialogs().empty());
  EXPECT_EQ(AskYesNo("提示", "问题"), AnswerCancelled);
}

// ---- Real dialogs, closed from a timer ----------------------------------------------------------

namespace {

constexpr int DialogOwner = 7;
int gTicks = 0;
DismissWay gDismissWay = DismissByCloseBox;
void DismissAfterThreeTicks() {
  if (++gTicks == 3) DismissDialog(gDismissWay);
}

class RealDialogs : public testing::Test {
 protected:
  void SetUp() override {
    ScriptDialogs(false);
    ASSERT_TRUE(OpenWindow(DialogOwner, 200, 100, "对话框"));
    ActivateWindow(DialogOwner);
  }
  void TearDown() override { CloseWindow(DialogOwner); }
};

}  // namespace

TEST_F(RealDialogs, TimersFireInsideAndADismissedDialogAnswersCancel) {
  struct Case { const char* name; std::function<bool()> dismissedAnswerIsCancel; };
  const Case cases[] = {
      {"message", [] { ShowMessage("提示", "计时器继续运行"); return true; }},
      {"yes/no", [] { return AskYesNo("提示", "地图还没保存是否需要保存？") == AnswerCancelled; }},
      {"input", [] { return AskText("输入编辑密码", "请输入编辑密码:", "默认文字").empty(); }},
      {"open", [] { return ChooseOpenFile("选择地图文件", "C:\\", MapFilter).empty(); }},
      {"save", [] { return ChooseSaveFile("保存文件", "/tmp/", MapFilter).empty(); }},
      {"folder", [] { return ChooseFolder("请选择音乐所在目录。", "C:\\").empty(); }},
      {"colour", [] { return ChooseColour(0x00FF00) == -1; }}};
  for (DismissWay way : {DismissByCloseBox, DismissByEscape}) {
    gDismissWay = way;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (way == DismissByEscape ? " by Esc" : " by close box"));
      gTicks = 0;
      StartTimer(DialogOwner, 0, 5, DismissAfterThreeTicks);
      EXPECT_TRUE(c.dismissedAnswerIsCancel());
      EXPECT_GE(gTicks, 3);
      StopTimer(DialogOwner, 0);
    }
  }
}

// A box without a title shows the main window's, also over a window the main one owns.
std::string gSeenTitle;
void NoteTitleAndDismiss() {
  if (++gTicks != 3) return;
  gSeenTitle = OpenDialogTitle();
  DismissDialog();
}

TEST_F(RealDialogs, AnEmptyTitleIsTheMainWindowsTitle) {
  constexpr int OwnedWindow = 8;
  struct Case { const char* name; bool overOwned; std::function<void()> show; const char* title; };
  const Case cases[] = {
      {"message", false, [] { ShowMessage("", "游戏结束"); }, "对话框"},
      {"yes/no", false, [] { AskYesNo("", "地图还没保存是否需要保存？"); }, "对话框"},
      {"input", false, [] { AskText("", "请输入编辑密码:", ""); }, "对话框"},
      {"over an owned window", true, [] { ShowMessage("", "游戏结束"); }, "对话框"},
      {"titled", true, [] { ShowMessage("提示", "保存成功"); }, "提示"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.overOwned) {
      ASSERT_TRUE(OpenWindow(OwnedWindow, 100, 50, "游戏设置", 0, DialogOwner));
      ActivateWindow(OwnedWindow);
    }
    gTicks = 0;
    gSeenTitle.clear();
    StartTimer(DialogOwner, 0, 5, NoteTitleAndDismiss);
    c.show();
    StopTimer(DialogOwner, 0);
    EXPECT_EQ(gSeenTitle, c.title);
    CloseWindow(OwnedWindow);
  }
}

TEST_F(RealDialogs, ClosingTheOwnerWhileADialogRunsIsSafe) {
  gTicks = 0;
  StartTimer(DialogOwner, 0, 5, [] {
    if (++gTicks == 3) CloseWindow(DialogOwner);
  });
  ShowMessage("提示", "窗口将被关闭");
  EXPECT_FALSE(IsWindowOpen(DialogOwner));
}
