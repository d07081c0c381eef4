// The completeness check of the resource set and the background choice.
#include <filesystem>

#include "carried/carried_pictures.h"
#include "game/presentation/background.h"
#include "game/presentation/resources.h"
#include "game/presentation/sprites.h"
#include "platform/colour.h"
#include "platform/files.h"
#include "support/picture_test_support.h"
#include "tests/game/app_support.h"

namespace fs = std::filesystem;

namespace {

// A private copy of the generated application directory.
class ResourceCheckTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    copy_ = fs::temp_directory_path() / ("pelmora-res-" + std::to_string(::getpid()));
    fs::remove_all(copy_);
    fs::create_directories(copy_);
    for (const char* part : {"Images", "Sound", "Maps"})
      fs::copy(fs::path(PELMORA_APP_DIR) / part, copy_ / part, fs::copy_options::recursive);
  }
  void TearDown() override {
    fs::remove_all(copy_);
    AppTest::TearDown();
  }
  std::vector<std::string> Missing() const { return FindMissingResources(copy_.string() + "/"); }
  fs::path copy_;
};

TEST_F(ResourceCheckTest, GeneratedSetIsCompleteWhateverTheCaseOrKindOfEntry) {
  EXPECT_TRUE(Missing().empty());
  fs::remove(copy_ / "Images/Mouse.png");   // the pointer picture is not part of the check
  fs::remove(copy_ / "Images/xing.png");
  fs::create_directory(copy_ / "Images/xing.png");   // a directory counts as present
  fs::rename(copy_ / "Sound/Yinyue1.mid", copy_ / "Sound/yinyue1.MID");
  fs::rename(copy_ / "Images/Xianshi", copy_ / "Images/xianshi");
  fs::remove_all(copy_ / "Images/en");   // translations are never required
  EXPECT_TRUE(Missing().empty());
}

TEST_F(ResourceCheckTest, EachKindOfMissingFileIsNamed) {
  const std::pair<const char*, const char*> cases[] = {
      {"Images/1.png", "Images\\1.png"},
      {"Images/bg5.jpg", "Images\\bg5.jpg"},
      {"Sound/Yinyue8.mid", "Sound\\Yinyue8.mid"},
      {"Maps/Duzuz.xml", "Maps\\Duzuz.xml"},
      {"Images/zhadan/9.png", "Images\\zhadan\\9.png"},
  };
  for (const auto& [file, name] : cases) {
    fs::path path = copy_ / file;
    fs::rename(path, path.string() + ".away");
    std::vector<std::string> missing = Missing();
    ASSERT_EQ(missing.size(), 1u) << file;
    EXPECT_EQ(missing[0], name);
    fs::rename(path.string() + ".away", path);
  }
}

TEST_F(ResourceCheckTest, RefusalMessageEndsTheStart) {
  fs::remove(copy_ / "Images/bg5.jpg");
  gSettings.backgroundType = 2;   // a colour background does not need the pictures, yet they count
  std::string saved = gFiles.appDirectory;
  gFiles.appDirectory = copy_.string() + "/";
  EXPECT_FALSE(CheckResources());
  gFiles.appDirectory = saved;
  ASSERT_EQ(ShownDialogs().size(), 1u);
  EXPECT_EQ(ShownDialogs()[0].title, "提示");
  EXPECT_EQ(ShownDialogs()[0].text, "资源文件不完整请重新下载");
}

// Each sprite holds the picture of its own file: a fresh copy of the file, loaded the same way,
// has the same size and the same pixels.
class SpriteFileTest : public AppTest {};

