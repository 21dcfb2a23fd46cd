// The rounded button faces, painted pixel by pixel into the face surface. The gel faces
// (Styles 2 to 5) have a one-pixel ring, a gloss band under the top edge, a glow towards
// ColorBright at the bottom and darkened ends; the solid face (Style 6) has a dark ring, a
// vertical blend towards ColorBright at the top and bottom and a pale crescent under the top
// edge. Each pixel of the left half is computed once and written to its mirror as well.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "controls/CandyButton.h"
#include "controls/button_colors.h"
#include "controls/round_shape.h"
#include "platform/support/numbers.h"

namespace starquill {

namespace {

constexpr int32_t kWhite = RGB(255, 255, 255);
constexpr int32_t kBlack = RGB(0, 0, 0);

// Sums and products run in 64 bits; a result a 32-bit parameter cannot hold saturates (Fit),
// which only happens for radii and extents far beyond any real button. RoundFit rounds half
// to even and saturates the same way (infinities included).
int32_t RoundFit(double v) {
  if (std::isnan(v)) return 0;
  return RoundToInt32(std::clamp<double>(v, std::numeric_limits<int32_t>::min(),
                                         std::numeric_limits<int32_t>::max()));
}

// Writes one pixel and its mirror on the face; coordinates beyond the integer range lie off
// the surface anyway.
void PlotPair(Surface& face, int64_t left, int64_t right, int64_t y, int32_t colour) {
  const auto fits = [](int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
  };
  if (!fits(y)) return;
  if (fits(left)) face.SetPixelV(static_cast<int>(left), static_cast<int>(y), colour);
  if (fits(right)) face.SetPixelV(static_cast<int>(right), static_cast<int>(y), colour);
}

}  // namespace

void CandyButton::DrawFaceGel(int32_t State) {
  int32_t C = 0;
  if (!FaceColor(State, C)) return;
  const int32_t R = CornerRadius;
  // The hover repaint measures the face surface, the others the control: the same width.
  const double W = State == StateHover ? Picture1.ScaleWidth() : ScaleWidth();
  const double H = ScaleHeight();
  // The gloss rectangle is wider than the button, so only its left corners show.
  const int32_t glossWd = RoundFit(W + 2.0 * R);
  GelParams P{};
  switch (m_Style) {
    case 2:
      P = {0, 50, RoundFit(R / 2.0), 1, R / 2, R, glossWd, 100, 60};
      break;
    case 3:
      P = {0, 70, R / 3, 0, 5, 10, glossWd, 100, std::min(RoundFit(100.0 - 700.0 / H), 80)};
      break;
    case 4:
      P = {0, 70, R / 3 - 1, 0, R / 2, Fit(int64_t{R} - 2), glossWd, 100, 70};
      break;
    case 5: {  // the gloss starts above the button and covers its upper half
      const int32_t glossTop = Fit(-2 - int64_t{R});
      const int32_t glossHt = Fit(2 * int64_t{R} + 1);
      P = {0, 50, RoundFit(R / -2.0), glossTop, R, glossHt, glossWd, 80, 70};
      break;
    }
    default:  // not a gel style
      return;
  }
  PaintGel(0, 0, RoundFit(W - 1), RoundFit(H - 1), C, P);
}

void CandyButton::PaintGel(int32_t X0, int32_t Y0, int32_t Wd, int32_t Ht, int32_t Face,
                           const GelParams& P) {
  const int32_t R = CornerRadius;
  // Translated once: every blend below is of plain colours.
  const int32_t C = PlainColor(Face);
  const int32_t Bright = PlainColor(m_ColorBright);
  // Glow falloff per pixel down and across; a zero extent has no falloff.
  const float KY = Ht != 0 ? static_cast<float>((100.0 - P[8]) / (2.0 * Ht)) : 0.0f;
  const float KX = Wd != 0 ? static_cast<float>((100.0 - P[7]) / Wd) : 0.0f;

  // The ring: lightened towards white or darkened towards black by BorderBrightness.
  int32_t B;
  if (m_BorderBrightness >= 0) {
    // The property itself is passed, and BlendColors writes its clamped percentage back: a
    // value above 100, which only a saved design can bring (the setter clamps), is stored as
    // 100 by this paint.
    B = BlendColors(C, kWhite, m_BorderBrightness);
  } else {
    int32_t darken = Fit(-int64_t{m_BorderBrightness});
    B = BlendColors(C, kBlack, darken);
  }

  const int32_t bodyWd = Fit(int64_t{Wd} - 2);
  const int32_t bodyHt = Fit(int64_t{Ht} - 2);
  int32_t G = 0;  // the gloss colour, taken up by the band's body pixels and kept from row to row
  for (int64_t y = 0; y <= Ht; ++y) {
    // The gloss band fades from white at its top row towards the face colour. A zero radius
    // leaves no body pixel, so its gain is never divided by zero.
    const bool inBand = P[3] < y && y < int64_t{P[3]} + P[5];
    int32_t rowGloss = 0;
    if (inBand) {
      int32_t gloss = Fit(P[0] + (R != 0 ? int64_t{P[1]} * y / R : 0));
      rowGloss = BlendColors(kWhite, C, gloss);
    }
    const double gy = static_cast<double>(KY) * static_cast<double>(y - Y0 - Ht);
    for (int64_t x = 0; x <= Wd / 2; ++x) {
      const auto px = static_cast<int32_t>(x);
      const auto py = static_cast<int32_t>(y);
      if (IsInsideRoundRect(px, py, 1, 1, bodyWd, bodyHt, R)) {
        if (inBand) G = rowGloss;
        int32_t colour;
        if (IsInsideRoundRect(px, py, P[2], P[3], P[6], P[5], P[4])) {
          colour = G;
        } else {
          // The glow: ColorBright at the bottom centre, turning into the face colour with
          // the squared distance.
          const double gx = static_cast<double>(KX) * static_cast<double>(x - X0 - Wd / 2);
          int32_t glow = RoundFit(gx * gx + gy * gy);
          colour = BlendColors(Bright, C, glow);
          // The rounded ends shade towards black, most at the top.
          if (x < R) {
            int32_t shade = Fit((3 * y / 2 + x) * 70 / R);
            colour = BlendColors(kBlack, colour, shade);
          }
        }
        PlotPair(Picture1, X0 + x, int64_t{X0} + Wd - x, Y0 + y, colour);
      } else if (IsInsideRoundRect(px, py, 0, 0, Wd, Ht, R)) {
        PlotPair(Picture1, X0 + x, int64_t{X0} + Wd - x, Y0 + y, B);
      }
    }
  }
}

void CandyButton::DrawFaceSolid(int32_t State) {
  int32_t C = 0;
  if (!FaceColor(State, C)) return;
  PaintSolid(0, 0, RoundFit(ScaleWidth() - 1.0), RoundFit(ScaleHeight() - 1.0), C);
}

void CandyButton::PaintSolid(int32_t X0, int32_t Y0, int32_t Wd, int32_t Ht, int32_t Face) {
  const int32_t R = CornerRadius;
  const int32_t C = PlainColor(Face);
  const int32_t Bright = PlainColor(m_ColorBright);
  // The ring has half the face colour's brightness.
  int32_t half = 50;
  const int32_t D = BlendColors(kBlack, C, half);

  const int32_t bodyWd = Fit(int64_t{Wd} - 2);
  const int32_t bodyHt = Fit(int64_t{Ht} - 2);
  // The crescent is what a rounded band under the top edge keeps of itself when a copy
  // shifted down is taken away.
  const int32_t bandWd = Fit(int64_t{Wd} - R);
  const int32_t bandHt = Fit(2 * int64_t{R} - 1);
  const int32_t bandR = Fit(2 * int64_t{R} / 3);
  int32_t T = 0;  // the crescent colour, kept from row to row
  for (int64_t y = 0; y <= Ht; ++y) {
    // Very pale near the top, nearer the face colour further down.
    if (y < R) {
      int32_t pale = Fit(y * 30 / R);
      T = BlendColors(kWhite, C, pale);
    }
    // How far the row lies from the middle: 0 there, 100 on the top and bottom rows; the body
    // blends towards ColorBright by as much.
    int32_t V = Ht != 0 ? Fit(std::abs((2 * y - Ht) * 100 / Ht)) : 0;
    const int32_t rowBody = BlendColors(C, Bright, V);
    for (int64_t x = 0; x <= Wd / 2; ++x) {
      const auto px = static_cast<int32_t>(x);
      const auto py = static_cast<int32_t>(y);
      if (IsInsideRoundRect(px, py, 1, 1, bodyWd, bodyHt, R)) {
        const bool crescent = IsInsideRoundRect(px, py, 4, 2, bandWd, bandHt, bandR) &&
                              !IsInsideRoundRect(px, py, 4, R / 2, bandWd, bandHt, bandR);
        const int32_t colour = crescent ? T : rowBody;
        PlotPair(Picture1, X0 + x, int64_t{X0} + Wd - x, Y0 + y, colour);
      } else if (IsInsideRoundRect(px, py, 0, 0, Wd, Ht, R)) {
        PlotPair(Picture1, X0 + x, int64_t{X0} + Wd - x, Y0 + y, D);
      }
    }
  }
}

}  // namespace starquill
