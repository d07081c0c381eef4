// The pictures carried inside the programs: formats and sizes as the programs decode them,
// alpha where they are laid over a card, no pixel that would turn into the card's key colour.
// (Repeatable bytes: resource_set_test.)
// Sections: fixture; formats and sizes; alpha and key colours; type picture; program icons.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>
#include <string>
#include <vector>

#include "tools/assetgen/carried_pictures.h"
#include "carried/carried_pictures.h"

namespace {

// ---- Fixture ----------------------------------------------------------------------------------

class CarriedPictures : public testing::Test {
 protected:
  static void SetUpTestSuite() { files_ = BuildCarriedPictures(); }
  static QImage Decoded(CarriedIndex index) { return QImage::fromData(files_[index].bytes); }
  static std::vector<CarriedFile> files_;
};
std::vector<CarriedFile> CarriedPictures::files_;

// Yellow of the intro cards and the colour that the cards treat as transparent.
const QColor CardYellow(255, 220, 50);
const QColor CardKey(255, 25, 0);

QImage OnCard(const QImage& picture) {
  QImage card(picture.size(), QImage::Format_RGB32);
  card.fill(CardYellow);
  QPainter painter(&card);
  painter.drawImage(0, 0, picture);
  return card;
}

int CountPixels(const QImage& picture, const std::function<bool(QRgb)>& test) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) count += test(picture.pixel(x, y)) ? 1 : 0;
  return count;
}

// ---- Formats and sizes ------------------------------------------------------------------------

TEST_F(CarriedPictures, SixPicturesInTheirFormatsAndSizes) {
  ASSERT_EQ(files_.size(), 6u);
  struct Expected {
    CarriedIndex index;
    const char* magic;
    QSize size;
    bool alpha;
  };
  const Expected expected[] = {
      {CarriedFaceSheet, "BM", {2016, 120}, false},   {CarriedSmallFaceSheet, "BM", {840, 25}, false},
      {CarriedLogo, "\x89PNG", {382, 187}, true},      {CarriedLettering, "\x89PNG", {737, 162}, true},
      {CarriedCredit, "\xFF\xD8\xFF", {297, 149}, false}, {CarriedTypePicture, "\x89PNG", {952, 138}, true},
  };
  for (const Expected& e : expected) {
    const CarriedFile& file = files_[e.index];
    EXPECT_TRUE(file.bytes.startsWith(e.magic)) << file.fileName;
    const QImage picture = Decoded(e.index);
    EXPECT_EQ(picture.size(), e.size) << file.fileName;
    EXPECT_EQ(picture.hasAlphaChannel(), e.alpha) << file.fileName;
  }
  // 24 bits a pixel in both sheets.
  EXPECT_EQ(static_cast<unsigned char>(files_[CarriedFaceSheet].bytes[28]), 24);
  EXPECT_EQ(static_cast<unsigned char>(files_[CarriedSmallFaceSheet].bytes[28]), 24);
}

// ---- Alpha and key colours --------------------------------------------------------------------

TEST_F(CarriedPictures, LogoAndLetteringLeaveTheCardShowingAndNeverMakeItsKey) {
  for (CarriedIndex index : {CarriedLogo, CarriedLettering}) {
    const QImage picture = Decoded(index).convertToFormat(QImage::Format_ARGB32);
    const int total = picture.width() * picture.height();
    const int clear = CountPixels(picture, [](QRgb p) { return qAlpha(p) == 0; });
    const int solid = CountPixels(picture, [](QRgb p) { return qAlpha(p) == 255; });
    EXPECT_GT(clear, total / 5) << files_[index].fileName << ": the card shows around it";
    EXPECT_GT(solid, total / 20) << files_[index].fileName << ": something is drawn";
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << files_[index].fileName;
    const QImage card = OnCard(picture);
    EXPECT_EQ(CountPixels(card, [](QRgb p) { return (p & RGB_MASK) == (CardKey.rgb() & RGB_MASK); }), 0)
        << files_[index].fileName << " would punch holes into the card";
  }
}

TEST_F(CarriedPictures, LetteringIsWhite) {
  const QImage lettering = Decoded(CarriedLettering).convertToFormat(QImage::Format_ARGB32);
  const int white = CountPixels(lettering, [](QRgb p) {
    return qAlpha(p) == 255 && qRed(p) > 245 && qGreen(p) > 245 && qBlue(p) > 245;
  });
  const int solid = CountPixels(lettering, [](QRgb p) { return qAlpha(p) == 255; });
  EXPECT_GT(white, solid / 2);
}

TEST_F(CarriedPictures, CreditFillsTheCreditWindow) {
  // The window shows the top-left 290 x 145: no empty margin inside it.
  const QImage credit = Decoded(CarriedCredit).copy(0, 0, 290, 145);
  const int dark = CountPixels(credit, [](QRgb p) { return qGray(p) < 30; });
  const int light = CountPixels(credit, [](QRgb p) { return qGray(p) > 200; });
  EXPECT_GT(light, 290 * 145 / 2) << "a light card";
  EXPECT_GT(dark, 200) << "with dark lettering";
}

// ---- Type picture -----------------------------------------------------------------------------

TEST_F(CarriedPictures, TypePanelsAreFilledAndDiffer) {
  const QImage picture = Decoded(CarriedTypePicture).convertToFormat(QImage::Format_ARGB32);
  std::vector<QImage> panels;
  for (int type = 0; type < 4; ++type) panels.push_back(picture.copy(238 * type, 0, 238, 138));
  for (int type = 0; type < 4; ++type) {
    const int solid = CountPixels(panels[type], [](QRgb p) { return qAlpha(p) > 200; });
    EXPECT_GT(solid, 238 * 138 * 3 / 4) << "panel " << type + 1 << " is a button face";
    for (int other = type + 1; other < 4; ++other) EXPECT_NE(panels[type], panels[other]);
  }
}

// ---- Program icons ----------------------------------------------------------------------------

TEST(ProgramIcons, EveryThemeSizeIsASquareIconOnClearCornersAndTheTwoDiffer) {
  const std::vector<CarriedFile> icons = BuildProgramIconFiles();
  ASSERT_EQ(icons.size(), 2u * ProgramIconSizeCount);
  for (int slot = 0; slot < ProgramIconSizeCount; ++slot) {
    const int size = ProgramIconSizes[slot];
    const std::string side = std::to_string(size);
    const std::string folder = "icons/hicolor/" + side + "x" + side + "/apps/";
    const CarriedFile& game = icons[slot];
    const CarriedFile& editor = icons[ProgramIconSizeCount + slot];
    EXPECT_EQ(game.fileName, folder + "org.example.pelmora.png");
    EXPECT_EQ(editor.fileName, folder + "org.example.pelmora.kestrand.png");
    for (const CarriedFile* icon : {&game, &editor}) {
      EXPECT_EQ(icon->slot, slot);
      const QImage picture = QImage::fromData(icon->bytes).convertToFormat(QImage::Format_ARGB32);
      ASSERT_EQ(picture.size(), QSize(size, size)) << icon->fileName;
      const int last = size - 1;
      for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        EXPECT_EQ(qAlpha(picture.pixel(corner)), 0) << icon->fileName;
      const int solid = CountPixels(picture, [](QRgb p) { return qAlpha(p) == 255; });
      EXPECT_GT(solid, size * size / 2) << icon->fileName << ": the tile fills the icon";
    }
    EXPECT_NE(QImage::fromData(game.bytes), QImage::fromData(editor.bytes)) << size;
  }
}

}  // namespace
