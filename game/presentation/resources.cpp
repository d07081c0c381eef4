// The resource set: completeness check, carried pictures, sprite preparation.
#include "game/presentation/resources.h"

#include "carried/carried_pictures.h"
#include "game/presentation/sprites.h"
#include "game/rules/game_numbers.h"
#include "mapdata/level_model.h"
#include "platform/colour.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/translation.h"

GameFiles gFiles;

namespace {

constexpr int IntroCardColour = Rgb(255, 220, 50);
constexpr int IntroCardKeyColour = Rgb(255, 25, 0);
constexpr int FaceKeyColour = Rgb(0, 0, 0);
constexpr int LogoX = 270, LogoY = 200;
constexpr int LetteringX = 100, LetteringY = 200;
constexpr int FaceWidthPx = 48, FaceHeightPx = 60;
constexpr int SmallFaceWidthPx = 20, SmallFaceHeightPx = 25;
constexpr int HelpPanelWidth = 880, HelpPanelHeight = 490;

// A list of the check: names without extension, all given the list's extension.
struct ResourceList {
  std::vector<std::string> names;
  const char* extension;
};

void AppendNumbered(std::vector<std::string>& names, const std::string& prefix,
                    std::initializer_list<int> numbers) {
  for (int n : numbers) names.push_back(prefix + std::to_string(n));
}

void AppendRange(std::vector<std::string>& names, const std::string& prefix, int first, int last) {
  for (int n = first; n <= last; ++n) names.push_back(prefix + std::to_string(n));
}

// The pictures in the order the check walks them (96 files).
std::vector<std::string> PictureNames() {
  std::vector<std::string> names = {"Images\\1",     "Images\\2",       "Images\\Shezhi",
                                    "Images\\shuoming", "Images\\xiabg", "Images\\xing",
                                    "Images\\xing1", "Images\\yinying"};
  names.push_back("Images\\Anniu\\1");
  AppendRange(names, "Images\\Anniu\\", 10, 19);
  AppendRange(names, "Images\\Anniu\\", 2, 6);
  AppendRange(names, "Images\\Donghua\\", 11, 15);
  AppendNumbered(names, "Images\\Shuzi\\", {0, 1, 10});
  AppendRange(names, "Images\\Shuzi\\", 2, 9);
  AppendNumbered(names, "Images\\Xianshi\\", {0, 1});
  AppendRange(names, "Images\\Xianshi\\", 10, 19);
  names.push_back("Images\\Xianshi\\2");
  AppendRange(names, "Images\\Xianshi\\", 20, 29);
  names.push_back("Images\\Xianshi\\3");
  AppendRange(names, "Images\\Xianshi\\", 30, 39);
  AppendRange(names, "Images\\Xianshi\\", 4, 9);
  names.push_back("Images\\zhadan\\1");
  AppendRange(names, "Images\\zhadan\\", 10, 16);
  AppendRange(names, "Images\\zhadan\\", 2, 9);
  return names;
}

bool ResourcePresent(const std::string& appDirectory, const std::string& name) {
  return FileSize(ResolvePath(appDirectory + name)) != -1;
}

// Loads an alpha picture of the resource set as a sprite.
void LoadResourceSprite(int sprite, const std::string& name) {
  LoadSprite(sprite, ResolvePath(gFiles.appDirectory + name), SpriteAlpha);
}

void LoadNumberedSprites(int firstSprite, const std::string& folder, int firstFile, int count) {
  for (int i = 0; i < count; ++i)
    LoadResourceSprite(firstSprite + i, folder + std::to_string(firstFile + i) + ".png");
}

void BuildIntroCard(int sprite, int image, int x, int y) {
  CreateSprite(sprite, ScreenWidthPx, ScreenHeightPx, IntroCardColour);
  if (StartDrawingOnSprite(sprite)) {
    DrawImage(image, x, y);
    StopDrawing();
  }
  TransparentSpriteColour(sprite, IntroCardKeyColour);
}

void CutFaces() {
  for (int i = 0; i < FaceCount; ++i) {
    CopySpriteFromImage(SpriteFace0 + 1 + i, ImageFaceSheet, FaceWidthPx * i, 0, FaceWidthPx,
                        FaceHeightPx);
    TransparentSpriteColour(SpriteFace0 + 1 + i, FaceKeyColour);
    CopySpriteFromImage(SpriteFaceHighlighted0 + 1 + i, ImageFaceSheet, FaceWidthPx * i,
                        FaceHeightPx, FaceWidthPx, FaceHeightPx);
    TransparentSpriteColour(SpriteFaceHighlighted0 + 1 + i, FaceKeyColour);
  }
  FreeImage(ImageFaceSheet);
  for (int i = 0; i < FaceCount; ++i) {
    CopySpriteFromImage(SpriteSmallFace0 + 1 + i, ImageSmallFaceSheet, SmallFaceWidthPx * i, 0,
                        SmallFaceWidthPx, SmallFaceHeightPx);
    TransparentSpriteColour(SpriteSmallFace0 + 1 + i, FaceKeyColour);
  }
}

}  // namespace

