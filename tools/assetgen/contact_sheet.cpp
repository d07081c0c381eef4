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

void AddFile(std::vector<SheetEntry>& entries, int number, const std::string& path) {
  entries.push_back({QString::number(number), QImage(QString::fromStdString(path))});
}

void AddFileRange(std::vector<SheetEntry>& entries, int firstNumber, const std::string& folder,
                  int firstFile, int count) {
  for (int i = 0; i < count; ++i) {
    AddFile(entries, firstNumber + i, folder + std::to_string(firstFile + i) + ".png");
  }
}

std::vector<SheetEntry> CollectSprites(const std::string& app) {
  const std::vector<CarriedFile> carried = BuildCarriedPictures();
  const auto decode = [&](CarriedIndex index) {
    const QByteArray& bytes = carried[index].bytes;
    return QImage::fromData(bytes);
  };
  const std::string images = app + "Images/";
  std::vector<SheetEntry> entries;
  AddFile(entries, 1, images + "bg1.jpg");
  AddFile(entries, 2, images + "xiabg.png");
  entries.push_back({"3", QImage(QString::fromStdString(images + "shuoming.png"))
                              .scaled(HelpWidth, HelpHeight, Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation)});
  AddFile(entries, 4, images + "yinying.png");
  AddFile(entries, 5, images + "Shezhi.png");
  AddFile(entries, 6, images + "xing.png");
  AddFile(entries, 7, images + "xing1.png");
  entries.push_back({"8", IntroCard(decode(CarriedLogo), LogoX, LogoY)});
  entries.push_back({"9", IntroCard(decode(CarriedLettering), LetteringX, LetteringY)});
  AddFileRange(entries, 10, images + "Shuzi/", 0, 11);
  AddFileRange(entries, 21, images + "Anniu/", 1, 6);
  AddFileRange(entries, 30, images + "Xianshi/", 10, 10);
  AddFileRange(entries, 40, images + "Xianshi/", 0, 10);
  AddFileRange(entries, 50, images + "Xianshi/", 20, 10);
  AddFileRange(entries, 60, images + "Anniu/", 10, 10);
  AddFileRange(entries, 71, images + "zhadan/", 1, 16);
  AddFileRange(entries, 90, images + "Xianshi/", 30, 10);
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
  AddFileRange(entries, 501, images + "Donghua/", 11, 5);
  AddFile(entries, 600, images + "Mouse.png");
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

QImage BuildContactSheet(const std::string& appDirectory) {
  const std::vector<SheetEntry> entries = CollectSprites(appDirectory);
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

bool WriteContactSheet(const std::string& file, const std::string& appDirectory) {
  return BuildContactSheet(appDirectory).save(QString::fromStdString(file), "PNG");
}
