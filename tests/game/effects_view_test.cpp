// The overlays and the result page as drawn from the rules' state: the reward banner's lines
// and the result page's figures counting up.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/presentation/effects_view.h"
#include "game/presentation/fonts.h"
#include "game/presentation/result_view.h"
#include "game/rules/result_screen.h"
#include "game/rules/rules_state.h"
#include "game/rules/scoring.h"
#include "platform/colour.h"
#include "platform/picture.h"

namespace {

class ResultScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    gItems = ItemState{};
    gScore = ScoreState{};
    gResult = ResultState{};
    gItems.hints = 12;
    gItems.shuffles = 3;
    gItems.bombs = 0;
    SetScore(25000);
  }

  // One more frame of the page, drawn.
  static std::vector<DrawRecord> Frame() {
    StartDrawLog();
    StepResultScreen();
    DrawResultScreen();
    StopDrawLog();
    return DrawLog();
  }

  // The text records of a frame that start with the label.
  static std::vector<DrawRecord> Line(const std::vector<DrawRecord>& frame,
                                      const std::string& label) {
    std::vector<DrawRecord> found;
    for (const DrawRecord& r : frame)
      if (r.kind == DrawnText && r.text.rfind(label, 0) == 0) found.push_back(r);
    return found;
  }

  static void ExpectText(const DrawRecord& r, int font, int x, int y, int colour,
                         const std::string& text) {
    EXPECT_EQ(std::vector<int>({r.number, r.x, r.y, r.colour}),
              std::vector<int>({font, x, y, colour})) << text;
    EXPECT_EQ(r.text, text);
  }
};

TEST_F(ResultScreenTest, FiguresCountUpToTheirFinalValues) {
  const auto first = Frame();
  auto hint = Line(first, "提示得分：");
  ASSERT_EQ(hint.size(), 2u);
  ExpectText(hint[0], FontImpact36, 351, 241, Rgb(255, 255, 255), "提示得分：100");
  ExpectText(hint[1], FontImpact36, 350, 240, Rgb(0, 0, 225), "提示得分：100");
  auto bomb = Line(first, "炸弹得分：");
  ASSERT_EQ(bomb.size(), 2u);
  ExpectText(bomb[0], FontImpact36, 301, 361, Rgb(0, 0, 0), "炸弹得分：0");
  ExpectText(bomb[1], FontImpact36, 300, 360, Rgb(240, 240, 0), "炸弹得分：0");
  auto total = Line(first, "总分：");
  ASSERT_EQ(total.size(), 2u);
  ExpectText(total[0], FontImpact48, 302, 482, Rgb(0, 0, 0), "总分：36100");
  ExpectText(total[1], FontImpact48, 300, 480, Rgb(255, 255, 0), "总分：36100");

  for (int frame = 2; frame < 250; ++frame) StepResultScreen();
  const auto last = Frame();   // frame 250: the count reaches the score
  hint = Line(last, "提示得分：");
  ExpectText(hint[0], FontImpact36, 301, 241, Rgb(0, 0, 0), "提示得分：24000");
  ExpectText(hint[1], FontImpact36, 300, 240, Rgb(230, 230, 0), "提示得分：24000");
  const auto shuffle = Line(last, "洗牌得分：");
  ExpectText(shuffle[1], FontImpact36, 300, 300, Rgb(240, 240, 0), "洗牌得分：12000");
  const auto removal = Line(last, "消除得分：");
  ExpectText(removal[0], FontImpact36, 301, 421, Rgb(0, 0, 0), "消除得分：25000");
  ExpectText(removal[1], FontImpact36, 300, 420, Rgb(240, 240, 0), "消除得分：25000");
  total = Line(last, "总分：");
  ExpectText(total[0], FontImpact48, 302, 482, Rgb(255, 255, 255), "总分：61000");
  ExpectText(total[1], FontImpact48, 300, 480, Rgb(0, 0, 255), "总分：61000");
}

