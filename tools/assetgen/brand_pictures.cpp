// The logo, the lettering and the credit picture.
//
// Text is drawn into layers of its own; a halo is the layer's silhouette stamped around it. A
// translation sets the game's name in the brand's Latin face and shrinks a line to its box.
//
// Sections: shared helpers, logo, lettering, credit picture.
#include "tools/assetgen/brand_pictures.h"

#include <QLinearGradient>
#include <QPainter>

#include "tools/assetgen/tile_faces.h"
#include "tools/assetgen/tile_palette.h"

namespace {

constexpr const char* BrandFamily = "Bebas Neue";
constexpr const char* BrandName = "VORLE";
constexpr const char* StudioLine = "工 作 室  STUDIO";
constexpr const char* GameTitle = "Vorle麻将连连看";
constexpr const char* MakerLine = "制作：Vorle 工作室";
constexpr const char* VersionLine = "版本 1.0";
constexpr const char* ContactLine = "pelmora@example.org";

// Logo layout: two tiles on the left, the name and the studio line on the right.
constexpr double LogoTileScale = 1.9;
constexpr QPointF LogoBackTile(26, 40);
constexpr double LogoBackAngle = -10;
constexpr QPointF LogoFrontTile(62, 34);
constexpr double LogoFrontAngle = 8;
constexpr int BrandSize = 110;
constexpr QRect BrandBox(168, 22, 200, 110);
constexpr int BrandHaloRadius = 3;
constexpr int StudioSize = 24;
constexpr QRect StudioBox(168, 140, 200, 30);
constexpr double RuleY = 136;
constexpr double RuleLeft = 172, RuleRight = 364;
constexpr double RuleWidth = 3;

// Lettering: one line, centred, with a soft dark halo.
constexpr int TitleSize = 92;
constexpr int TitleHaloRadius = 7;
constexpr int LatinTitleSize = 110;  // the brand face's capitals as tall as the Chinese glyphs
constexpr int LatinTitleInset = 3 * TitleHaloRadius;  // room for the halo at both ends
const QColor TitleHalo(60, 24, 8);

// Credit card: double frame, a tile, four lines of text.
constexpr QRectF CreditOuterFrame(5.5, 5.5, 278, 133);
constexpr QRectF CreditInnerFrame(10.5, 10.5, 268, 123);
constexpr double CreditTileScale = 1.25;
constexpr QPointF CreditTile(20, 34);
constexpr double CreditTextLeft = 88, CreditTextWidth = 186;
constexpr int CreditTitleSize = 22, CreditMakerSize = 15, CreditSmallSize = 13;
constexpr int CreditLatinTitleSize = 28;
constexpr QRectF CreditTitleBox(CreditTextLeft, 22, CreditTextWidth, 34);
constexpr QRectF CreditMakerBox(CreditTextLeft, 60, CreditTextWidth, 22);
constexpr QRectF CreditVersionBox(CreditTextLeft, 86, CreditTextWidth, 20);
constexpr QRectF CreditContactBox(CreditTextLeft, 106, CreditTextWidth, 20);

QImage TransparentPicture(int width, int height) {
  QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  return picture;
}

// A layer of the picture's size holding only the text, centred in its box.
QImage TextLayer(QSize size, const QString& text, const QFont& font, const QColor& colour,
                 const QRect& box) {
  QImage layer = TransparentPicture(size.width(), size.height());
  QPainter painter(&layer);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignCenter, text);
  return layer;
}

// The layer's shape in one colour.
QImage Silhouette(const QImage& layer, const QColor& colour) {
  QImage shape = layer;
  QPainter painter(&shape);
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  painter.fillRect(shape.rect(), colour);
  return shape;
}

// A soft outline: the silhouette stamped at every offset within the radius, faint each time,
// so that it builds up close to the letters and fades outwards.
void PaintHalo(QPainter& painter, const QImage& layer, const QColor& colour, int radius) {
  constexpr double StampOpacity = 0.16;
  const QImage shape = Silhouette(layer, colour);
  painter.save();
  painter.setOpacity(StampOpacity);
  for (int dy = -radius; dy <= radius; ++dy) {
    for (int dx = -radius; dx <= radius; ++dx) {
      if (dx * dx + dy * dy <= radius * radius) {
        painter.drawImage(dx, dy, shape);
      }
    }
  }
  painter.restore();
}

// A tile drawn at a scale and an angle, its top-left corner at the origin given.
void PaintTile(QPainter& painter, int faceCode, QPointF at, double scale, double degrees) {
  painter.save();
  painter.translate(at);
  painter.rotate(degrees);
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(0, 0, FaceWithAlpha(faceCode));
  painter.restore();
}