std::vector<std::string> FindMissingResources(const std::string& appDirectory) {
  std::vector<std::string> pictures = PictureNames();
  std::vector<std::string> sounds = {"Sound\\Baozha", "Sound\\Dian",  "Sound\\Jiangli",
                                     "Sound\\Kaishi", "Sound\\Vorle", "Sound\\Xiaochu"};
  AppendRange(sounds, "Sound\\Yinyue", 1, 8);
  std::vector<std::string> backgrounds;
  AppendRange(backgrounds, "Images\\bg", 1, 9);

  std::vector<std::string> missing;
  auto walk = [&](const std::vector<std::string>& names, const char* extension) {
    for (const std::string& name : names) {
      if (!ResourcePresent(appDirectory, name + extension)) {
        missing.push_back(name + extension);
        return;
      }
    }
  };
  walk(pictures, ".png");
  if (!ResourcePresent(appDirectory, "Maps\\Duzuz.xml")) missing.push_back("Maps\\Duzuz.xml");
  walk(sounds, ".mid");
  walk(backgrounds, ".jpg");
  return missing;
}

bool CheckResources() {
  if (FindMissingResources(gFiles.appDirectory).empty()) return true;
  ShowMessage(TranslateText(MessageTitle), TranslateText("资源文件不完整请重新下载"));
  return false;
}

void FindGameFiles() {
  gFiles.appDirectory = CurrentDirectory();
  gFiles.configPath = gFiles.appDirectory + "Config.ini";
}

void DecodeCarriedPictures() {
  CatchImage(ImageFaceSheet, gFaceSheet.data, gFaceSheet.size);
  CatchImage(ImageSmallFaceSheet, gSmallFaceSheet.data, gSmallFaceSheet.size);
  // The pictures with words are named as if they lay in Images, so a translation can replace them.
  const std::string& app = gFiles.appDirectory;
  CatchImageForLanguage(ImageLogo, app + "Images\\logo.png", gLogo.data, gLogo.size);
  CatchImageForLanguage(ImageLettering, app + "Images\\lettering.png", gLettering.data,
                        gLettering.size);
  CatchImageForLanguage(ImageCredit, app + "Images\\credit.jpg", gCreditPicture.data,
                        gCreditPicture.size);
}

void LoadSprites() {
  LoadResourceSprite(SpriteBottomBar, "Images\\xiabg.png");
  LoadResourceSprite(SpriteHelpPanel, "Images\\shuoming.png");
  ZoomSprite(SpriteHelpPanel, HelpPanelWidth, HelpPanelHeight);
  LoadResourceSprite(SpriteShadow, "Images\\yinying.png");
  LoadResourceSprite(SpriteSettingsButton, "Images\\Shezhi.png");
  LoadResourceSprite(SpriteStar, "Images\\xing.png");
  LoadResourceSprite(SpriteStar2, "Images\\xing1.png");
  BuildIntroCard(SpriteIntroCard1, ImageLogo, LogoX, LogoY);
  BuildIntroCard(SpriteIntroCard2, ImageLettering, LetteringX, LetteringY);
  // The cards hold all that is drawn of the two pictures.
  FreeImage(ImageLogo);
  FreeImage(ImageLettering);
  CutFaces();
  LoadNumberedSprites(SpritePopupDigit0, "Images\\Shuzi\\", 0, 11);
  LoadNumberedSprites(SpritePanelButton1, "Images\\Anniu\\", 1, 6);
  LoadNumberedSprites(SpriteCaptionScore, "Images\\Xianshi\\", 10, 10);
  LoadNumberedSprites(SpriteSmallDigit0, "Images\\Xianshi\\", 0, 10);
  LoadNumberedSprites(SpriteLargeDigit0, "Images\\Xianshi\\", 20, 10);
  LoadNumberedSprites(SpriteItemDigit0, "Images\\Anniu\\", 10, 10);
  LoadNumberedSprites(SpriteExplosion1, "Images\\zhadan\\", 1, ExplosionFrames);
  LoadNumberedSprites(SpriteMenuButton1, "Images\\Xianshi\\", 30, 10);
  LoadNumberedSprites(SpriteAnimation1, "Images\\Donghua\\", 11, 5);
  LoadResourceSprite(SpritePointer, "Images\\Mouse.png");
}