TEST_F(ResultScreenTest, CountingFigureSwitchesToFinalWhenTheCountReachesIt) {
  for (int frame = 1; frame < 120; ++frame) StepResultScreen();
  const auto counting = Line(Frame(), "洗牌得分：");   // count 12000 reaches 12000 here
  EXPECT_EQ(counting[1].text, "洗牌得分：12000");
  EXPECT_EQ(counting[1].x, 300);
  gResult.countUp = 0;
  for (int frame = 1; frame < 119; ++frame) StepResultScreen();
  const auto before = Line(Frame(), "洗牌得分：");
  EXPECT_EQ(before[1].text, "洗牌得分：11900");
  EXPECT_EQ(before[1].x, 350);
}

TEST_F(ResultScreenTest, SecondVisitShowsTheFinalFiguresAtOnce) {
  for (int frame = 0; frame < 300; ++frame) StepResultScreen();
  SetScore(20000);
  gItems.hints = 1;
  const auto frame = Frame();
  EXPECT_EQ(Line(frame, "提示得分：")[1].text, "提示得分：2000");
  EXPECT_EQ(Line(frame, "总分：")[1].text, "总分：34000");
  EXPECT_EQ(Line(frame, "总分：")[1].colour, Rgb(0, 0, 255));
}

TEST_F(ResultScreenTest, ItemValuesDoNotOverflow) {
  gItems.hints = 2000000;
  gItems.bombs = 1000000;
  EXPECT_EQ(HintValue(), 4000000000LL);
  EXPECT_EQ(BombValue(), 6000000000LL);
  gResult.countUp = 1 << 30;
  const auto total = Line(Frame(), "总分：");
  EXPECT_EQ(total[1].text, "总分：" + std::to_string(4000000000LL + 12000 + 6000000000LL + 25000));
}

// ---- Reward banner ---------------------------------------------------------------------------

class BannerTest : public testing::Test {
 protected:
  void SetUp() override { gScore = ScoreState{}; }

  // Tops of the coloured copy of each line drawn in one frame, keyed by colour.
  static std::vector<std::pair<int, int>> DrawFrame() {
    StartDrawLog();
    if (StepRewardBanner()) DrawRewardBanner();
    StopDrawLog();
    std::vector<std::pair<int, int>> lines;
    for (size_t i = 0; i + 1 < DrawLog().size(); i += 2) {
      const DrawRecord& white = DrawLog()[i];
      const DrawRecord& coloured = DrawLog()[i + 1];
      EXPECT_EQ(white.colour, Rgb(255, 255, 255));
      EXPECT_EQ(white.x, coloured.x - 1);
      EXPECT_EQ(white.y, coloured.y - 1);
      EXPECT_EQ(white.text, coloured.text);
      EXPECT_EQ(coloured.number, FontBannerHei);
      lines.push_back({coloured.colour, coloured.y + 1});
    }
    return lines;
  }

  static void ShowLines(bool streak, bool shuffle, bool bomb) {
    gScore.bannerShown = true;
    gScore.bannerX = 900;
    gScore.bannerStreak = streak;
    gScore.bannerShuffle = shuffle;
    gScore.bannerBomb = bomb;
  }
};

TEST_F(BannerTest, LineTopsDependOnTheOtherLines) {
  const int blue = Rgb(0, 0, 255), yellow = Rgb(255, 255, 0), red = Rgb(255, 0, 0);
  using Lines = std::vector<std::pair<int, int>>;
  const Lines expected[8] = {{},
                             {{blue, 5}},
                             {{yellow, 5}},
                             {{blue, 5}, {yellow, 43}},
                             {{red, 5}},
                             {{blue, 5}, {red, 42}},
                             {{yellow, 5}, {red, 42}},
                             {{blue, 5}, {yellow, 43}, {red, 80}}};
  for (int lines = 1; lines < 8; ++lines) {
    ShowLines(lines & 1, lines & 2, lines & 4);
    EXPECT_EQ(DrawFrame(), expected[lines]) << "lines " << lines;
  }
  ASSERT_EQ(DrawLog().size(), 6u);
  EXPECT_EQ(DrawLog()[0].text, "连击奖励 1000 分");
  EXPECT_EQ(std::make_pair(DrawLog()[0].x, DrawLog()[0].y), std::make_pair(896 - 2, 3));
  EXPECT_EQ(DrawLog()[2].text, "奖励洗牌 1 个");
  EXPECT_EQ(DrawLog()[4].text, "奖励炸弹 1 个");
}

}  // namespace
