// The interface pictures: the complete file list, sizes that fit where the game draws them
// and the click rectangles over them, alpha where the pictures are laid over others, distinct
// frames and digits, and the translations of the pictures with words.
// Sections: fixture; completeness; placement sizes; alpha; distinctness; translations.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/assetgen/carried_pictures.h"
#include "tools/assetgen/interface_art.h"
#include "tools/assetgen/picture_words.h"

namespace {

namespace fs = std::filesystem;

// ---- Fixture ----------------------------------------------------------------------------------

class InterfaceArt : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = fs::temp_directory_path() / ("interface_art_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    StartLetteringLog();
    written_ = WriteInterfacePictures((root_ / "Images").string() + "/");
    letterings_ = StopLetteringLog();
  }
  static void TearDownTestSuite() { fs::remove_all(root_); }

  static std::string PathOf(const std::string& name) { return (root_ / "Images" / name).string(); }
  static QImage Load(const std::string& name) {
    return QImage(QString::fromStdString(PathOf(name))).convertToFormat(QImage::Format_ARGB32);
  }
  static std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  static fs::path root_;
  static bool written_;
  static std::vector<LetteringRecord> letterings_;
};

fs::path InterfaceArt::root_;
bool InterfaceArt::written_ = false;
std::vector<LetteringRecord> InterfaceArt::letterings_;

int AlphaAt(const QImage& picture, int x, int y) { return qAlpha(picture.pixel(x, y)); }

long AlphaMass(const QImage& picture) {
  long mass = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) mass += AlphaAt(picture, x, y);
  return mass;
}

// ---- Completeness -----------------------------------------------------------------------------

// The exact list of names is checked on the whole resource set (resource_set_test).
TEST_F(InterfaceArt, EveryPictureIsADecodablePng) {
  ASSERT_TRUE(written_);
  int pictures = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root_ / "Images")) {
    if (entry.path().extension() != ".png") continue;
    const std::string name = fs::relative(entry.path(), root_ / "Images").string();
    EXPECT_FALSE(Load(name).isNull()) << name;
    EXPECT_EQ(Bytes(entry.path().string()).substr(1, 3), "PNG") << name;
    ++pictures;
  }
  EXPECT_GE(pictures, 96 + 1) << "the checked pictures and the pointer";
}

TEST_F(InterfaceArt, WritesBackgroundsForGameAndEditor) {
  for (int n = 1; n <= 9; ++n) {
    QImage game = Load("bg" + std::to_string(n) + ".jpg");
    EXPECT_EQ(game.size(), QSize(930, 625)) << n;
    // The editor's files carry an unusual extension; their content alone tells the format.
    std::string editorPath = PathOf("bg" + std::to_string(n) + ".93-17");
    QImage editor(QString::fromStdString(editorPath));
    EXPECT_EQ(editor.size(), QSize(930, 570)) << n;
    EXPECT_FALSE(editor.hasAlphaChannel());
  }
  QImage title(QString::fromStdString(PathOf("Xianshi/39.93-17")));
  ASSERT_FALSE(title.isNull());
  EXPECT_TRUE(title.hasAlphaChannel());
  EXPECT_LE(260 + title.width(), 930);
  EXPECT_LE(150 + title.height(), 570);
}

// ---- Placement sizes --------------------------------------------------------------------------

TEST_F(InterfaceArt, FixedBarsAndPanelsHaveTheirDrawnSizes) {
  EXPECT_EQ(Load("xiabg.png").size(), QSize(930, 75));
  QImage help = Load("shuoming.png");
  ASSERT_FALSE(help.isNull());
  EXPECT_EQ(help.width() * 490, help.height() * 880) << "zooming to 880 x 490 keeps its shape";
  QImage frame = Load("Xianshi/37.png");
  EXPECT_GE(125 + frame.width(), 135 + 680) << "frame reaches past the full bar";
  EXPECT_GE(200 + frame.height(), 210 + 147);
  EXPECT_EQ(Load("Xianshi/38.png").height(), 147);
  QImage banner = Load("Xianshi/39.png");
  EXPECT_LE(260 + banner.width(), 835) << "banner stays clear of the settings button";
  EXPECT_LE(10 + banner.height(), 150) << "banner stays above the menu buttons";
}

