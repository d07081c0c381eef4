// The background picture, sprite 1: default pictures, the player's picture folder, or a colour.
#include "game/presentation/background.h"

#include <cmath>
#include <string>
#include <vector>

#include "game/presentation/frame_cache.h"
#include "game/presentation/resources.h"
#include "game/presentation/settings.h"
#include "game/presentation/sprites.h"
#include "game/rules/game_numbers.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/random.h"

namespace {

enum BackgroundType { BackgroundDefault = 0, BackgroundFolder = 1, BackgroundColour = 2 };
constexpr int DefaultBackgroundCount = 9;
constexpr int FolderEntryLimit = 101;
constexpr int ImageBackgroundSource = 10;   // scratch image for a picture of the folder

// Names of the ".jpg" files among the first entries of the folder.
std::vector<std::string> CollectFolderPictures(const std::string& directory) {
  std::vector<std::string> names;
  for (const DirectoryEntry& entry :
       ListDirectory(ResolvePath(directory), "*.jpg", FolderEntryLimit)) {
    if (entry.isFile) names.push_back(entry.name);
  }
  return names;
}

void LoadDefaultBackground() {
  int n = Random(DefaultBackgroundCount - 1) + 1;
  LoadSprite(SpriteBackground,
             ResolvePath(gFiles.appDirectory + "Images\\bg" + std::to_string(n) + ".jpg"),
             SpriteOpaque);
}

// Scales the picture to cover the whole screen with its proportions kept; the side that
// overflows is cut off at the right or the bottom.
void LoadFolderBackground(const std::string& path) {
  CreateSprite(SpriteBackground, ScreenWidthPx, ScreenHeightPx, 0);
  if (!LoadImageFileToCover(ImageBackgroundSource, path, ScreenWidthPx, ScreenHeightPx)) {
    FreeSprite(SpriteBackground);
    return;
  }
  double width = ImageWidth(ImageBackgroundSource);
  double height = ImageHeight(ImageBackgroundSource);
  if (width <= 0 || height <= 0) {
    FreeImage(ImageBackgroundSource);
    FreeSprite(SpriteBackground);
    return;
  }
  double h = height / width * ScreenWidthPx;
  int drawWidth = ScreenWidthPx;
  int drawHeight = static_cast<int>(std::lround(h));
  if (h < ScreenHeightPx) {
    drawWidth = static_cast<int>(std::lround(ScreenWidthPx / h * ScreenHeightPx));
    drawHeight = ScreenHeightPx;
  }
  if (StartDrawingOnSprite(SpriteBackground)) {
    DrawImageScaled(ImageBackgroundSource, 0, 0, drawWidth, drawHeight);
    StopDrawing();
  }
  FreeImage(ImageBackgroundSource);
}

int gBackgroundGeneration = 0;   // backgrounds chosen so far

}  // namespace

int BackgroundGeneration() { return gBackgroundGeneration; }

void ChooseBackground() {
  const Settings& s = gSettings;
  ++gBackgroundGeneration;
  FreeSprite(SpriteBackground);
  if (s.backgroundType == BackgroundFolder) {
    std::vector<std::string> names = CollectFolderPictures(s.pictureDirectory);
    if (!names.empty()) {
      const std::string& name = names[Random(static_cast<int>(names.size()) - 1)];
      LoadFolderBackground(PathInDirectory(ResolvePath(s.pictureDirectory), name));
      return;
    }
    LoadDefaultBackground();
  } else if (s.backgroundType == BackgroundColour) {
    CreateSprite(SpriteBackground, ScreenWidthPx, ScreenHeightPx, s.backgroundColour);
  } else {
    LoadDefaultBackground();
  }
}
