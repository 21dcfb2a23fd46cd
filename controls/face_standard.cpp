// The two fixed-colour faces: the standard light button (Style 0) and the flat button
// (Style 1) that only shows itself when hovered, pressed or checked. Both are built from the
// container's background, gradient bands of horizontal lines and a rounded outline whose
// corners are cut by single pixels and short diagonals.

#include <algorithm>

#include "controls/CandyButton.h"
#include "controls/button_colors.h"
#include "platform/support/numbers.h"

namespace starquill {
namespace {

struct Outline {
  Color corner;    // the single pixels beside each corner
  Color diagonal;  // the short diagonals across the corners
  Color edge;      // the four straight edges
};

// The last pixel column and row of the face.
struct FaceSize {
  int32_t W1, H1;
};

// Draws a gradient band: for each i of first..last, the colour at t = i / D between a and b
// (t may run past 1, continuing the blend) and then line(i, colour). A band with D = 0
// (a button too small for it) is skipped.
template <typename LineAt>
void Band(Color a, Color b, int32_t first, int32_t last, int32_t D, LineAt line) {
  if (D == 0) return;
  for (int32_t i = first; i <= last; ++i) {
    const double t = static_cast<double>(i) / D;
    const auto channel = [t](int ac, int bc) {
      return std::clamp(RoundToInt32(t * bc + ac - t * ac), 0, 255);
    };
    const int32_t red = channel(RedOf(a), RedOf(b));
    const int32_t green = channel(GreenOf(a), GreenOf(b));
    const int32_t blue = channel(BlueOf(a), BlueOf(b));
    line(i, red + 256 * green + 65536 * blue);
  }
}

// A band of full-width rows: row(i) gives the row of step i, and the line runs from x0.
void RowBand(Surface& face, const FaceSize& s, Color a, Color b, int32_t first, int32_t last,
             int32_t D, int32_t x0, int32_t (*row)(int32_t i, int32_t H1)) {
  Band(a, b, first, last, D, [&](int32_t i, Color c) {
    const float y = static_cast<float>(row(i, s.H1));
    face.Line(static_cast<float>(x0), y, static_cast<float>(s.W1), y, c);
  });
}

int32_t RowI(int32_t i, int32_t) {
  return i;
}
int32_t RowBelowTop(int32_t i, int32_t) {
  return i + 1;
}
int32_t RowNearBottom(int32_t i, int32_t H1) {
  return H1 - 4 + i;
}

void DrawOutline(Surface& face, const FaceSize& s, const Outline& o, bool flatCornerOrder) {
  const auto pset = [&](int32_t x, int32_t y, Color c) {
    face.PSet(static_cast<float>(x), static_cast<float>(y), c);
  };
  const auto line = [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2, Color c) {
    face.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
              static_cast<float>(y2), c);
  };
  const int32_t W1 = s.W1, H1 = s.H1;
  if (flatCornerOrder) {
    pset(1, 0, o.corner);
    pset(0, 1, o.corner);
  } else {
    pset(0, 1, o.corner);
    pset(1, 0, o.corner);
  }
  line(0, 2, 2, 0, o.diagonal);
  line(2, 0, W1 - 2, 0, o.edge);
  pset(W1 - 1, 0, o.corner);
  pset(W1, 1, o.corner);
  line(W1 - 2, 0, W1, 2, o.diagonal);
  line(W1, 2, W1, H1 - 2, o.edge);
  pset(W1, H1 - 1, o.corner);
  pset(W1 - 1, H1, o.corner);
  line(W1, H1 - 2, W1 - 2, H1, o.diagonal);
  line(W1 - 2, H1, 2, H1, o.edge);
  pset(1, H1, o.corner);
  pset(0, H1 - 1, o.corner);
  line(2, H1, 0, H1 - 2, o.diagonal);
  line(0, H1 - 2, 0, 2, o.edge);
}

// The three bands of a flat face in its hover and pressed looks.
void FlatBands(Surface& face, const FaceSize& s, Color top, Color upper, Color lower,
               Color bottom) {
  RowBand(face, s, top, upper, 0, 3, 3, 0, RowBelowTop);
  RowBand(face, s, upper, lower, 4, s.H1 - 4, s.H1 - 6, 0, RowI);
  RowBand(face, s, lower, bottom, 0, 3, 3, 0, RowNearBottom);
}

}  // namespace

