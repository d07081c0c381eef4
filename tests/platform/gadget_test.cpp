// Gadgets and status bars: geometry, state, texts, items, and which changes post events.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/gadget.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace {

constexpr int Owner = 0;
constexpr int Settings = 1;
constexpr int Bar = 0;
constexpr int Picture = 900;
constexpr int NoPicture = 901;

std::vector<Event> DrainEvents() {
  std::vector<Event> events;
  for (Event e = PollEvent(); e.kind != EventNone; e = PollEvent()) events.push_back(e);
  return events;
}

// A window laid out like the settings window: frames, containers, boxes, a label, a slider.
class GadgetTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(OpenWindow(Owner, 400, 300, "主窗口"));
    ASSERT_TRUE(OpenWindow(Settings, 450, 300, "游戏设置", 0, Owner));
    UseGadgetList(Settings);
    ASSERT_TRUE(FrameGadget(10, 10, 10, 430, 45, "背景设置"));
    ASSERT_TRUE(ContainerGadget(11, 15, 25, 420, 25));
    ASSERT_TRUE(CheckBoxGadget(12, 5, 5, 100, 20, "默认背景图片"));
    ASSERT_TRUE(CheckBoxGadget(13, 105, 5, 100, 20, "自选背景图片"));
    CloseGadgetList();
    ASSERT_TRUE(ContainerGadget(21, 15, 80, 420, 60));
    ASSERT_TRUE(TextGadget(26, 115, 34, 85, 20, "设置音量：50%"));
    ASSERT_TRUE(TrackBarGadget(27, 200, 33, 220, 20, 0, 1000));
    CloseGadgetList();
    ASSERT_TRUE(ComboBoxGadget(40, 88, 177, 100, 20));
    ASSERT_TRUE(ButtonGadget(41, 3, 175, 80, 24, "新建立一关"));
    DrainEvents();
  }
  void TearDown() override {
    FreeSprite(Picture);
    FreeImage(Picture);
    CloseWindow(Settings);
    CloseWindow(Owner);
    DrainEvents();
  }
};

}  // namespace

TEST_F(GadgetTest, GeometryIsExactlyAsGivenInsideItsParent) {
  struct Place { int gadget, x, y, width, height; };
  const Place places[] = {{10, 10, 10, 430, 45}, {11, 15, 25, 420, 25}, {12, 5, 5, 100, 20},
                          {13, 105, 5, 100, 20}, {26, 115, 34, 85, 20}, {27, 200, 33, 220, 20},
                          {40, 88, 177, 100, 20}, {41, 3, 175, 80, 24}};
  for (const Place& p : places)
    EXPECT_EQ(std::make_tuple(GadgetX(p.gadget), GadgetY(p.gadget), GadgetWidth(p.gadget),
                              GadgetHeight(p.gadget)),
              std::make_tuple(p.x, p.y, p.width, p.height)) << p.gadget;
}

TEST_F(GadgetTest, EveryUserChangePostsOneEvent) {
  ASSERT_TRUE(CreateSprite(Picture, 238, 138, 0x00FF00));
  UseGadgetList(Settings);
  ASSERT_TRUE(ImageButtonGadget(50, 10, 150, 238, 138, Picture));
  ASSERT_TRUE(ImageButtonGadget(51, 250, 150, 100, 50, NoPicture));   // a plain button
  AddGadgetItem(40, "转到第1关");
  AddGadgetItem(40, "转到第2关");
  // A change to the state a gadget already shows still reaches the program.
  struct Change { int gadget, value, state; };
  const Change changes[] = {{13, 1, 1}, {12, 1, 1}, {12, 1, 1}, {12, 0, 0}, {27, 999, 999},
                            {27, 5, 5}, {27, 1000, 1000}, {27, 1000, 1000}, {40, 0, 0},
                            {40, 0, 0}, {41, 0, 0}, {50, 0, 0}, {51, 0, 0}};
  for (const Change& c : changes) {
    SimulateGadgetChange(c.gadget, c.value);
    std::vector<Event> events = DrainEvents();
    ASSERT_EQ(events.size(), 1u) << c.gadget << " " << c.value;
    EXPECT_EQ(events[0].kind, EventGadget);
    EXPECT_EQ(events[0].window, Settings);
    EXPECT_EQ(events[0].number, c.gadget);
    EXPECT_EQ(GadgetState(c.gadget), c.state) << c.gadget;
  }
}