TEST_F(InterfaceArt, ButtonsCoverTheirClickRectangles) {
  // Settings button at (835, 5), clicked at x > 840, y < 45 up to the window's edge.
  QImage settings = Load("Shezhi.png");
  EXPECT_GE(835 + settings.width(), 930);
  EXPECT_GE(5 + settings.height(), 45);

  // Menu buttons: position and the exclusive upper bounds of their rectangles.
  struct Menu { int file, x, y, right, bottom; };
  const Menu menus[] = {{30, 250, 150, 460, 300}, {31, 500, 150, 710, 300}, {32, 100, 400, 217, 515},
                        {33, 250, 400, 370, 515}, {34, 400, 400, 520, 515}, {35, 550, 400, 670, 515},
                        {36, 700, 400, 820, 515}};
  for (const Menu& menu : menus) {
    QImage button = Load("Xianshi/" + std::to_string(menu.file) + ".png");
    EXPECT_GE(menu.x + button.width(), menu.right) << menu.file;
    EXPECT_GE(menu.y + button.height(), menu.bottom) << menu.file;
  }
  QImage smallMenu = Load("Xianshi/32.png");
  EXPECT_LE(100 + smallMenu.width(), 250) << "small menu buttons do not overlap";

  // Panel buttons at (200 + 72 k, 560): rectangles 270 + 70 (k - 1) < x < 270 + 70 k, 560 < y < 620.
  for (int k = 1; k <= 6; ++k) {
    QImage button = Load("Anniu/" + std::to_string(k) + ".png");
    int drawnK = k == 6 ? 4 : k;
    EXPECT_LE(button.width(), 72) << "no overlap at a 72-pixel pitch, button " << k;
    EXPECT_GE(200 + 72 * drawnK + button.width(), 270 + 70 * drawnK) << k;
    EXPECT_GE(560 + button.height(), 620) << k;
    EXPECT_LE(560 + button.height(), 625) << k;
  }
  // Previous and next level buttons: 25 < x < 123 and 131 < x < 230, 563 < y < 616.
  QImage previous = Load("Xianshi/16.png");
  QImage next = Load("Xianshi/17.png");
  EXPECT_GE(25 + previous.width(), 123);
  EXPECT_LE(25 + previous.width(), 130) << "previous does not run under next";
  EXPECT_GE(130 + next.width(), 230);
  EXPECT_GE(565 + previous.height(), 616);
  EXPECT_GE(565 + next.height(), 616);
}

TEST_F(InterfaceArt, DigitsAndCaptionsFitTheirPitches) {
  struct Set { std::string folder; int first; int pitch; };
  const Set sets[] = {{"Shuzi", 0, 30}, {"Xianshi", 0, 25}, {"Xianshi", 20, 20}, {"Anniu", 10, 16}};
  for (const Set& set : sets) {
    QSize size = Load(set.folder + "/" + std::to_string(set.first) + ".png").size();
    for (int d = 0; d <= 9; ++d) {
      QImage digit = Load(set.folder + "/" + std::to_string(set.first + d) + ".png");
      EXPECT_EQ(digit.size(), size) << set.folder << " " << set.first + d;
      EXPECT_LE(digit.width(), set.pitch) << set.folder << " " << set.first + d;
    }
  }
  EXPECT_EQ(Load("Shuzi/10.png").size(), Load("Shuzi/0.png").size()) << "the sign matches its digits";
  // Captions end before the digits that follow them.
  EXPECT_LE(650 + Load("Xianshi/10.png").width(), 705 + 25);
  EXPECT_LE(10 + Load("Xianshi/10.png").width(), 55 + 25);
  EXPECT_LE(650 + Load("Xianshi/11.png").width(), 780);
  EXPECT_LE(650 + Load("Xianshi/12.png").width(), 685 + 20);
  EXPECT_LE(790 + Load("Xianshi/13.png").width(), 827 + 20);
  EXPECT_LE(10 + Load("Xianshi/18.png").width(), 118 + 20);
  EXPECT_LE(820 + Load("Xianshi/14.png").width(), 830);
  // Captions of the two rows of the bar do not overlap.
  EXPECT_LE(565 + Load("Xianshi/12.png").height(), 595);
  EXPECT_LE(595 + Load("Xianshi/11.png").height(), 625);
}

// ---- Alpha ------------------------------------------------------------------------------------

TEST_F(InterfaceArt, PointerTipIsItsTopLeftPixel) {
  QImage pointer = Load("Mouse.png");
  ASSERT_FALSE(pointer.isNull());
  EXPECT_LE(pointer.width(), 40);
  EXPECT_EQ(AlphaAt(pointer, 0, 0), 255);
  EXPECT_EQ(AlphaAt(pointer, pointer.width() - 1, 0), 0);
  EXPECT_EQ(AlphaAt(pointer, pointer.width() - 1, pointer.height() - 1), 0);
}