void CandyButton::DrawFaceStandard(int32_t State) {
  const FaceSize s{RoundToInt32(ScaleWidth()) - 1, RoundToInt32(ScaleHeight()) - 1};
  Surface& face = Picture1;
  // The container's background; a container without one leaves the face as it is.
  if (const auto back = host_.ContainerBackColor()) {
    face.FillBox(0, 0, static_cast<float>(s.W1), static_cast<float>(s.H1), PlainColor(*back));
  }

  if (State != StateDown) {
    RowBand(face, s, RGB(255, 255, 255), RGB(236, 235, 230), 0, s.H1 - 3, s.H1 - 3, 1, RowI);
    RowBand(face, s, RGB(236, 235, 230), RGB(214, 208, 197), 0, 3, 3, 0, RowNearBottom);
  } else {
    RowBand(face, s, RGB(209, 204, 193), RGB(229, 228, 221), 0, 3, 3, 0, RowBelowTop);
    RowBand(face, s, RGB(229, 228, 221), RGB(226, 226, 218), 4, s.H1 - 4, s.H1 - 6, 0, RowI);
    // Five rows: the last one runs on past the end colour, to t = 4/3.
    RowBand(face, s, RGB(226, 226, 218), RGB(242, 241, 238), 0, 4, 3, 0, RowNearBottom);
  }

  if (State == StateHover || State == StateFocus) {
    // Orange rim under the pointer, blue rim with the focus.
    const bool hover = State == StateHover;
    const Color top1 = hover ? RGB(255, 240, 202) : RGB(206, 231, 255);
    const Color top2 = hover ? RGB(253, 216, 137) : RGB(188, 212, 246);
    const Color side = hover ? RGB(248, 178, 48) : RGB(137, 173, 228);
    const Color bottom2 = side;
    const Color bottom1 = hover ? RGB(229, 151, 0) : RGB(105, 130, 238);
    const float W1 = static_cast<float>(s.W1);
    face.Line(0, 1, W1, 1, top1);
    face.Line(0, 2, W1, 2, top2);
    Band(top2, side, 3, s.H1 - 3, s.H1, [&](int32_t i, Color c) {
      const float y = static_cast<float>(i);
      face.Line(0, y, 3, y, c);
      face.Line(W1 - 2, y, W1, y, c);
    });
    face.Line(0, static_cast<float>(s.H1 - 2), W1, static_cast<float>(s.H1 - 2), bottom2);
    face.Line(0, static_cast<float>(s.H1 - 1), W1, static_cast<float>(s.H1 - 1), bottom1);
  }

  DrawOutline(face, s, {RGB(122, 149, 168), RGB(37, 87, 131), RGB(0, 60, 116)}, false);
}

void CandyButton::DrawFaceFlat(int32_t State) {
  const FaceSize s{RoundToInt32(ScaleWidth()) - 1, RoundToInt32(ScaleHeight()) - 1};
  Surface& face = Picture1;
  if (const auto back = host_.ContainerBackColor()) {
    face.FillBox(0, 0, static_cast<float>(s.W1), static_cast<float>(s.H1), PlainColor(*back));
  }

  switch (State) {
    case StateDown:
      FlatBands(face, s, RGB(220, 218, 209), RGB(231, 230, 224), RGB(225, 224, 216),
                RGB(235, 234, 229));
      DrawOutline(face, s, {RGB(215, 215, 204), RGB(179, 179, 168), RGB(157, 157, 146)}, true);
      break;
    case StateHover:
      FlatBands(face, s, RGB(254, 254, 253), RGB(252, 252, 249), RGB(238, 237, 229),
                RGB(215, 210, 198));
      DrawOutline(face, s, {RGB(232, 232, 221), RGB(216, 216, 205), RGB(206, 206, 195)}, true);
      break;
    case StateChecked:
      face.FillBox(1, 1, static_cast<float>(s.W1 - 1), static_cast<float>(s.H1 - 1),
                   RGB(255, 255, 255));
      DrawOutline(face, s, {RGB(203, 213, 214), RGB(152, 175, 190), RGB(122, 152, 175)}, true);
      break;
    default:  // up and focus: only the background, the caption and the picture show
      break;
  }
}

}  // namespace starquill