TEST_F(GadgetTest, ProgramChangesKeepLimitsAndPostNothing) {
  SetGadgetState(27, 1500);
  EXPECT_EQ(GadgetState(27), 1000);
  SetGadgetState(27, -5);
  EXPECT_EQ(GadgetState(27), 0);
  SetGadgetText(41, "新建立一层");
  EXPECT_EQ(GadgetState(40), -1);
  for (const char* item : {"转到第1关", "转到第2关", "转到第3关"}) AddGadgetItem(40, item);
  EXPECT_EQ(CountGadgetItems(40), 3);
  EXPECT_EQ(GadgetState(40), -1) << "a drop-down list starts unselected";
  EXPECT_EQ(GadgetItemText(40, 3), "");
  SetGadgetState(40, 2);
  EXPECT_EQ(GadgetText(40), "转到第3关");
  AddGadgetItem(40, "转到第4关");
  EXPECT_EQ(GadgetState(40), 2) << "adding keeps the selection";
  ClearGadgetItems(40);
  EXPECT_EQ(CountGadgetItems(40), 0);
  EXPECT_EQ(GadgetState(40), -1);
  EXPECT_TRUE(DrainEvents().empty());
}

TEST_F(GadgetTest, TextFieldsAndImageAreasPostNothing) {
  UseGadgetList(Settings);
  ASSERT_TRUE(StringGadget(62, 80, 64, 350, 20, "密码", StringMasked));
  ASSERT_TRUE(StringGadget(63, 80, 88, 350, 80, "第一行\n第二行", StringMultiLine));
  EXPECT_EQ(GadgetText(63), "第一行\n第二行");
  SetGadgetText(62, "新密码");
  EXPECT_EQ(GadgetText(62), "新密码");
  ASSERT_TRUE(TextGadget(60, 20, 20, 60, 90, "地图作者:\r\n\r\n联系方式:"));
  EXPECT_EQ(GadgetText(60), "地图作者:\r\n\r\n联系方式:");
  ASSERT_TRUE(CreateImage(Picture, 400, 300, 0x0000FF));
  ASSERT_TRUE(ImageGadget(52, 0, 0, 290, 145, Picture));   // bigger picture: cut off, not resized
  ASSERT_TRUE(ImageGadget(53, 5, 5, 20, 20, NoPicture));    // an empty area
  EXPECT_EQ(GadgetWidth(52), 290);
  EXPECT_EQ(GadgetHeight(52), 145);
  SetGadgetText(52, "无文字");
  EXPECT_EQ(GadgetText(52), "");
  FreeImage(Picture);
  EXPECT_TRUE(IsGadget(52)) << "the area keeps its own copy of the picture";
  EXPECT_TRUE(DrainEvents().empty());
}

TEST_F(GadgetTest, FreeingReplacingAndClosingTheWindow) {
  FreeGadget(11);   // a container takes its gadgets with it
  EXPECT_FALSE(IsGadget(11));
  EXPECT_FALSE(IsGadget(12));
  SimulateGadgetChange(12, 1);
  EXPECT_TRUE(DrainEvents().empty());
  UseGadgetList(Settings);
  ASSERT_TRUE(ButtonGadget(41, 1, 2, 3, 4, "替换"));
  EXPECT_EQ(GadgetX(41), 1);
  EXPECT_EQ(GadgetText(41), "替换");

  // Gadgets and the status bar go with their window.
  ASSERT_TRUE(CreateStatusBar(Bar, Settings));
  AddStatusBarField(Bar, 60);
  StatusBarText(Bar, 0, "保存进度:");
  CloseWindow(Settings);
  EXPECT_FALSE(IsGadget(10));
  EXPECT_FALSE(IsGadget(41));
  EXPECT_EQ(StatusBarHeight(Settings), 0);
  EXPECT_EQ(StatusBarFieldText(Bar, 0), "");
  EXPECT_FALSE(CreateStatusBar(Bar, Settings));
  UseGadgetList(Settings);
  EXPECT_FALSE(ButtonGadget(70, 0, 0, 10, 10, "无窗口"));
}

// ---- Status bars ------------------------------------------------------------------------------

TEST_F(GadgetTest, StatusBarFieldsTextsAndProgressInsideTheFixedClientArea) {
  EXPECT_EQ(StatusBarHeight(Owner), 0);
  ASSERT_TRUE(CreateStatusBar(Bar, Owner));
  EXPECT_GT(StatusBarHeight(Owner), 0);
  MovePointer(Owner, 5, 299);
  EXPECT_EQ(WindowMouseY(Owner), 299) << "the client area keeps its height";
  MovePointer(Owner, 5, 300);
  EXPECT_EQ(WindowMouseY(Owner), -1);

  for (int width : {70, 210, 210, 180, -1}) AddStatusBarField(Bar, width);
  StatusBarText(Bar, 1, "当前地图共有0关，正在编辑第0关。", StatusCentred | StatusBorderless);
  StatusBarText(Bar, 9, "不存在的格子");
  EXPECT_EQ(StatusBarFieldText(Bar, 1), "当前地图共有0关，正在编辑第0关。");
  EXPECT_EQ(StatusBarFieldText(Bar, 5), "");
  StatusBarProgress(Bar, 3, 7, 0, 10);
  EXPECT_EQ(StatusBarProgressValue(Bar, 3), 7);
}