TEST_F(InterfaceArt, ShadowShowsPastTheRightAndBottomOfItsTile) {
  // Drawn at (x - 3, y - 3) before a 48 x 60 tile at (x, y): only what lies beyond the
  // tile's right or bottom edge is seen.
  QImage shadow = Load("yinying.png");
  ASSERT_GT(shadow.width(), 3 + 48 + 2);
  ASSERT_GT(shadow.height(), 3 + 60 + 2);
  EXPECT_GT(AlphaAt(shadow, 3 + 48 + 2, 3 + 30), 40) << "right of the tile";
  EXPECT_GT(AlphaAt(shadow, 3 + 24, 3 + 60 + 2), 40) << "below the tile";
  EXPECT_EQ(AlphaAt(shadow, 0, 0), 0);
  EXPECT_LT(AlphaAt(shadow, 3 + 24, 3 + 30), 255) << "translucent";
}

TEST_F(InterfaceArt, OverlaidPicturesHaveTransparentCorners) {
  const char* names[] = {"xing.png", "xing1.png", "Donghua/14.png", "Xianshi/10.png", "Xianshi/15.png",
                         "Xianshi/30.png", "Anniu/1.png", "Shuzi/5.png", "zhadan/8.png"};
  for (const char* name : names) {
    QImage picture = Load(name);
    ASSERT_FALSE(picture.isNull()) << name;
    EXPECT_EQ(AlphaAt(picture, 0, 0), 0) << name;
    EXPECT_EQ(AlphaAt(picture, picture.width() - 1, picture.height() - 1), 0) << name;
  }
  QImage star = Load("xing.png");
  EXPECT_GT(AlphaAt(star, star.width() / 2, star.height() / 2), 200);
  QImage frame = Load("Xianshi/37.png");
  EXPECT_EQ(AlphaAt(frame, 2, frame.height() / 2), 255) << "the frame's border is solid";
  EXPECT_LT(AlphaAt(frame, frame.width() / 2, frame.height() / 2), 255) << "its inside shows the bar";
  QImage particle = Load("Donghua/14.png");
  EXPECT_LE(particle.width(), 12) << "drawn 160 times a frame: kept small";
}

// ---- Distinctness -----------------------------------------------------------------------------

TEST_F(InterfaceArt, ExplosionFramesAreDistinctAndFadeOut) {
  std::set<std::string> contents;
  for (int n = 1; n <= 16; ++n) {
    QImage frame = Load("zhadan/" + std::to_string(n) + ".png");
    EXPECT_LE(frame.width(), 64) << n;
    EXPECT_LE(frame.height(), 72) << n;
    contents.insert(Bytes(PathOf("zhadan/" + std::to_string(n) + ".png")));
  }
  EXPECT_EQ(contents.size(), 16u);
  QImage first = Load("zhadan/1.png");
  EXPECT_GT(AlphaAt(first, 24, 30), 200) << "the blast starts over the tile's centre";
  EXPECT_LT(AlphaMass(Load("zhadan/16.png")), AlphaMass(Load("zhadan/4.png")) / 4);
}

TEST_F(InterfaceArt, DigitsButtonsAndBackgroundsAreDistinct) {
  const char* folders[] = {"Shuzi/", "Xianshi/", "Anniu/"};
  const int firsts[] = {0, 0, 10};
  for (int s = 0; s < 3; ++s) {
    std::set<std::string> digits;
    for (int d = 0; d <= 9; ++d) digits.insert(Bytes(PathOf(folders[s] + std::to_string(firsts[s] + d) + ".png")));
    EXPECT_EQ(digits.size(), 10u) << folders[s];
  }
  std::set<std::string> buttons;
  for (int k = 1; k <= 6; ++k) buttons.insert(Bytes(PathOf("Anniu/" + std::to_string(k) + ".png")));
  for (int n = 30; n <= 36; ++n) buttons.insert(Bytes(PathOf("Xianshi/" + std::to_string(n) + ".png")));
  EXPECT_EQ(buttons.size(), 13u);
  std::set<QRgb> middles;
  for (int n = 1; n <= 9; ++n) middles.insert(Load("bg" + std::to_string(n) + ".jpg").scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
  EXPECT_EQ(middles.size(), 9u) << "nine different scenes";
}

// ---- Translations -----------------------------------------------------------------------------

// Every picture with words, by its name under Images; the carried ones by their carried name.
const char* const kWordedPictures[] = {
    "Anniu/1.png",    "Anniu/2.png",    "Anniu/3.png",    "Anniu/4.png",      "Anniu/5.png",
    "Anniu/6.png",    "Shezhi.png",     "Xianshi/10.png", "Xianshi/11.png",   "Xianshi/12.png",
    "Xianshi/13.png", "Xianshi/15.png", "Xianshi/16.png", "Xianshi/17.png",   "Xianshi/18.png",
    "Xianshi/19.png", "Xianshi/30.png", "Xianshi/31.png", "Xianshi/32.png",   "Xianshi/33.png",
    "Xianshi/34.png", "Xianshi/35.png", "Xianshi/36.png", "Xianshi/39.png",   "Xianshi/39.93-17"};
const char* const kWordedCarried[] = {"logo.png", "lettering.png", "credit.jpg",
                                      "type_picture.png"};

bool HasChineseCharacter(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0x2E80 && c.unicode() <= 0x9FFF) return true;
  return false;
}

