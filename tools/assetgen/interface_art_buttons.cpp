// Buttons: the panel's item and control buttons, the main-menu buttons, the settings button
// and the previous/next level buttons.
//
// Sections: icons; panel buttons; menu buttons; small buttons; entry.
#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <string>

#include "interface_art_kit.h"
#include "interface_art_sets.h"
#include "tools/assetgen/picture_words.h"

namespace {

const double kPi = 3.14159265358979323846;
const double kIconLine = 1.4;  // outline of icon shapes

// ---- Icons ------------------------------------------------------------------------------------

QPainterPath GearPath(const QPointF& centre, double outer, double inner, int teeth) {
  QPainterPath path;
  int steps = teeth * 4;
  for (int i = 0; i <= steps; ++i) {
    double angle = 2 * kPi * i / steps;
    double r = (i % 4 == 0 || i % 4 == 1) ? outer : inner;
    QPointF point = centre + QPointF(std::cos(angle) * r, std::sin(angle) * r);
    if (i == 0) path.moveTo(point); else path.lineTo(point);
  }
  path.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(centre, inner * 0.42, inner * 0.42);
  return path.subtracted(hole);
}

void DrawGear(QPainter& painter, const QPointF& centre, double radius) {
  QLinearGradient metal(centre - QPointF(0, radius), centre + QPointF(0, radius));
  metal.setColorAt(0.0, kArt.goldLight);
  metal.setColorAt(1.0, kArt.goldDark);
  painter.setPen(QPen(kArt.ink, kIconLine));
  painter.setBrush(metal);
  painter.drawPath(GearPath(centre, radius, radius * 0.74, 8));
}

// A small mahjong tile: ivory face, thin darker edge and a thick green back.
void DrawMiniTile(QPainter& painter, const QRectF& face, const QString& glyph, const QColor& ink) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kArt.jadeDark);
  painter.drawRoundedRect(face.translated(2.5, 3), 3, 3);
  QLinearGradient ivory(face.topLeft(), face.bottomRight());
  ivory.setColorAt(0.0, QColor(255, 251, 238));
  ivory.setColorAt(1.0, kArt.ivory.darker(110));
  painter.setPen(QPen(QColor(150, 130, 100), 1.0));
  painter.setBrush(ivory);
  painter.drawRoundedRect(face, 3, 3);
  QPainterPath mark = CentredTextPath(glyph, ChineseFont(int(face.height() * 0.62)), face);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawPath(mark);
}

void DrawBulb(QPainter& painter, const QPointF& centre, double size) {
  painter.setPen(QPen(kArt.goldLight, 1.2));
  for (int i = 0; i < 5; ++i) {
    double angle = kPi + kPi * i / 4;
    QPointF dir(std::cos(angle), std::sin(angle));
    painter.drawLine(centre + dir * size * 0.62, centre + dir * size * 0.82);
  }
  QRadialGradient glass(centre - QPointF(size * 0.12, size * 0.15), size * 0.5);
  glass.setColorAt(0.0, QColor(255, 255, 230));
  glass.setColorAt(1.0, kArt.gold);
  painter.setPen(QPen(kArt.ink, kIconLine));
  painter.setBrush(glass);
  painter.drawEllipse(centre, size * 0.42, size * 0.42);
  painter.setBrush(kArt.ivory.darker(130));
  painter.drawRoundedRect(QRectF(centre.x() - size * 0.2, centre.y() + size * 0.36, size * 0.4, size * 0.3), 1.5, 1.5);
}

void DrawBomb(QPainter& painter, const QPointF& centre, double size) {
  QPointF body = centre + QPointF(-size * 0.05, size * 0.12);
  QRadialGradient shell(body - QPointF(size * 0.15, size * 0.15), size * 0.5);
  shell.setColorAt(0.0, QColor(110, 104, 110));
  shell.setColorAt(1.0, kArt.ink);
  painter.setPen(QPen(QColor(10, 8, 10), kIconLine));
  painter.setBrush(shell);
  painter.drawEllipse(body, size * 0.4, size * 0.4);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kArt.goldDark, 1.6));
  QPainterPath fuse;
  fuse.moveTo(body + QPointF(size * 0.22, -size * 0.3));
  fuse.quadTo(body + QPointF(size * 0.3, -size * 0.6), body + QPointF(size * 0.5, -size * 0.55));
  painter.drawPath(fuse);
  DrawGlow(painter, body + QPointF(size * 0.5, -size * 0.55), size * 0.22, QColor(255, 220, 120, 255));
}

