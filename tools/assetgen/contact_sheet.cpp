// The contact sheet: every sprite of the game in number order on a grid of labelled cells.
//
// Sections: the sprite list (number, source), preparing a sprite as the game does, laying out
// the sheet.
#include "tools/assetgen/contact_sheet.h"

#include <QPainter>
#include <QString>
#include <vector>

#include "tools/assetgen/carried_pictures.h"
#include "tools/assetgen/tile_faces.h"
#include "tools/assetgen/tile_palette.h"
#include "tools/assetgen/type_picture.h"

namespace {

// Grid of the sheet.
constexpr int SheetColumns = 16;
constexpr int CellWidth = 124;
constexpr int CellHeight = 104;
constexpr int CellPadding = 4;
constexpr int LabelHeight = 16;
constexpr int LabelSize = 12;
constexpr int CheckerSize = 6;
const QColor SheetColour(60, 60, 70);
const QColor CheckerDark(150, 150, 160);    // the checker shows where a sprite is transparent
const QColor CheckerLight(190, 190, 200);
const QColor LabelColour(240, 240, 240);
const QColor MissingColour(255, 90, 80);
// Intro cards: the card colour and where the logo and the lettering sit on them.
const QColor CardColour(255, 220, 50);
constexpr int LogoX = 270, LogoY = 200;
constexpr int LetteringX = 100, LetteringY = 200;
constexpr int ScreenWidth = 930, ScreenHeight = 625;
constexpr int HelpWidth = 880, HelpHeight = 490;
// Sprite numbers of the faces cut from the carried sheets.
constexpr int FirstFaceSprite = 101;        // normal row; the highlighted row follows
constexpr int HighlightSpriteOffset = 100;  // highlighted face f is sprite 200 + f
constexpr int FirstSmallFaceSprite = 302;

struct SheetEntry {
  QString label;   // sprite number, or a name for the editor's pictures
  QImage picture;  // as the game draws it; null when the file is missing
};

// Black is the key colour of the face sheets: the game draws it transparent.
QImage KeyedTransparent(const QImage& picture, QRgb key) {
  QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < keyed.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x) {
      if ((line[x] & RGB_MASK) == (key & RGB_MASK)) {
        line[x] = qRgba(0, 0, 0, 0);
      }
    }
  }
  return keyed;
}

QImage IntroCard(const QImage& overlay, int x, int y) {
  QImage card(ScreenWidth, ScreenHeight, QImage::Format_ARGB32);
  card.fill(CardColour);
  QPainter painter(&card);
  painter.drawImage(x, y, overlay);
  return card;
}

// Where the pictures are read: Images, and the language's folder in it that is searched first.
struct SheetSource {
  std::string images;       // ends in '/'
  std::string translations; // images + the language's folder + '/'; empty for the originals
};

// A picture under Images by its name there, its translation where one exists.
QImage ReadPicture(const SheetSource& source, const std::string& name) {
  if (!source.translations.empty()) {
    const QImage translated(QString::fromStdString(source.translations + name));
    if (!translated.isNull()) return translated;
  }
  return QImage(QString::fromStdString(source.images + name));
}

void AddFile(std::vector<SheetEntry>& entries, const SheetSource& source, int number,
             const std::string& name) {
  entries.push_back({QString::number(number), ReadPicture(source, name)});
}

void AddFileRange(std::vector<SheetEntry>& entries, const SheetSource& source, int firstNumber,
                  const std::string& folder, int firstFile, int count) {
  for (int i = 0; i < count; ++i) {
    AddFile(entries, source, firstNumber + i, folder + std::to_string(firstFile + i) + ".png");
  }
}