TEST_F(InterfaceArt, EveryPictureWithWordsHasATranslationOfItsSizeAndNothingElseDoes) {
  ASSERT_TRUE(written_);
  std::set<std::string> expected(std::begin(kWordedPictures), std::end(kWordedPictures));
  expected.insert(std::begin(kWordedCarried), std::end(kWordedCarried));
  for (const ArtTranslation& translation : ArtTranslations) {
    SCOPED_TRACE(translation.folder);
    const std::string folder = std::string(translation.folder) + "/";
    std::set<std::string> written;
    const fs::path translations = root_ / "Images" / translation.folder;
    for (const auto& entry : fs::recursive_directory_iterator(translations))
      if (entry.is_regular_file()) written.insert(fs::relative(entry.path(), translations).string());
    EXPECT_EQ(written, expected);

    for (const char* name : kWordedPictures) {
      SCOPED_TRACE(name);
      const QImage original(QString::fromStdString(PathOf(name)));
      const QImage translated(QString::fromStdString(PathOf(folder + name)));
      ASSERT_FALSE(translated.isNull());
      EXPECT_EQ(translated.size(), original.size());
      EXPECT_EQ(translated.hasAlphaChannel(), original.hasAlphaChannel());
      EXPECT_TRUE(translated.convertToFormat(QImage::Format_ARGB32) !=
                  original.convertToFormat(QImage::Format_ARGB32)) << "drawn again";
    }
    for (const CarriedFile& file : BuildCarriedPictures()) {
      const std::string name = file.fileName;
      if (std::count(std::begin(kWordedCarried), std::end(kWordedCarried), name) == 0) continue;
      SCOPED_TRACE(name);
      const QImage original = QImage::fromData(file.bytes);
      const QImage translated(QString::fromStdString(PathOf(folder + name)));
      ASSERT_FALSE(translated.isNull());
      EXPECT_EQ(translated.size(), original.size());
      EXPECT_EQ(translated.hasAlphaChannel(), original.hasAlphaChannel());
      EXPECT_EQ(Bytes(PathOf(folder + name)).substr(0, 4), file.bytes.left(4).toStdString())
          << "the same format";
    }
  }
}

// Each lettering, in every language, lies inside the box it was given; a translated one is set
// large enough to read (a caption too long for its box would be shrunk below that) and holds no
// Chinese left untranslated.
TEST_F(InterfaceArt, EveryLetteringFitsItsBoxInEveryLanguage) {
  ASSERT_TRUE(written_);
  constexpr double Tolerance = 0.5;     // antialiasing of the outline's edge
  constexpr double LeastTranslatedSize = 0.7;
  std::map<ArtLanguage, std::set<std::string>> lettered;
  for (const LetteringRecord& record : letterings_) {
    SCOPED_TRACE(record.file + " " + record.text.toStdString());
    EXPECT_FALSE(record.file.empty()) << "every lettering goes into a picture";
    if (!record.bounds.isEmpty()) {
      const QRectF box = record.box.adjusted(-Tolerance, -Tolerance, Tolerance, Tolerance);
      EXPECT_TRUE(box.contains(record.bounds))
          << "box " << record.box.left() << "," << record.box.top() << " " << record.box.width()
          << "x" << record.box.height() << ", lettering " << record.bounds.left() << ","
          << record.bounds.top() << " " << record.bounds.width() << "x" << record.bounds.height();
    }
    if (record.language == ArtOriginal) continue;
    lettered[record.language].insert(fs::path(record.file).filename().string());
    EXPECT_GE(record.sizeShare, LeastTranslatedSize);
    EXPECT_FALSE(HasChineseCharacter(record.text));
  }
  // Every translated picture was lettered through the fitting, the carried ones included.
  for (const ArtTranslation& translation : ArtTranslations) {
    const std::set<std::string>& names = lettered[translation.language];
    for (const char* name : kWordedPictures)
      EXPECT_TRUE(names.count(fs::path(name).filename().string())) << translation.folder << name;
    for (const char* name : kWordedCarried)
      EXPECT_TRUE(names.count(name)) << translation.folder << name;
  }
}

TEST_F(InterfaceArt, ReportsAFolderThatCannotBeMade) {
  fs::path blocker = root_ / "blocker";
  fs::create_directories(root_);
  std::ofstream(blocker.string()) << "a file where the folder should be";
  EXPECT_FALSE(WriteInterfacePictures((blocker / "Images").string() + "/"));
}

}  // namespace
