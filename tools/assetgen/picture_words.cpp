// The words on the pictures and the lettering that fits them to their boxes.
//
// Sections: the words; fitting; the lettering log.
#include "tools/assetgen/picture_words.h"

#include <QFontMetricsF>
#include <QTransform>

#include <algorithm>
#include <string_view>

#include "tools/assetgen/interface_art_kit.h"

namespace {

// ---- The words --------------------------------------------------------------------------------

// One original text of the pictures and its translations.
struct PictureWordsEntry {
  const char* original;  // UTF-8, as the original picture shows it
  const char* english;   // may be empty: the picture then shows nothing there
};

// Short captions that agree with the English of the texts drawn beside them (the help page names
// the two modes); Latin capitals need more room than the Chinese, so the shortest natural word
// wins where the box is small.
const PictureWordsEntry kPictureWords[] = {
    // Panel buttons (Anniu 1..6); 暂停 is also the badge shown while paused.
    {"提示", "Hint"},
    {"炸弹", "Bomb"},
    {"洗牌", "Shuffle"},
    {"暂停", "Pause"},
    {"主菜单", "Menu"},
    {"继续", "Resume"},
    // Main-menu buttons (Xianshi 30..36) and the settings button.
    {"闯关模式", "Progress Mode"},
    {"自由模式", "Free Mode"},
    {"地图编辑", "Map Editor"},
    {"打开地图", "Open Map"},
    {"游戏设置", "Settings"},
    {"游戏帮助", "Help"},
    {"官方网站", "Website"},
    {"设置", "Settings"},
    // Free mode's level buttons (Xianshi 16, 17).
    {"上一关", "Previous"},
    {"下一关", "Next"},
    // Panel captions (Xianshi 10..13, 18, 19). English puts the whole of 闯关进度：第 N 关
    // ("progress through the levels: level N") before the number, so the word after it is left
    // empty.
    {"得分", "Score"},
    {"游戏时间", "Play Time"},
    {"牌数", "Tiles"},
    {"剩余", "Left"},
    {"闯关进度：第", "Progress: Level"},
    {"关", ""},
    // Title banners, the intro lettering and the credit.
    {"Vorle麻将连连看", "Vorle Mahjong Connect"},
    {"地图编辑器", "Map Editor"},
    {"工 作 室  STUDIO", "S T U D I O"},
    {"制作：Vorle 工作室", "Made by Vorle Studio"},
    {"版本 1.0", "Version 1.0"},
    // The editor's type picture.
    {"类型", "Type"},
};

// ---- Fitting ----------------------------------------------------------------------------------

constexpr double CapitalShare = 0.8;   // Latin capitals' height over the Chinese pixel size
constexpr double LeastCondensing = 0.82;  // narrower than this the face loses its shape
constexpr double FitMargin = 2;        // kept free inside the box on every side, for the outline
constexpr int ReferencePixels = 100;   // the face is measured large and scaled down

struct FittedPath {
  QPainterPath path;  // at the origin's scale, not yet placed
  double sizeShare;
};

// The text in capitals of the Latin face, sized and narrowed to fit width x height.
FittedPath FitLatin(const QString& text, int pixelSize, double width, double height) {
  const QFont font = DigitFont(ReferencePixels);
  QPainterPath capital;
  capital.addText(0, 0, font, "H");
  const double scale = CapitalShare * pixelSize / capital.boundingRect().height();
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF natural = QTransform::fromScale(scale, scale).map(path).boundingRect();
  double condense = 1, shrink = 1;
  if (natural.width() > width) condense = std::max(LeastCondensing, width / natural.width());
  if (natural.width() * condense > width) shrink = width / (natural.width() * condense);
  if (natural.height() * shrink > height) shrink = height / natural.height();
  path = QTransform::fromScale(scale * condense * shrink, scale * shrink).map(path);
  return {path, condense * shrink};
}

// ---- The lettering log ------------------------------------------------------------------------

struct LetteringLog {
  bool on = false;
  std::vector<LetteringRecord> records;
};
LetteringLog gLetteringLog;

}  // namespace