QImage Straight(const QImage& picture) { return picture.convertToFormat(QImage::Format_ARGB32); }

QFont BrandFont(int pixelSize) { return LetteringFont(pixelSize, true, BrandFamily); }

// A translated line in the font, made smaller until it fits the box's width, and noted.
QFont FitTranslatedLine(const QFont& font, const QString& text, const QRectF& box, int flags,
                        ArtLanguage language) {
  const QFont fitted = FontFittingWidth(font, text, box.width());
  NoteLettering(language, text, box, TextInkInBox(fitted, box, flags, text),
                double(fitted.pixelSize()) / font.pixelSize());
  return fitted;
}

}  // namespace

QImage DrawLogo(ArtLanguage language) {
  QImage logo = TransparentPicture(LogoWidth, LogoHeight);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintTile(painter, GreenDragon, LogoBackTile, LogoTileScale, LogoBackAngle);
  PaintTile(painter, RedDragon, LogoFrontTile, LogoTileScale, LogoFrontAngle);

  QFont brand(BrandFamily);
  brand.setPixelSize(BrandSize);
  const QImage name = TextLayer(logo.size(), BrandName, brand, gPalette.ink, BrandBox);
  PaintHalo(painter, name, Qt::white, BrandHaloRadius);
  painter.drawImage(0, 0, name);

  painter.setPen(QPen(gPalette.vermilion, RuleWidth, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(RuleLeft, RuleY), QPointF(RuleRight, RuleY));
  if (language == ArtOriginal) {
    painter.setFont(LetteringFont(StudioSize, true));
    painter.drawText(StudioBox, Qt::AlignCenter, QString::fromUtf8(StudioLine));
  } else {
    const QString studio = PictureWords(StudioLine, language);
    painter.setFont(FitTranslatedLine(LetteringFont(StudioSize, true), studio, StudioBox,
                                      Qt::AlignCenter, language));
    painter.drawText(StudioBox, Qt::AlignCenter, studio);
  }
  painter.end();
  return Straight(logo);
}

QImage DrawLettering(ArtLanguage language) {
  QImage lettering = TransparentPicture(LetteringWidth, LetteringHeight);
  QFont font = LetteringFont(TitleSize, true);
  const QString text = PictureWords(GameTitle, language);
  if (language != ArtOriginal) {
    const QRect room = lettering.rect().adjusted(LatinTitleInset, 0, -LatinTitleInset, 0);
    font = FitTranslatedLine(BrandFont(LatinTitleSize), text, room, Qt::AlignCenter, language);
  }
  const QImage title = TextLayer(lettering.size(), text, font, Qt::white, lettering.rect());
  QPainter painter(&lettering);
  PaintHalo(painter, title, TitleHalo, TitleHaloRadius);
  painter.drawImage(0, 0, title);
  painter.end();
  return Straight(lettering);
}

QImage DrawCreditPicture(ArtLanguage language) {
  QImage credit(CreditWidth, CreditHeight, QImage::Format_RGB32);
  QPainter painter(&credit);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient paper(0, 0, 0, CreditHeight);
  paper.setColorAt(0.0, gPalette.ivory);
  paper.setColorAt(1.0, gPalette.ivoryShade);
  painter.fillRect(credit.rect(), paper);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(gPalette.gold, 3));
  painter.drawRect(CreditOuterFrame);
  painter.setPen(QPen(gPalette.vermilion, 1));
  painter.drawRect(CreditInnerFrame);

  PaintTile(painter, RedDragon, CreditTile, CreditTileScale, 0);

  constexpr int LineFlags = Qt::AlignLeft | Qt::AlignVCenter;
  const auto line = [&](const QRectF& box, const char* original, const QColor& colour,
                        const QFont& font) {
    const QString text = PictureWords(original, language);
    painter.setPen(colour);
    painter.setFont(language == ArtOriginal
                        ? font
                        : FitTranslatedLine(font, text, box, LineFlags, language));
    painter.drawText(box, LineFlags, text);
  };
  line(CreditTitleBox, GameTitle, gPalette.ink,
       language == ArtOriginal ? LetteringFont(CreditTitleSize, true)
                               : BrandFont(CreditLatinTitleSize));
  line(CreditMakerBox, MakerLine, gPalette.vermilion, LetteringFont(CreditMakerSize, false));
  line(CreditVersionBox, VersionLine, gPalette.jadeDark, LetteringFont(CreditSmallSize, false));
  line(CreditContactBox, ContactLine, gPalette.jadeDark, LetteringFont(CreditSmallSize, false));
  painter.end();
  return credit;
}
