// The large texts of a frame get their pictures; overlapping ones share one.
//
// Qt rasterises large glyphs anew at every drawing. A title with its shadow copies blends the
// same pixels once per copy as well. Blending the copies into
// one transparent picture first, in their order, and that picture over the frame, touches each
// pixel once. The merged pictures of the runs drawn last are kept, and the copies' own pictures
// are made only to build one, so a page at rest neither draws nor keeps them.
#include <algorithm>
#include <functional>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/picture_internal.h"
#include "platform/recent_pictures.h"

namespace {

constexpr size_t KeptRuns = 16;

// A run by its texts, placed from the top left of the first one.
using RunKey = std::vector<TextPart>;

struct RunOrder {
  static bool Before(const TextPart& a, const TextPart& b) {
    return std::make_tuple(a.font, a.colour, std::cref(a.text), a.at.x(), a.at.y()) <
           std::make_tuple(b.font, b.colour, std::cref(b.text), b.at.x(), b.at.y());
  }
  bool operator()(const RunKey& a, const RunKey& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), Before);
  }
};

// Each run blended into one picture.
RecentPictures<RunKey, RunOrder> gMerged(KeptRuns, std::numeric_limits<qsizetype>::max());

// The run's picture, covering `area`: each text's picture blended in, in order.
QImage MergedPicture(const std::vector<TextPart>& texts, const QRect& area) {
  RunKey key = texts;
  for (TextPart& part : key) part.at -= texts.front().at;
  if (const QImage* kept = gMerged.Find(key)) return *kept;
  QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    for (const TextPart& part : texts) {
      const QRect at = TextPictureArea(part.font, part.text).translated(part.at - area.topLeft());
      painter.drawImage(at.topLeft(), DrawTextPicture(part.font, part.text, part.colour));
    }
  }
  return gMerged.Add(std::move(key), std::move(picture));
}

bool IsLargeText(const DrawCommand& command) {
  return !command.texts.empty() && IsTextKeptAsPicture(command.texts.front().font);
}

// Each next large text overlaps what the run covers so far.
bool Joins(const DrawCommand& command, const QRect& run) {
  return IsLargeText(command) && command.area.intersects(run);
}

}  // namespace

void ResolveTexts(std::vector<DrawCommand>& frame) {
  // Most frames hold few texts or none: commands move only behind a merged run.
  size_t kept = 0;
  for (size_t i = 0; i < frame.size();) {
    if (!IsLargeText(frame[i])) {
      if (kept != i) frame[kept] = std::move(frame[i]);
      ++kept;
      ++i;
      continue;
    }
    DrawCommand run = std::move(frame[i++]);
    bool merged = false;
    while (i < frame.size() && Joins(frame[i], run.area)) {
      run.area |= frame[i].area;
      run.texts.insert(run.texts.end(), frame[i].texts.begin(), frame[i].texts.end());
      ++i;
      merged = true;
    }
    if (merged || run.picture.isNull()) {
      const TextPart& only = run.texts.front();
      run.picture = run.texts.size() > 1 ? MergedPicture(run.texts, run.area)
                                         : TextPictureOf(only.font, only.text, only.colour);
      run.pictureKey = run.picture.cacheKey();
    }
    run.bounds = run.area;
    frame[kept++] = std::move(run);
  }
  frame.resize(kept);
}

void ForgetMergedTexts() { gMerged.Clear(); }