QString PictureWords(const char* original, ArtLanguage language) {
  if (language == ArtEnglish) {
    for (const PictureWordsEntry& entry : kPictureWords)
      if (std::string_view(entry.original) == original) return QString::fromUtf8(entry.english);
  }
  return QString::fromUtf8(original);
}

QPainterPath CentredWordsPath(const char* original, ArtLanguage language, int pixelSize,
                              const QRectF& box) {
  if (language == ArtOriginal) {
    const QString text = QString::fromUtf8(original);
    QPainterPath path = CentredTextPath(text, ChineseFont(pixelSize), box);
    NoteLettering(language, text, box, path.boundingRect(), 1.0);
    return path;
  }
  const QString text = PictureWords(original, language).toUpper();
  FittedPath fitted = FitLatin(text, pixelSize, box.width() - 2 * FitMargin,
                               box.height() - 2 * FitMargin);
  fitted.path.translate(box.center() - fitted.path.boundingRect().center());
  NoteLettering(language, text, box, fitted.path.boundingRect(), fitted.sizeShare);
  return fitted.path;
}

QPainterPath LeftWordsPath(const char* original, ArtLanguage language, int pixelSize,
                           const QRectF& box, double inset) {
  if (language == ArtOriginal) {
    const QString text = QString::fromUtf8(original);
    QPainterPath path = CentredTextPath(text, ChineseFont(pixelSize), box);
    path.translate(box.left() + inset - path.boundingRect().left(), 0);
    NoteLettering(language, text, box, path.boundingRect(), 1.0);
    return path;
  }
  const QString text = PictureWords(original, language).toUpper();
  FittedPath fitted = FitLatin(text, pixelSize, box.width() - inset - FitMargin,
                               box.height() - 2 * FitMargin);
  const QRectF bounds = fitted.path.boundingRect();
  fitted.path.translate(box.left() + inset - bounds.left(), box.center().y() - bounds.center().y());
  NoteLettering(language, text, box, fitted.path.boundingRect(), fitted.sizeShare);
  return fitted.path;
}

QFont FontFittingWidth(QFont font, const QString& text, double width) {
  while (font.pixelSize() > 1 && QFontMetricsF(font).horizontalAdvance(text) > width)
    font.setPixelSize(font.pixelSize() - 1);
  return font;
}

QRectF TextInkInBox(const QFont& font, const QRectF& box, int flags, const QString& text) {
  const QFontMetricsF metrics(font);
  double x = box.left();
  if (flags & Qt::AlignHCenter) x += (box.width() - metrics.horizontalAdvance(text)) / 2;
  else if (flags & Qt::AlignRight) x += box.width() - metrics.horizontalAdvance(text);
  double baseline = box.top() + metrics.ascent();
  if (flags & Qt::AlignVCenter) baseline += (box.height() - metrics.height()) / 2;
  else if (flags & Qt::AlignBottom) baseline += box.height() - metrics.height();
  return metrics.tightBoundingRect(text).translated(x, baseline);
}

void StartLetteringLog() {
  gLetteringLog.records.clear();
  gLetteringLog.on = true;
}

std::vector<LetteringRecord> StopLetteringLog() {
  gLetteringLog.on = false;
  return std::move(gLetteringLog.records);
}

void NoteLettering(ArtLanguage language, const QString& text, const QRectF& box,
                   const QRectF& bounds, double sizeShare) {
  if (!gLetteringLog.on) return;
  gLetteringLog.records.push_back({"", language, text, box, bounds, sizeShare});
}

void NameLetterings(const std::string& file) {
  for (auto record = gLetteringLog.records.rbegin();
       record != gLetteringLog.records.rend() && record->file.empty(); ++record)
    record->file = file;
}