void DrawShuffleArrows(QPainter& painter, const QPointF& centre, double size) {
  double h = size * 0.5;
  painter.setBrush(Qt::NoBrush);
  for (int pass = 0; pass < 2; ++pass) {
    painter.setPen(QPen(pass == 0 ? kArt.ink : kArt.goldLight, pass == 0 ? 4.2 : 2.0, Qt::SolidLine, Qt::RoundCap));
    QPainterPath down, up;
    down.moveTo(centre + QPointF(-h, -h * 0.6));
    down.cubicTo(centre + QPointF(0, -h * 0.6), centre + QPointF(0, h * 0.6), centre + QPointF(h * 0.8, h * 0.6));
    up.moveTo(centre + QPointF(-h, h * 0.6));
    up.cubicTo(centre + QPointF(0, h * 0.6), centre + QPointF(0, -h * 0.6), centre + QPointF(h * 0.8, -h * 0.6));
    painter.drawPath(down);
    painter.drawPath(up);
  }
  painter.setPen(QPen(kArt.ink, 1.0));
  painter.setBrush(kArt.goldLight);
  for (double dy : {-h * 0.6, h * 0.6}) {
    QPointF tip = centre + QPointF(h * 1.05, dy);
    painter.drawPolygon(QPolygonF({tip, tip + QPointF(-h * 0.45, -h * 0.32), tip + QPointF(-h * 0.45, h * 0.32)}));
  }
}

void DrawPauseBars(QPainter& painter, const QPointF& centre, double size) {
  painter.setPen(QPen(kArt.ink, kIconLine));
  painter.setBrush(kArt.ivory);
  double w = size * 0.22, h = size * 0.8;
  painter.drawRoundedRect(QRectF(centre.x() - w * 1.5, centre.y() - h / 2, w, h), 1.5, 1.5);
  painter.drawRoundedRect(QRectF(centre.x() + w * 0.5, centre.y() - h / 2, w, h), 1.5, 1.5);
}