std::vector<SheetEntry> CollectSprites(const std::string& app, const std::string& languageFolder) {
  const std::vector<CarriedFile> carried = BuildCarriedPictures();
  const SheetSource source{app + "Images/",
                           languageFolder.empty() ? "" : app + "Images/" + languageFolder + "/"};
  // A carried picture with words may be replaced by a file of its name in the language's folder.
  const auto decode = [&](CarriedIndex index) {
    if (!source.translations.empty()) {
      const std::string path = source.translations + carried[index].fileName;
      const QImage translated(QString::fromStdString(path));
      if (!translated.isNull()) return translated;
    }
    return QImage::fromData(carried[index].bytes);
  };
  std::vector<SheetEntry> entries;
  AddFile(entries, source, 1, "bg1.jpg");
  AddFile(entries, source, 2, "xiabg.png");
  entries.push_back({"3", ReadPicture(source, "shuoming.png")
                              .scaled(HelpWidth, HelpHeight, Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation)});
  AddFile(entries, source, 4, "yinying.png");
  AddFile(entries, source, 5, "Shezhi.png");
  AddFile(entries, source, 6, "xing.png");
  AddFile(entries, source, 7, "xing1.png");
  entries.push_back({"8", IntroCard(decode(CarriedLogo), LogoX, LogoY)});
  entries.push_back({"9", IntroCard(decode(CarriedLettering), LetteringX, LetteringY)});
  AddFileRange(entries, source, 10, "Shuzi/", 0, 11);
  AddFileRange(entries, source, 21, "Anniu/", 1, 6);
  AddFileRange(entries, source, 30, "Xianshi/", 10, 10);
  AddFileRange(entries, source, 40, "Xianshi/", 0, 10);
  AddFileRange(entries, source, 50, "Xianshi/", 20, 10);
  AddFileRange(entries, source, 60, "Anniu/", 10, 10);
  AddFileRange(entries, source, 71, "zhadan/", 1, 16);
  AddFileRange(entries, source, 90, "Xianshi/", 30, 10);
  const QImage faces = decode(CarriedFaceSheet);
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < FaceCount; ++i) {
      const QImage face = faces.copy(FaceWidth * i, FaceHeight * row, FaceWidth, FaceHeight);
      entries.push_back({QString::number(FirstFaceSprite + HighlightSpriteOffset * row + i),
                         KeyedTransparent(face, qRgb(0, 0, 0))});
    }
  }
  const QImage small = decode(CarriedSmallFaceSheet);
  for (int i = 0; i < FaceCount; ++i) {
    const QImage face = small.copy(SmallFaceWidth * i, 0, SmallFaceWidth, SmallFaceHeight);
    entries.push_back({QString::number(FirstSmallFaceSprite + i), KeyedTransparent(face, qRgb(0, 0, 0))});
  }
  AddFileRange(entries, source, 501, "Donghua/", 11, 5);
  AddFile(entries, source, 600, "Mouse.png");
  entries.push_back({"credit", decode(CarriedCredit)});
  const QImage types = decode(CarriedTypePicture);
  for (int type = 1; type <= TypePanelCount; ++type) {
    entries.push_back({QString::fromUtf8("类型%1").arg(type),
                       types.copy(TypePanelWidth * (type - 1), 0, TypePanelWidth, TypePanelHeight)});
  }
  return entries;
}

void PaintChecker(QPainter& painter, const QRect& area) {
  for (int y = area.top(); y < area.bottom(); y += CheckerSize) {
    for (int x = area.left(); x < area.right(); x += CheckerSize) {
      const bool dark = ((x - area.left()) / CheckerSize + (y - area.top()) / CheckerSize) % 2;
      painter.fillRect(QRect(x, y, CheckerSize, CheckerSize).intersected(area),
                       dark ? CheckerDark : CheckerLight);
    }
  }
}

}  // namespace

QImage BuildContactSheet(const std::string& appDirectory, const std::string& languageFolder) {
  const std::vector<SheetEntry> entries = CollectSprites(appDirectory, languageFolder);
  const int rows = (static_cast<int>(entries.size()) + SheetColumns - 1) / SheetColumns;
  QImage sheet(SheetColumns * CellWidth, rows * CellHeight, QImage::Format_RGB32);
  sheet.fill(SheetColour);
  QPainter painter(&sheet);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setFont(LetteringFont(LabelSize, true));
  for (size_t i = 0; i < entries.size(); ++i) {
    const QPoint origin(static_cast<int>(i % SheetColumns) * CellWidth,
                        static_cast<int>(i / SheetColumns) * CellHeight);
    const QRect area(origin.x() + CellPadding, origin.y() + CellPadding,
                     CellWidth - 2 * CellPadding, CellHeight - 2 * CellPadding - LabelHeight);
    PaintChecker(painter, area);
    const QImage& picture = entries[i].picture;
    if (!picture.isNull()) {
      QSize fitted = picture.size();
      if (fitted.width() > area.width() || fitted.height() > area.height()) {
        fitted.scale(area.size(), Qt::KeepAspectRatio);
      }
      const QRect target(area.center().x() - fitted.width() / 2 + 1,
                         area.center().y() - fitted.height() / 2 + 1, fitted.width(),
                         fitted.height());
      painter.drawImage(target, picture);
    }
    painter.setPen(picture.isNull() ? MissingColour : LabelColour);
    const QString label = picture.isNull()
                              ? entries[i].label + QString::fromUtf8(" 缺")
                              : QString("%1  %2x%3").arg(entries[i].label).arg(picture.width())
                                    .arg(picture.height());
    painter.drawText(QRect(origin.x(), area.bottom() + 1, CellWidth, LabelHeight), Qt::AlignCenter,
                     label);
  }
  painter.end();
  return sheet;
}

bool WriteContactSheet(const std::string& file, const std::string& appDirectory,
                       const std::string& languageFolder) {
  return BuildContactSheet(appDirectory, languageFolder).save(QString::fromStdString(file), "PNG");
}