TEST_F(SpriteFileTest, EachSpriteComesFromItsOwnFile) {
  const std::pair<int, const char*> sprites[] = {
      {SpriteBottomBar, "Images\\xiabg.png"}, {SpriteShadow, "Images\\yinying.png"},
      {SpriteSettingsButton, "Images\\Shezhi.png"}, {SpriteStar, "Images\\xing.png"},
      {SpriteStar2, "Images\\xing1.png"}, {SpritePopupDigit0 + 3, "Images\\Shuzi\\3.png"},
      {SpritePopupSign, "Images\\Shuzi\\10.png"}, {SpritePanelButton1, "Images\\Anniu\\1.png"},
      {SpritePauseButtonPaused, "Images\\Anniu\\6.png"},
      {SpriteCaptionScore, "Images\\Xianshi\\10.png"},
      {SpriteCaptionLevelAfter, "Images\\Xianshi\\19.png"},
      {SpriteSmallDigit0 + 7, "Images\\Xianshi\\7.png"},
      {SpriteLargeDigit0 + 2, "Images\\Xianshi\\22.png"},
      {SpriteItemDigit0 + 9, "Images\\Anniu\\19.png"},
      {SpriteExplosion1 + 15, "Images\\zhadan\\16.png"},
      {SpriteMenuButton1 + 6, "Images\\Xianshi\\36.png"},
      {SpriteLoadingFrame, "Images\\Xianshi\\37.png"},
      {SpriteLoadingBar, "Images\\Xianshi\\38.png"}, {SpriteTitleBanner, "Images\\Xianshi\\39.png"},
      {SpriteAnimation1, "Images\\Donghua\\11.png"}, {SpriteParticle, "Images\\Donghua\\14.png"},
      {SpritePointer, "Images\\Mouse.png"},
  };

  constexpr int Copy = 990;
  LoadSprites();
  for (const auto& [sprite, file] : sprites) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(LoadSprite(Copy, ResolvePath(gFiles.appDirectory + file), SpriteAlpha));
    ASSERT_EQ(SpriteWidth(sprite), SpriteWidth(Copy));
    ASSERT_EQ(SpriteHeight(sprite), SpriteHeight(Copy));
    int differing = 0;
    for (int y = 0; y < SpriteHeight(Copy); ++y)
      for (int x = 0; x < SpriteWidth(Copy); ++x)
        differing += SpritePixel(sprite, x, y) != SpritePixel(Copy, x, y);
    EXPECT_EQ(differing, 0);
  }
  FreeSprite(Copy);
  EXPECT_EQ(SpriteWidth(SpriteHelpPanel) * 1000 + SpriteHeight(SpriteHelpPanel), 880490)
      << "the help panel is zoomed to its place";
}

// With the English pictures chosen, each picture with words comes from Images/en, the carried
// ones included; a picture without a translation stays the original; none chosen, all are the
// originals again.
TEST_F(SpriteFileTest, InEnglishTheTranslationsReplaceTheirOriginals) {
  constexpr int Copy = 990, Other = 991, CopyImage = 95;
  const auto differing = [](int a, int b) {
    if (SpriteWidth(a) != SpriteWidth(b) || SpriteHeight(a) != SpriteHeight(b)) return -1;
    int count = 0;
    for (int y = 0; y < SpriteHeight(a); ++y)
      for (int x = 0; x < SpriteWidth(a); ++x)
        count += SpritePixel(a, x, y) != SpritePixel(b, x, y);
    return count;
  };
  const std::string app = gFiles.appDirectory;
  const std::pair<int, const char*> images[] = {
      {ImageLogo, "Images/en/logo.png"}, {ImageLettering, "Images/en/lettering.png"},
      {ImageCredit, "Images/en/credit.jpg"}};
  const std::pair<int, const char*> sprites[] = {
      {SpriteMenuButton1, "Images/en/Xianshi/30.png"},
      {SpritePanelButton1 + 4, "Images/en/Anniu/5.png"},
      {SpriteCaptionLevelAfter, "Images/en/Xianshi/19.png"},
      {SpriteSettingsButton, "Images/en/Shezhi.png"},
      {SpriteTitleBanner, "Images/en/Xianshi/39.png"},
      {SpriteBottomBar, "Images/xiabg.png"},
      {SpriteLargeDigit0 + 2, "Images/Xianshi/22.png"}};

  SetPictureLanguage("en");
  DecodeCarriedPictures();
  for (const auto& [image, file] : images) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(SpriteFromImage(Copy, image));
    ASSERT_TRUE(LoadSprite(Other, app + file, SpriteAlpha));
    EXPECT_EQ(differing(Copy, Other), 0);
  }
  LoadSprites();
  SetPictureLanguage("");
  for (const auto& [sprite, file] : sprites) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(LoadSprite(Copy, app + file, SpriteAlpha));
    EXPECT_EQ(differing(sprite, Copy), 0);
  }

  DecodeCarriedPictures();
  ASSERT_TRUE(CatchImage(CopyImage, gCreditPicture.data, gCreditPicture.size));
  ASSERT_TRUE(SpriteFromImage(Copy, ImageCredit));
  ASSERT_TRUE(SpriteFromImage(Other, CopyImage));
  EXPECT_EQ(differing(Copy, Other), 0) << "the carried credit again";
  LoadSprites();
  ASSERT_TRUE(LoadSprite(Copy, app + "Images/Xianshi/30.png", SpriteAlpha));
  EXPECT_EQ(differing(SpriteMenuButton1, Copy), 0) << "the original menu button again";
  FreeSprite(Copy);
  FreeSprite(Other);
  FreeImage(CopyImage);
}