void DrawPlayTriangle(QPainter& painter, const QPointF& centre, double size) {
  painter.setPen(QPen(kArt.ink, kIconLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(kArt.ivory);
  double h = size * 0.42;
  painter.drawPolygon(QPolygonF({centre + QPointF(-h * 0.8, -h), centre + QPointF(h * 1.1, 0),
                                 centre + QPointF(-h * 0.8, h)}));
}

void DrawHouse(QPainter& painter, const QPointF& centre, double size) {
  double h = size * 0.45;
  painter.setPen(QPen(kArt.ink, kIconLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(kArt.ivory);
  painter.drawRect(QRectF(centre.x() - h * 0.7, centre.y() - h * 0.1, h * 1.4, h * 1.0));
  painter.setBrush(kArt.gold);
  // A pagoda roof with upturned eaves.
  QPainterPath roof;
  roof.moveTo(centre + QPointF(-h * 1.15, h * 0.05));
  roof.quadTo(centre + QPointF(-h * 0.6, -h * 0.2), centre + QPointF(0, -h * 0.95));
  roof.quadTo(centre + QPointF(h * 0.6, -h * 0.2), centre + QPointF(h * 1.15, h * 0.05));
  roof.closeSubpath();
  painter.drawPath(roof);
  painter.setBrush(kArt.vermilionDark);
  painter.drawRect(QRectF(centre.x() - h * 0.2, centre.y() + h * 0.4, h * 0.4, h * 0.5));
}

void DrawBrushOverGrid(QPainter& painter, const QPointF& centre, double size) {
  double cell = size * 0.28;
  QPointF origin = centre - QPointF(cell * 1.5, cell * 1.5);
  painter.setPen(QPen(kArt.ink, 1.0));
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      painter.setBrush((r + c) % 2 == 0 ? kArt.ivory : kArt.ivory.darker(118));
      painter.drawRect(QRectF(origin.x() + c * cell, origin.y() + r * cell, cell, cell));
    }
  }
  painter.save();
  painter.translate(centre + QPointF(size * 0.18, -size * 0.05));
  painter.rotate(40);
  painter.setPen(QPen(kArt.ink, 1.2));
  painter.setBrush(kArt.vermilion);
  painter.drawRoundedRect(QRectF(-size * 0.06, -size * 0.55, size * 0.12, size * 0.6), 2, 2);
  painter.setBrush(kArt.goldLight);
  painter.drawRect(QRectF(-size * 0.07, size * 0.03, size * 0.14, size * 0.08));
  QPainterPath tip;
  tip.moveTo(-size * 0.06, size * 0.11);
  tip.quadTo(-size * 0.08, size * 0.3, 0, size * 0.42);
  tip.quadTo(size * 0.08, size * 0.3, size * 0.06, size * 0.11);
  painter.setBrush(kArt.ink);
  painter.drawPath(tip);
  painter.restore();
}

void DrawOpenScroll(QPainter& painter, const QPointF& centre, double size) {
  double w = size * 0.9, h = size * 0.62;
  QRectF paper(centre.x() - w / 2, centre.y() - h / 2, w, h);
  painter.setPen(QPen(kArt.ink, 1.0));
  painter.setBrush(kArt.ivory);
  painter.drawRect(paper);
  painter.setPen(QPen(QColor(120, 110, 100), 1.0));
  for (int i = 1; i <= 3; ++i) {
    double y = paper.top() + h * i / 4;
    painter.drawLine(QPointF(paper.left() + 6, y), QPointF(paper.right() - 6, y));
  }
  painter.setPen(QPen(kArt.ink, 1.0));
  painter.setBrush(kArt.vermilion);
  painter.drawEllipse(QPointF(paper.right() - w * 0.2, paper.bottom() - h * 0.28), 3.2, 3.2);
  painter.setBrush(kArt.goldDark);
  for (double x : {paper.left() - 3.0, paper.right() - 3.0}) {
    painter.drawRoundedRect(QRectF(x, paper.top() - 5, 6, h + 10), 3, 3);
  }
}

void DrawQuestion(QPainter& painter, const QPointF& centre, double size) {
  painter.setPen(QPen(kArt.ink, kIconLine));
  painter.setBrush(kArt.ivory);
  painter.drawEllipse(centre, size * 0.46, size * 0.46);
  QPainterPath mark = CentredTextPath("?", DigitFont(int(size * 0.9)), QRectF(centre - QPointF(size / 2, size / 2), QSizeF(size, size)));
  painter.setPen(Qt::NoPen);
  painter.setBrush(kArt.vermilion);
  painter.drawPath(mark);
}

void DrawGlobe(QPainter& painter, const QPointF& centre, double size) {
  double r = size * 0.46;
  QRadialGradient sea(centre - QPointF(r * 0.3, r * 0.3), r * 1.3);
  sea.setColorAt(0.0, kArt.jade.lighter(150));
  sea.setColorAt(1.0, kArt.jadeDark);
  painter.setPen(QPen(kArt.ink, kIconLine));
  painter.setBrush(sea);
  painter.drawEllipse(centre, r, r);
  painter.setPen(QPen(kArt.goldLight, 1.1));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, r * 0.45, r);
  painter.drawLine(centre - QPointF(0, r), centre + QPointF(0, r));
  painter.drawLine(centre - QPointF(r, 0), centre + QPointF(r, 0));
  for (double dy : {-r * 0.5, r * 0.5}) {
    double half = std::sqrt(r * r - dy * dy);
    painter.drawLine(centre + QPointF(-half, dy), centre + QPointF(half, dy));
  }
}

// ---- Panel buttons ----------------------------------------------------------------------------

// Drawn at (200 + 72 k, 560) over hit rectangles 70 wide; the item counts are drawn by the
// panel at (23, 11) and (39, 15) inside the first three buttons.
const int kPanelButtonWidth = 68;
const int kPanelButtonHeight = 60;
const QRectF kPanelPlate(1, 1, 65, 56);
const QRectF kCountWindow(21, 8, 36, 28);
const QPointF kSideIconCentre(11, 21);
const double kSideIconSize = 15;
const double kMainIconSize = 26;
const QPointF kMainIconCentre(34, 21);
const QRectF kPanelLabelBox(0, 36, 68, 20);
const int kPanelLabelPixels = 14;

enum PanelIcon { IconBulb, IconBomb, IconShuffle, IconPause, IconHouse, IconPlay };

void DrawPanelIcon(QPainter& painter, PanelIcon icon, const QPointF& centre, double size) {
  switch (icon) {
    case IconBulb: DrawBulb(painter, centre, size); break;
    case IconBomb: DrawBomb(painter, centre, size); break;
    case IconShuffle: DrawShuffleArrows(painter, centre, size); break;
    case IconPause: DrawPauseBars(painter, centre, size); break;
    case IconHouse: DrawHouse(painter, centre, size); break;
    case IconPlay: DrawPlayTriangle(painter, centre, size); break;
  }
}

QImage DrawPanelButton(const char* label, ArtLanguage language, PanelIcon icon,
                       const QColor& lacquer, bool hasCount) {
  QImage canvas = CreateCanvas(kPanelButtonWidth, kPanelButtonHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  DrawLacquerPlate(painter, kPanelPlate, 9, lacquer);
  if (hasCount) {
    QLinearGradient well(kCountWindow.topLeft(), kCountWindow.bottomLeft());
    well.setColorAt(0.0, QColor(16, 12, 14, 235));
    well.setColorAt(1.0, kArt.inkSoft);
    painter.setPen(QPen(kArt.goldDark, 1.0));
    painter.setBrush(well);
    painter.drawRoundedRect(kCountWindow, 5, 5);
    DrawPanelIcon(painter, icon, kSideIconCentre, kSideIconSize);
  } else {
    DrawPanelIcon(painter, icon, kMainIconCentre, kMainIconSize);
  }
  DrawGoldPath(painter, CentredWordsPath(label, language, kPanelLabelPixels, kPanelLabelBox), 1.2);
  return canvas;
}

// ---- Menu buttons -----------------------------------------------------------------------------

const int kLargeMenuWidth = 210;
const int kLargeMenuHeight = 150;
const int kSmallMenuWidth = 120;
const int kSmallMenuHeight = 115;
const int kLargeLabelPixels = 36;
const int kSmallLabelPixels = 22;

// Lacquer plate with an inner gold frame and cloud corners.
void DrawMenuPlate(QPainter& painter, const QRectF& plate, const QColor& lacquer) {
  DrawLacquerPlate(painter, plate, 14, lacquer);
  QRectF frame = plate.adjusted(8, 8, -8, -8);
  painter.setPen(QPen(QColor(kArt.gold.red(), kArt.gold.green(), kArt.gold.blue(), 160), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(frame, 8, 8);
  painter.setPen(QPen(kArt.gold, 1.4));
  for (QPointF corner : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()}) {
    QPointF inward((corner.x() < plate.center().x()) ? 7 : -7, (corner.y() < plate.center().y()) ? 7 : -7);
    painter.drawEllipse(corner + inward, 3.0, 3.0);
  }
}

QImage DrawProgressModeButton(ArtLanguage language) {
  QImage canvas = CreateCanvas(kLargeMenuWidth, kLargeMenuHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF plate(2, 2, kLargeMenuWidth - 6, kLargeMenuHeight - 6);
  DrawMenuPlate(painter, plate, kArt.vermilion);
  // A small pyramid of tiles: climbing level by level.
  const double w = 25, h = 32;
  QPointF base(plate.center().x(), 87);
  DrawMiniTile(painter, QRectF(base.x() - w * 1.5 - 2, base.y() - h, w, h), QString::fromUtf8("一"), kArt.ink);
  DrawMiniTile(painter, QRectF(base.x() - w * 0.5, base.y() - h, w, h), QString::fromUtf8("二"), kArt.ink);
  DrawMiniTile(painter, QRectF(base.x() + w * 0.5 + 2, base.y() - h, w, h), QString::fromUtf8("三"), kArt.ink);
  DrawMiniTile(painter, QRectF(base.x() - w - 1, base.y() - h * 1.8, w, h), QString::fromUtf8("中"), kArt.vermilion);
  DrawMiniTile(painter, QRectF(base.x() + 1, base.y() - h * 1.8, w, h), QString::fromUtf8("發"), kArt.jade);
  QRectF labelBox(plate.left(), 92, plate.width(), 44);
  DrawGoldPath(painter, CentredWordsPath("闯关模式", language, kLargeLabelPixels, labelBox), 2.0);
  return canvas;
}

QImage DrawFreeModeButton(ArtLanguage language) {
  QImage canvas = CreateCanvas(kLargeMenuWidth, kLargeMenuHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF plate(2, 2, kLargeMenuWidth - 6, kLargeMenuHeight - 6);
  DrawMenuPlate(painter, plate, kArt.jade);
  // A fan of tiles: pick any one.
  const double w = 32, h = 41, reach = 22;
  QPointF pivot(plate.center().x(), 92);
  const struct { double angle; const char* glyph; QColor ink; } kFan[] = {
      {-36, "東", kArt.ink}, {-12, "春", kArt.jade}, {12, "梅", kArt.vermilion}, {36, "北", kArt.ink}};
  for (const auto& tile : kFan) {
    painter.save();
    painter.translate(pivot);
    painter.rotate(tile.angle);
    DrawMiniTile(painter, QRectF(-w / 2, -reach - h, w, h), QString::fromUtf8(tile.glyph), tile.ink);
    painter.restore();
  }
  QRectF labelBox(plate.left(), 92, plate.width(), 44);
  DrawGoldPath(painter, CentredWordsPath("自由模式", language, kLargeLabelPixels, labelBox), 2.0);
  return canvas;
}

enum MenuIcon { MenuBrush, MenuScroll, MenuGear, MenuQuestion, MenuGlobe };

QImage DrawSmallMenuButton(const char* label, ArtLanguage language, MenuIcon icon,
                           const QColor& lacquer) {
  QImage canvas = CreateCanvas(kSmallMenuWidth, kSmallMenuHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF plate(2, 2, kSmallMenuWidth - 6, kSmallMenuHeight - 6);
  DrawMenuPlate(painter, plate, lacquer);
  QPointF iconCentre(plate.center().x(), 44);
  QRadialGradient medallion(iconCentre, 27);
  medallion.setColorAt(0.0, QColor(0, 0, 0, 40));
  medallion.setColorAt(1.0, QColor(0, 0, 0, 90));
  painter.setPen(QPen(kArt.gold, 1.4));
  painter.setBrush(medallion);
  painter.drawEllipse(iconCentre, 26, 26);
  const double size = 34;
  switch (icon) {
    case MenuBrush: DrawBrushOverGrid(painter, iconCentre, size); break;
    case MenuScroll: DrawOpenScroll(painter, iconCentre, size); break;
    case MenuGear: DrawGear(painter, iconCentre, size * 0.5); break;
    case MenuQuestion: DrawQuestion(painter, iconCentre, size); break;
    case MenuGlobe: DrawGlobe(painter, iconCentre, size); break;
  }
  QRectF labelBox(plate.left(), 74, plate.width(), 28);
  DrawGoldPath(painter, CentredWordsPath(label, language, kSmallLabelPixels, labelBox), 1.6);
  return canvas;
}

// ---- Small buttons ----------------------------------------------------------------------------

// Settings button at (835, 5): covers its click area x 841..929, y 5..44.
const int kSettingsWidth = 95;
const int kSettingsHeight = 41;
// Previous/next level buttons at (25, 565) and (130, 565), over hit rectangles reaching
// x 122 and 229 and y 615.
const int kLevelButtonWidth = 100;
const int kLevelButtonHeight = 51;

QImage DrawSettingsButton(ArtLanguage language) {
  QImage canvas = CreateCanvas(kSettingsWidth, kSettingsHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF plate(1, 1, kSettingsWidth - 4, kSettingsHeight - 4);
  DrawLacquerPlate(painter, plate, 10, QColor(70, 36, 30));
  DrawGear(painter, QPointF(plate.left() + 21, plate.center().y()), 12);
  QRectF words(plate.left() + 36, plate.top(), plate.width() - 40, plate.height());
  DrawGoldPath(painter, CentredWordsPath("设置", language, 19, words), 1.4);
  return canvas;
}

QImage DrawLevelButton(const char* label, ArtLanguage language, bool pointsRight) {
  QImage canvas = CreateCanvas(kLevelButtonWidth, kLevelButtonHeight);
  QPainter painter(&canvas);
  PreparePainter(painter);
  QRectF plate(1, 2, kLevelButtonWidth - 4, kLevelButtonHeight - 6);
  DrawLacquerPlate(painter, plate, 10, kArt.jade);
  double arrowX = pointsRight ? plate.right() - 15 : plate.left() + 15;
  double dir = pointsRight ? 1 : -1;
  QPointF tip(arrowX + dir * 7, plate.center().y());
  painter.setPen(QPen(kArt.ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(kArt.goldLight);
  painter.drawPolygon(QPolygonF({tip, tip + QPointF(-dir * 12, -8), tip + QPointF(-dir * 12, 8)}));
  QRectF words = pointsRight ? plate.adjusted(4, 0, -24, 0) : plate.adjusted(24, 0, -4, 0);
  DrawGoldPath(painter, CentredWordsPath(label, language, 20, words), 1.4);
  return canvas;
}

}  // namespace

// ---- Entry ------------------------------------------------------------------------------------

bool WriteButtonPictures(const std::string& imagesDirectory, ArtLanguage language) {
  const std::string anniu = imagesDirectory + "Anniu/";
  const std::string xianshi = imagesDirectory + "Xianshi/";
  const ArtLanguage l = language;
  return SavePng(DrawPanelButton("提示", l, IconBulb, kArt.jade, true), anniu + "1.png") &&
         SavePng(DrawPanelButton("炸弹", l, IconBomb, kArt.jade, true), anniu + "2.png") &&
         SavePng(DrawPanelButton("洗牌", l, IconShuffle, kArt.jade, true), anniu + "3.png") &&
         SavePng(DrawPanelButton("暂停", l, IconPause, kArt.vermilion, false), anniu + "4.png") &&
         SavePng(DrawPanelButton("主菜单", l, IconHouse, kArt.vermilion, false), anniu + "5.png") &&
         SavePng(DrawPanelButton("继续", l, IconPlay, kArt.vermilion, false), anniu + "6.png") &&
         SavePng(DrawProgressModeButton(l), xianshi + "30.png") &&
         SavePng(DrawFreeModeButton(l), xianshi + "31.png") &&
         SavePng(DrawSmallMenuButton("地图编辑", l, MenuBrush, kArt.jade), xianshi + "32.png") &&
         SavePng(DrawSmallMenuButton("打开地图", l, MenuScroll, kArt.vermilion), xianshi + "33.png") &&
         SavePng(DrawSmallMenuButton("游戏设置", l, MenuGear, kArt.jade), xianshi + "34.png") &&
         SavePng(DrawSmallMenuButton("游戏帮助", l, MenuQuestion, kArt.vermilion), xianshi + "35.png") &&
         SavePng(DrawSmallMenuButton("官方网站", l, MenuGlobe, kArt.jade), xianshi + "36.png") &&
         SavePng(DrawSettingsButton(l), imagesDirectory + "Shezhi.png") &&
         SavePng(DrawLevelButton("上一关", l, false), xianshi + "16.png") &&
         SavePng(DrawLevelButton("下一关", l, true), xianshi + "17.png");
}
