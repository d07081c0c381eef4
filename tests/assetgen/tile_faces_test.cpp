// The tile faces: the black key only outside the tile, a bluer highlighted row, distinct
// faces, countable small dots, and a BMP encoding that decodes to the same pixels.
// Sections: helpers; key colour; highlight; distinctness; small dots; BMP encoding.
#include <gtest/gtest.h>

#include <QImage>
#include <set>
#include <vector>

#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/tile_faces.h"

namespace {

// ---- Helpers ----------------------------------------------------------------------------------

bool IsKey(QRgb pixel) { return (pixel & RGB_MASK) == 0; }

// Marks every key pixel reachable from the picture's border through key pixels.
std::vector<bool> OutsideKey(const QImage& face) {
  const int w = face.width(), h = face.height();
  std::vector<bool> outside(static_cast<size_t>(w * h), false);
  std::vector<QPoint> stack;
  for (int x = 0; x < w; ++x) stack.insert(stack.end(), {QPoint(x, 0), QPoint(x, h - 1)});
  for (int y = 0; y < h; ++y) stack.insert(stack.end(), {QPoint(0, y), QPoint(w - 1, y)});
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h) continue;
    const size_t i = static_cast<size_t>(p.y() * w + p.x());
    if (outside[i] || !IsKey(face.pixel(p))) continue;
    outside[i] = true;
    stack.insert(stack.end(), {QPoint(p.x() + 1, p.y()), QPoint(p.x() - 1, p.y()),
                               QPoint(p.x(), p.y() + 1), QPoint(p.x(), p.y() - 1)});
  }
  return outside;
}

// Blue share of the tile's pixels (key excluded).
double BlueShare(const QImage& face) {
  double blue = 0, all = 0;
  for (int y = 0; y < face.height(); ++y) {
    for (int x = 0; x < face.width(); ++x) {
      const QRgb p = face.pixel(x, y);
      if (IsKey(p)) continue;
      blue += qBlue(p);
      all += qRed(p) + qGreen(p) + qBlue(p);
    }
  }
  return blue / all;
}

long Difference(const QImage& a, const QImage& b) {
  long sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum;
}

QImage NormalFace(const QImage& sheet, int face) {
  return sheet.copy(FaceWidth * (face - 1), 0, FaceWidth, FaceHeight);
}
QImage HighlightedFace(const QImage& sheet, int face) {
  return sheet.copy(FaceWidth * (face - 1), FaceHeight, FaceWidth, FaceHeight);
}
QImage SmallFace(const QImage& sheet, int face) {
  return sheet.copy(SmallFaceWidth * (face - 1), 0, SmallFaceWidth, SmallFaceHeight);
}

class TileFaces : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    sheet_ = BuildFaceSheet();
    small_ = BuildSmallFaceSheet();
  }
  static QImage sheet_;
  static QImage small_;
};
QImage TileFaces::sheet_;
QImage TileFaces::small_;

// ---- Key colour -------------------------------------------------------------------------------

TEST_F(TileFaces, BlackOnlyOutsideTheTile) {
  for (int row = 0; row < 3; ++row) {
    for (int face = 1; face <= FaceCount; ++face) {
      const QImage picture = row == 0   ? NormalFace(sheet_, face)
                             : row == 1 ? HighlightedFace(sheet_, face)
                                        : SmallFace(small_, face);
      const std::vector<bool> outside = OutsideKey(picture);
      int holes = 0;
      for (int i = 0; i < picture.width() * picture.height(); ++i)
        holes += IsKey(picture.pixel(i % picture.width(), i / picture.width())) && !outside[i];
      EXPECT_EQ(holes, 0) << "face " << face << (row == 2 ? " small" : row == 1 ? " lit" : "");
    }
  }
}

