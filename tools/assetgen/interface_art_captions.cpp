// Captions, digit sets, the pause badge and the title banners.
//
// Sections: digits; captions; pause badge; banners; entry.
#include <QLinearGradient>
#include <QTransform>

#include <string>

#include "interface_art_kit.h"
#include "interface_art_sets.h"
#include "tools/assetgen/picture_words.h"

namespace {

// ---- Digits -----------------------------------------------------------------------------------

enum DigitStyle { GoldDigits, IvoryDigits };

// One digit set: cell size, glyph height inside the cell, outline width and colouring.
struct DigitSet {
  int width;
  int height;
  double glyphHeight;
  double outline;
  double widen;  // horizontal stretch of the condensed digit face
  DigitStyle style;
};

const DigitSet kPopupDigits{28, 36, 28, 2.2, 1.3, GoldDigits};  // Shuzi: score pop-up
const DigitSet kScoreDigits{22, 28, 22, 1.8, 1.35, GoldDigits}; // Xianshi 0..9: the score
const DigitSet kCountDigits{19, 26, 20, 1.6, 1.3, IvoryDigits}; // Xianshi 20..29: level, clock, counts
const DigitSet kItemDigits{14, 18, 14, 1.5, 1.2, IvoryDigits};  // Anniu 10..19: item counts
const int kDigitFontPixels = 100;  // glyphs are drawn large and scaled down to the set's height

// The text as a path scaled so that a digit is glyphHeight tall, centred in the cell.
QPainterPath DigitPath(const QString& text, const DigitSet& set) {
  QFont font = DigitFont(kDigitFontPixels);
  QPainterPath reference;
  reference.addText(0, 0, font, "8");
  double scale = set.glyphHeight / reference.boundingRect().height();
  QPainterPath path;
  path.addText(0, 0, font, text);
  path = QTransform::fromScale(scale * set.widen, scale).map(path);
  QRectF bounds = path.boundingRect();
  QPointF cellCentre(set.width / 2.0, set.height / 2.0 - 0.5);
  // Vertical placement follows the reference digit so that signs sit on the digits' middle.
  QRectF referenceBounds = QTransform::fromScale(scale, scale).map(reference).boundingRect();
  path.translate(cellCentre.x() - bounds.center().x(), cellCentre.y() - referenceBounds.center().y());
  return path;
}

QImage DrawDigitPicture(const QString& text, const DigitSet& set) {
  QImage canvas = CreateCanvas(set.width, set.height);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QPainterPath path = DigitPath(text, set);
  if (set.style == GoldDigits) DrawGoldPath(painter, path, set.outline);
  else DrawIvoryPath(painter, path, set.outline);
  return canvas;
}

bool WriteDigitSet(const DigitSet& set, const std::string& folder, int firstNumber) {
  for (int digit = 0; digit <= 9; ++digit) {
    std::string path = folder + std::to_string(firstNumber + digit) + ".png";
    if (!SavePng(DrawDigitPicture(QString::number(digit), set), path)) return false;
  }
  return true;
}

// The clock's colon, in the style of the count digits.
const int kColonWidth = 8;
const int kColonHeight = 26;

QImage DrawColon() {
  QImage canvas = CreateCanvas(kColonWidth, kColonHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  painter.setPen(QPen(kArt.ink, 1.4));
  painter.setBrush(kArt.ivory);
  painter.drawEllipse(QPointF(kColonWidth / 2.0, 8.5), 2.3, 2.3);
  painter.drawEllipse(QPointF(kColonWidth / 2.0, 18.5), 2.3, 2.3);
  return canvas;
}

// ---- Captions ---------------------------------------------------------------------------------

const int kCaptionHeight = 28;
const int kCaptionPixels = 22;
const int kLongCaptionPixels = 20;
const double kCaptionOutline = 1.6;
const double kCaptionInset = 2;

// Gold caption lettering on a transparent picture, left-aligned with a small margin.
QImage DrawCaption(const char* text, ArtLanguage language, int width, int pixelSize) {
  QImage canvas = CreateCanvas(width, kCaptionHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  const QRectF box(0, 0, width, kCaptionHeight - 1);
  DrawGoldPath(painter, LeftWordsPath(text, language, pixelSize, box, kCaptionInset),
               kCaptionOutline);
  return canvas;
}

// ---- Pause badge ------------------------------------------------------------------------------

const int kBadgeWidth = 220;
const int kBadgeHeight = 90;

QImage DrawPauseBadge(ArtLanguage language) {
  QImage canvas = CreateCanvas(kBadgeWidth, kBadgeHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF plate(4, 4, kBadgeWidth - 10, kBadgeHeight - 10);
  DrawLacquerPlate(painter, plate, 16, kArt.vermilion);
  painter.setPen(QPen(QColor(kArt.gold.red(), kArt.gold.green(), kArt.gold.blue(), 150), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(plate.adjusted(7, 7, -7, -7), 10, 10);
  // Pause sign: two ivory bars in a gold ring.
  QPointF sign(plate.left() + 44, plate.center().y());
  painter.setPen(QPen(kArt.ink, 2.0));
  painter.setBrush(kArt.gold);
  painter.drawEllipse(sign, 22, 22);
  painter.setBrush(kArt.vermilionDark);
  painter.drawEllipse(sign, 17, 17);
  painter.setPen(QPen(kArt.ink, 1.2));
  painter.setBrush(kArt.ivory);
  painter.drawRoundedRect(QRectF(sign.x() - 8, sign.y() - 10, 6, 20), 1.5, 1.5);
  painter.drawRoundedRect(QRectF(sign.x() + 2, sign.y() - 10, 6, 20), 1.5, 1.5);
  QRectF words(plate.left() + 76, plate.top(), plate.width() - 84, plate.height());
  DrawGoldPath(painter, CentredWordsPath("暂停", language, 46, words), 2.2);
  return canvas;
}

// ---- Banners ----------------------------------------------------------------------------------

const int kBannerWidth = 410;
const int kBannerHeight = 70;
const int kEditorTitleWidth = 430;
const int kEditorTitleHeight = 120;
const double kScrollRollWidth = 16;

// A hanging scroll: ink-lacquer plaque between two rolled ivory ends.
void DrawScrollPlaque(QPainter& painter, const QRectF& box) {
  QRectF plaque = box.adjusted(kScrollRollWidth - 4, 4, -(kScrollRollWidth - 4), -4);
  DrawLacquerPlate(painter, plaque, 8, QColor(92, 30, 26));
  painter.setPen(QPen(QColor(kArt.gold.red(), kArt.gold.green(), kArt.gold.blue(), 140), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plaque.adjusted(7, 6, -7, -6));
  for (double x : {box.left() + 1.0, box.right() - kScrollRollWidth - 1}) {
    QRectF roll(x, box.top(), kScrollRollWidth, box.height());
    QLinearGradient wood(roll.topLeft(), roll.topRight());
    wood.setColorAt(0.0, kArt.goldDark);
    wood.setColorAt(0.35, kArt.goldLight);
    wood.setColorAt(1.0, kArt.goldDark.darker(130));
    painter.setPen(QPen(kArt.ink, 1.0));
    painter.setBrush(wood);
    painter.drawRoundedRect(roll, 6, 6);
    painter.setBrush(kArt.vermilion);
    painter.drawEllipse(QPointF(roll.center().x(), roll.top() + 5), 3, 3);
    painter.drawEllipse(QPointF(roll.center().x(), roll.bottom() - 5), 3, 3);
  }
}

// The game's name as one line centred in the box.
QPainterPath TitleLinePath(ArtLanguage language, int pixelSize, const QRectF& box) {
  return CentredWordsPath("Vorle麻将连连看", language, pixelSize, box);
}

QImage DrawTitleBanner(ArtLanguage language) {
  QImage canvas = CreateCanvas(kBannerWidth, kBannerHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF box(0, 0, kBannerWidth - 2, kBannerHeight - 3);
  DrawScrollPlaque(painter, box);
  DrawGoldPath(painter, TitleLinePath(language, 36, box.adjusted(0, -1, 0, -1)), 2.0);
  return canvas;
}

QImage DrawEditorTitle(ArtLanguage language) {
  QImage canvas = CreateCanvas(kEditorTitleWidth, kEditorTitleHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF box(0, 0, kEditorTitleWidth - 2, kEditorTitleHeight - 3);
  DrawScrollPlaque(painter, box);
  QRectF upper(box.left(), box.top() + 8, box.width(), box.height() * 0.5);
  QRectF lower(box.left(), box.top() + box.height() * 0.52, box.width(), box.height() * 0.4);
  DrawGoldPath(painter, TitleLinePath(language, 34, upper), 2.0);
  DrawIvoryPath(painter, CentredWordsPath("地图编辑器", language, 30, lower), 1.6);
  return canvas;
}

}  // namespace

// ---- Entry ------------------------------------------------------------------------------------

bool WriteCaptionPictures(const std::string& imagesDirectory, ArtLanguage language) {
  const std::string shuzi = imagesDirectory + "Shuzi/";
  const std::string xianshi = imagesDirectory + "Xianshi/";
  const std::string anniu = imagesDirectory + "Anniu/";
  struct CaptionFile {
    int number;         // Xianshi file number
    const char* text;   // UTF-8 lettering
    int width;          // bounded by the digits drawn after it
    int pixelSize;
  };
  static const CaptionFile kCaptions[] = {
      {10, "得分", 50, kCaptionPixels},           // score: digits follow at 55 past it
      {11, "游戏时间", 96, kCaptionPixels},       // time: the minutes follow at 130
      {12, "牌数", 50, kCaptionPixels},           // tile count: digits from 55 past it
      {13, "剩余", 50, kCaptionPixels},           // remaining: digits from 57 past it
      {18, "闯关进度：第", 124, kLongCaptionPixels}, // level number follows at 128
      {19, "关", 26, kCaptionPixels},
  };
  // Digits and the colon carry no words: only the originals have them.
  bool written = language != ArtOriginal ||
                 (WriteDigitSet(kPopupDigits, shuzi, 0) &&
                  SavePng(DrawDigitPicture("+", kPopupDigits), shuzi + "10.png") &&
                  WriteDigitSet(kScoreDigits, xianshi, 0) &&
                  WriteDigitSet(kCountDigits, xianshi, 20) &&
                  WriteDigitSet(kItemDigits, anniu, 10) &&
                  SavePng(DrawColon(), xianshi + "14.png"));
  written = written && SavePng(DrawPauseBadge(language), xianshi + "15.png") &&
            SavePng(DrawTitleBanner(language), xianshi + "39.png") &&
            SavePng(DrawEditorTitle(language), xianshi + "39.93-17");
  for (const CaptionFile& caption : kCaptions) {
    if (!written) break;
    written = SavePng(DrawCaption(caption.text, language, caption.width, caption.pixelSize),
                      xianshi + std::to_string(caption.number) + ".png");
  }
  return written;
}