class BackgroundTest : public AppTest {
 protected:
  // Sprite 1 after choosing from a folder that holds only the given picture.
  void ChooseFromPicture(int width, int height) {
    WriteTestJpeg(folder_.PathOf("one.jpg"), width, height, [](int x, int y) {
      return TestPixel{x % 256, y % 256, 128, 255};
    });
    gSettings.backgroundType = 1;
    gSettings.pictureDirectory = folder_.PathOf("");
    ChooseBackground();
  }
  TestPictureDirectory folder_;
};

// The picture's red is its column and its green its row, both modulo 256.
TEST_F(BackgroundTest, FolderPictureCoversTheScreenWithItsProportions) {
  auto red = [](int x, int y) { return int(SpritePixel(SpriteBackground, x, y) & 0xFF); };
  auto green = [](int x, int y) { return int((SpritePixel(SpriteBackground, x, y) >> 8) & 0xFF); };
  // 1860 x 1250 is halved to 930 x 625: the bottom right is the picture's column 1858, row 1248.
  ChooseFromPicture(1860, 1250);
  EXPECT_NEAR(red(929, 624), 1858 % 256, 12);
  EXPECT_NEAR(green(929, 624), 1248 % 256, 12);
  // 1000 x 500 becomes 1250 x 625 and loses its right part: the scale is 1.25 both ways, so
  // column 400 lies at x = 500 and row 496 at y = 620.
  ChooseFromPicture(1000, 500);
  EXPECT_NEAR(red(500, 10), 400 % 256, 12);
  EXPECT_NEAR(green(10, 620), 496 % 256, 12);
  // 500 x 1000 becomes 930 x 1860 and loses its lower part: the right edge shows column 499,
  // and picture row 200 lies at y = 372.
  ChooseFromPicture(500, 1000);
  EXPECT_NEAR(red(926, 10), 498 % 256, 12);
  EXPECT_NEAR(green(10, 372), 200, 12);
}

TEST_F(BackgroundTest, FolderWithoutJpegsGivesADefaultBackground) {
  WriteTestPng(folder_.PathOf("only.png"), 40, 40, [](int, int) { return TestPixel{1, 2, 3, 255}; });
  gSettings.backgroundType = 1;
  gSettings.pictureDirectory = folder_.PathOf("");
  ChooseBackground();
  EXPECT_EQ(SpriteWidth(SpriteBackground), 930);
  EXPECT_NE(SpritePixel(SpriteBackground, 5, 5) & 0xFFFFFF, 0x030201u);
  WriteTestFile(folder_.PathOf("broken.jpg"), {0xFF, 0xD8, 0xFF, 0x00, 0x12});
  ChooseBackground();
  EXPECT_FALSE(IsSprite(SpriteBackground)) << "an undecodable picture leaves sprite 1 empty";
}

TEST_F(BackgroundTest, OnlyTheFirst101EntriesCanBeChosen) {
  // Entries beyond the limit are never looked at: with the only picture placed among many other
  // files, whether it can be chosen depends on where the listing puts it.
  for (int i = 0; i < 120; ++i) WriteTestFile(folder_.PathOf("f" + std::to_string(i) + ".txt"), {1});
  WriteTestJpeg(folder_.PathOf("late.jpg"), 20, 20, [](int, int) { return TestPixel{250, 0, 0, 255}; });
  std::vector<DirectoryEntry> all = ListDirectory(folder_.PathOf(""), "*", 1000);
  int position = 0;
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i].name == "late.jpg") position = static_cast<int>(i);
  gSettings.backgroundType = 1;
  gSettings.pictureDirectory = folder_.PathOf("");
  ChooseBackground();
  unsigned int pixel = SpritePixel(SpriteBackground, 5, 5);
  bool chosenFromFolder = (pixel & 0xFF) > 200 && ((pixel >> 8) & 0xFF) < 60;
  EXPECT_EQ(chosenFromFolder, position < 101);
}

TEST_F(BackgroundTest, ColourBackgroundIsExactlyTheColour) {
  gSettings.backgroundType = 2;
  gSettings.backgroundColour = Rgb(12, 34, 56);
  ChooseBackground();
  EXPECT_EQ(SpritePixel(SpriteBackground, 0, 0) & 0xFFFFFF, unsigned(Rgb(12, 34, 56)));
  EXPECT_EQ(SpritePixel(SpriteBackground, 929, 624) & 0xFFFFFF, unsigned(Rgb(12, 34, 56)));
}

}  // namespace
