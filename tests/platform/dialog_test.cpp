// Dialogs: the scripted responder's record and answers, and the real dialogs' cancel paths.
#include <gtest/gtest.h>

#include "platform/dialog.h"
#include "platform/window.h"

namespace {

class ScriptedDialogs : public testing::Test {
 protected:
  void SetUp() override { ScriptDialogs(true); }
  void TearDown() override { ScriptDialogs(false); }
};

constexpr const char* MapFilter = "地图文件 (*.xml)|*.xml";

}  // namespace

TEST_F(ScriptedDialogs, DefaultsAreOkNoAndCancel) {
  ShowMessage("提示", "保存成功");
  EXPECT_FALSE(AskYesNo("提示", "密码错误，是否重新输入？"));
  EXPECT_EQ(AskText("输入编辑密码", "请输入编辑密码:", "默认"), "");
  EXPECT_EQ(ChooseOpenFile("选择地图文件", "/tmp/", MapFilter), "");
  EXPECT_EQ(ChooseSaveFile("保存文件", "/tmp/", MapFilter), "");
  EXPECT_EQ(ChooseFolder("请选择音乐所在目录。", "C:\\"), "");
  EXPECT_EQ(ChooseColour(255), -1);
  EXPECT_EQ(ShownDialogs().size(), 7u);
}

TEST_F(ScriptedDialogs, RecordsKindTitleTextAndStart) {
  ShowMessage("提示", "保存成功");
  AskText("输入编辑密码", "本地图需要输入密码才能编辑,请输入编辑密码:", "");
  ChooseOpenFile("选择地图文件", "/work/app/", MapFilter);
  ChooseFolder("请选择图片所在目录，游戏每过一关将更换一张图片。", "C:\\");
  ChooseColour(16711680);
  const std::vector<ShownDialog>& shown = ShownDialogs();
  ASSERT_EQ(shown.size(), 5u);
  EXPECT_EQ(shown[0].kind, DialogMessage);
  EXPECT_EQ(shown[0].title, "提示");
  EXPECT_EQ(shown[0].text, "保存成功");
  EXPECT_EQ(shown[1].kind, DialogText);
  EXPECT_EQ(shown[1].title, "输入编辑密码");
  EXPECT_EQ(shown[1].text, "本地图需要输入密码才能编辑,请输入编辑密码:");
  EXPECT_EQ(shown[2].kind, DialogOpenFile);
  EXPECT_EQ(shown[2].text, MapFilter);
  EXPECT_EQ(shown[2].start, "/work/app/");
  EXPECT_EQ(shown[3].kind, DialogFolder);
  EXPECT_EQ(shown[3].text, "请选择图片所在目录，游戏每过一关将更换一张图片。");
  EXPECT_EQ(shown[3].start, "C:\\");
  EXPECT_EQ(shown[4].kind, DialogColour);
}

TEST_F(ScriptedDialogs, QueuedAnswersAreTakenInOrder) {
  QueueDialogAnswer("");         // the message box takes one answer too
  QueueDialogAnswer("yes");
  QueueDialogAnswer("no");
  QueueDialogAnswer("secret");
  QueueDialogAnswer("/home/player/maps/a.xml");
  QueueDialogAnswer("/home/player/music");
  QueueDialogAnswer("16711680");
  QueueDialogAnswer("");
  ShowMessage("", "每关最多只能建立9层");
  EXPECT_TRUE(AskYesNo("提示", "问题"));
  EXPECT_FALSE(AskYesNo("提示", "问题"));
  EXPECT_EQ(AskText("t", "p", ""), "secret");
  EXPECT_EQ(ChooseSaveFile("保存文件", "/", MapFilter), "/home/player/maps/a.xml");
  EXPECT_EQ(ChooseFolder("p", "C:\\"), "/home/player/music/");
  EXPECT_EQ(ChooseColour(0), 16711680);
  EXPECT_EQ(ChooseColour(0), -1);
  EXPECT_FALSE(AskYesNo("提示", "队列已空"));
}

TEST_F(ScriptedDialogs, SwitchingOnAgainClearsAnswersAndRecord) {
  QueueDialogAnswer("yes");
  ShowMessage("a", "b");
  ScriptDialogs(true);
  EXPECT_TRUE(ShownDialogs().empty());
  EXPECT_FALSE(AskYesNo("提示", "问题"));
}

namespace {
size_t gSeenInsideProbe = 0;
std::string AnswerFromInside() {
  gSeenInsideProbe = ShownDialogs().size();
  return "yes";
}
}  // namespace

TEST_F(ScriptedDialogs, ProbeRunsInsideTheDialogAndGivesTheAnswer) {
  gSeenInsideProbe = 0;
  QueueDialogProbe(AnswerFromInside);
  QueueDialogAnswer("no");
  EXPECT_TRUE(AskYesNo("提示", "第一个"));
  EXPECT_EQ(gSeenInsideProbe, 1u) << "the dialog is recorded before the probe runs";
  EXPECT_FALSE(AskYesNo("提示", "第二个"));
}

// ---- Real dialogs, closed from a timer ----------------------------------------------------------

namespace {

constexpr int DialogOwner = 7;
int gTicks = 0;
void DismissAfterThreeTicks() {
  if (++gTicks == 3) DismissDialog();
}

class RealDialogs : public testing::Test {
 protected:
  void SetUp() override {
    ScriptDialogs(false);
    ASSERT_TRUE(OpenWindow(DialogOwner, 200, 100, "对话框"));
    ActivateWindow(DialogOwner);
    gTicks = 0;
    StartTimer(DialogOwner, 0, 5, DismissAfterThreeTicks);
  }
  void TearDown() override {
    EXPECT_GE(gTicks, 3) << "timers fire while the dialog is open";
    CloseWindow(DialogOwner);
  }
};

}  // namespace

TEST_F(RealDialogs, ClosedInputBoxAnswersEmpty) {
  EXPECT_EQ(AskText("输入编辑密码", "请输入编辑密码:", "默认文字"), "");
}

TEST_F(RealDialogs, ClosedFileDialogsAnswerEmpty) {
  EXPECT_EQ(ChooseOpenFile("选择地图文件", "C:\\", MapFilter), "");
  gTicks = 0;
  EXPECT_EQ(ChooseSaveFile("保存文件", "/tmp/", "地图文件 (*.xml)|*.xml|全部|*.*"), "");
}

TEST_F(RealDialogs, ClosedFolderChooserAnswersEmpty) {
  EXPECT_EQ(ChooseFolder("请选择音乐所在目录。", "C:\\"), "");
}

TEST_F(RealDialogs, ClosedColourChooserAnswersMinusOne) {
  EXPECT_EQ(ChooseColour(0x00FF00), -1);
}

TEST_F(RealDialogs, ClosingTheOwnerWhileADialogRunsIsSafe) {
  StartTimer(DialogOwner, 0, 5, [] {
    if (++gTicks == 3) CloseWindow(DialogOwner);
  });
  ShowMessage("提示", "窗口将被关闭");
  EXPECT_FALSE(IsWindowOpen(DialogOwner));
}
