// The contact sheet: the real mapcheck, started without a display, draws the default map; on
// a background of one plain colour, every level shows a tile face where the game's position
// tables put a tile and the background where they put none.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/rules/tiles.h"
#include "mapdata/geometry.h"
#include "mapdata/level_model.h"
#include "platform/picture.h"
#include "tools/mapcheck/level_frame.h"
#include "tools/mapcheck/level_sheet.h"
#include "tools/mapcheck/map_check.h"

namespace fs = std::filesystem;

namespace {

constexpr int SheetSprite = 901;
constexpr int WindowWidth = 930, WindowHeight = 625;
constexpr int Magenta = 255 + (255 << 16);     // RGB(255, 0, 255) as Config.ini keeps it
constexpr int ShadowMargin = 12;                // a tile's shadow and edge, in window pixels
constexpr int FrameMargin = 15;                 // the play area's frame lines
constexpr int Step = 10;

struct Place {
  int x, y;   // window pixels
};

// Distance from magenta of the sheet pixel that shows window pixel (x, y) of level `index`.
int DistanceFromBackground(int index, Place p) {
  int ox, oy;
  SheetLevelOrigin(index, ox, oy);
  const unsigned pixel = SpritePixel(SheetSprite, ox + p.x * SheetLevelWidth / WindowWidth,
                                     oy + p.y * SheetLevelHeight / WindowHeight);
  const int red = pixel & 0xFF, green = (pixel >> 8) & 0xFF, blue = (pixel >> 16) & 0xFF;
  return std::abs(red - 255) + green + std::abs(blue - 255);
}

struct DrawnTiles {
  std::vector<Place> corners;   // top left of each face, in drawing order
};

DrawnTiles TilesOf(int level) {
  DrawnTiles tiles;
  const LevelCells& cells = gMap.store->level[level];
  for (int layer = 1; layer <= GameTopLayer; ++layer)
    for (int row = 1; row <= BoardRows; ++row)
      for (int column = 1; column <= BoardColumns; ++column) {
        int x, y;
        if (cells.cell[layer][row][column] > 0 &&
            GameTilePosition(gMap.arrangementType[level], layer, row, column, x, y))
          tiles.corners.push_back({x, y});
      }
  return tiles;
}

// A place of the play area that no tile, shadow or frame line reaches; false when none is.
bool FindBackgroundPlace(const DrawnTiles& tiles, Place& place) {
  for (int y = PlayAreaTop + FrameMargin; y < PlayAreaBottom - FrameMargin; y += Step)
    for (int x = PlayAreaLeft + FrameMargin; x < PlayAreaRight - FrameMargin; x += Step) {
      bool clear = true;
      for (const Place& t : tiles.corners)
        clear = clear && (x < t.x - ShadowMargin || x >= t.x + FaceWidth + ShadowMargin ||
                          y < t.y - ShadowMargin || y >= t.y + FaceHeight + ShadowMargin);
      if (clear) {
        place = {x, y};
        return true;
      }
    }
  return false;
}

}  // namespace

TEST(LevelSheet, EveryLevelOfTheDefaultMapDrawnWithoutADisplay) {
  const fs::path app = PELMORA_APP_DIR;
  const fs::path folder = fs::temp_directory_path() / ("level_sheet_" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  for (const char* piece : {"Images", "Sound", "Maps"}) fs::create_symlink(app / piece, folder / piece);
  std::ofstream(folder / "Config.ini") << "[Images]\r\nType=2\r\nColor=" << Magenta
                                       << "\r\n[Sound]\r\nYinxiao=0\r\nYinyue=0\r\n";
  const std::string command = "cd '" + folder.string() +
                              "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" +
                              (app / "mapcheck").string() +
                              "' --deals 1 --sheet sheet.png Maps/Duzuz.xml >report.txt";
  ASSERT_EQ(std::system(command.c_str()), 0) << "the default map passes and the sheet is drawn";

  const MapCheck map = CheckMapFile((app / "Maps/Duzuz.xml").string(), 1);
  const int levels = static_cast<int>(map.levels.size());
  ASSERT_EQ(levels, 36);
  ASSERT_TRUE(LoadSprite(SheetSprite, (folder / "sheet.png").string(), SpriteOpaque));
  EXPECT_EQ(SpriteWidth(SheetSprite), SheetWidth());
  EXPECT_EQ(SpriteHeight(SheetSprite), SheetHeight(levels));
  EXPECT_EQ(SheetWidth(), 1930);
  EXPECT_EQ(SheetHeight(levels), 1462);

  constexpr int Near = 40, Far = 150;
  for (int index = 0; index < levels; ++index) {
    SCOPED_TRACE(testing::Message() << "level " << index + 1);
    const DrawnTiles tiles = TilesOf(index + 1);
    ASSERT_FALSE(tiles.corners.empty());
    // The first and last faces drawn, and one in the middle; any face is far from magenta.
    for (size_t i : {size_t(0), tiles.corners.size() / 2, tiles.corners.size() - 1}) {
      const Place centre{tiles.corners[i].x + FaceWidth / 2, tiles.corners[i].y + FaceHeight / 2};
      EXPECT_GT(DistanceFromBackground(index, centre), Far) << centre.x << "," << centre.y;
    }
    Place empty;
    ASSERT_TRUE(FindBackgroundPlace(tiles, empty));
    EXPECT_LT(DistanceFromBackground(index, empty), Near) << empty.x << "," << empty.y;
  }
  FreeSprite(SheetSprite);
  fs::remove_all(folder);
}