TEST_F(TileFaces, TileFillsItsCellAndLeavesTheCornersTransparent) {
  // The front covers the 42 x 54 cell pitch but for its rounded corners, so neighbouring tiles
  // close up without gaps; the thickness leaves the top-right and bottom-left corners to the key.
  constexpr int Corner = 5;
  for (int face = 1; face <= FaceCount; ++face) {
    const QImage picture = NormalFace(sheet_, face);
    for (int y = 1; y < 53; ++y)
      for (int x = 1; x < 41; ++x)
        if ((x >= Corner && x < 42 - Corner) || (y >= Corner && y < 54 - Corner)) {
          ASSERT_FALSE(IsKey(picture.pixel(x, y))) << "face " << face << " at " << x << "," << y;
        }
    EXPECT_TRUE(IsKey(picture.pixel(FaceWidth - 1, 0))) << face;
    EXPECT_TRUE(IsKey(picture.pixel(0, FaceHeight - 1))) << face;
    EXPECT_FALSE(IsKey(picture.pixel(FaceWidth - 3, FaceHeight - 3))) << "thickness " << face;
  }
}

// ---- Highlight --------------------------------------------------------------------------------

TEST_F(TileFaces, HighlightedRowIsTheSameShapeButBluer) {
  for (int face = 1; face <= FaceCount; ++face) {
    const QImage normal = NormalFace(sheet_, face);
    const QImage lit = HighlightedFace(sheet_, face);
    for (int y = 0; y < FaceHeight; ++y)
      for (int x = 0; x < FaceWidth; ++x)
        ASSERT_EQ(IsKey(normal.pixel(x, y)), IsKey(lit.pixel(x, y))) << face;
    EXPECT_GT(BlueShare(lit), BlueShare(normal) + 0.08) << face;
    // The ivory of the front turns clearly blue.
    const QRgb centre = lit.pixel(3, 27);
    EXPECT_GT(qBlue(centre), qRed(centre) + 40) << face;
  }
}

// ---- Distinctness -----------------------------------------------------------------------------

TEST_F(TileFaces, FacesArePairwiseDistinct) {
  // Far more than a few stray pixels apart: a face must be told apart at a glance.
  constexpr long MinimumDifference = 20000;
  for (int a = 1; a <= FaceCount; ++a) {
    for (int b = a + 1; b <= FaceCount; ++b) {
      EXPECT_GT(Difference(NormalFace(sheet_, a), NormalFace(sheet_, b)), MinimumDifference)
          << a << " vs " << b;
      EXPECT_NE(SmallFace(small_, a), SmallFace(small_, b)) << a << " vs " << b;
    }
  }
}

// ---- Small dots -------------------------------------------------------------------------------

// Counts blobs of strongly coloured pixels on the front of a small face.
int CountColouredBlobs(const QImage& face) {
  constexpr int Saturation = 70;
  const QRect front(1, 1, 16, 21);
  auto coloured = [&](int x, int y) {
    const QRgb p = face.pixel(x, y);
    return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)}) >
           Saturation;
  };
  std::set<std::pair<int, int>> seen;
  int blobs = 0;
  for (int y = front.top(); y <= front.bottom(); ++y) {
    for (int x = front.left(); x <= front.right(); ++x) {
      if (!coloured(x, y) || seen.count({x, y})) continue;
      ++blobs;
      std::vector<QPoint> stack = {QPoint(x, y)};
      while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        if (!front.contains(p) || seen.count({p.x(), p.y()}) || !coloured(p.x(), p.y())) continue;
        seen.insert({p.x(), p.y()});
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) stack.push_back(p + QPoint(dx, dy));
      }
    }
  }
  return blobs;
}

TEST_F(TileFaces, SmallDotsCanBeCounted) {
  for (int dots = 1; dots <= 9; ++dots) {
    EXPECT_EQ(CountColouredBlobs(SmallFace(small_, dots)), dots) << "small dots " << dots;
  }
}

// ---- BMP encoding -----------------------------------------------------------------------------

TEST(BmpWriter, TwentyFourBitFileDecodesToTheSamePixels) {
  // Widths whose rows need 0, 1, 2 and 3 bytes of padding.
  for (int width : {4, 5, 6, 7}) {
    QImage image(width, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(40 * x + 1, 70 * y + 2, x * y + 3));
    const QByteArray bytes = EncodeBmp24(image);
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + rowBytes * 3) << width;
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24) << "bits per pixel";
    const QImage decoded = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(decoded, image) << width;
  }
}

}  // namespace
