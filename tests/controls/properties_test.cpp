// The button's properties: what each setter notifies and repaints, a new instance, and saving
// and loading its design through the property bag's text form.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/CandyButton.h"
#include "controls/button_colors.h"
#include "controls/caption_layout.h"
#include "platform/drawing/text.h"
#include "platform/support/numbers.h"
#include "tests/support/button_fixture.h"
#include "tests/support/fake_host.h"

namespace starquill {
namespace {

using Names = std::vector<std::string>;
constexpr const char* kPaint = "<paint>";
constexpr Color kHoverBlue = RGB(144, 192, 255);
constexpr Color kBodyBlue = RGB(80, 153, 233);
constexpr Color kBrightBlue = RGB(176, 237, 255);

// A button whose host records, among the property changes, every new face it presents.
struct Recorded {
  testing::FakeHost host;
  std::unique_ptr<testing::InspectedButton> button =
      std::make_unique<testing::InspectedButton>(host);
  const Bitmap* shown = nullptr;

  explicit Recorded(bool sized = true, bool userMode = true) {
    host.user_mode = userMode;
    if (sized) button->Window().Move(0, 0, 80, 24);
    shown = button->Window().Picture().get();
    button->Window().Changed = [this] {
      const Bitmap* now = button->Window().Picture().get();
      if (now != shown) host.changes.emplace_back(kPaint);
      shown = now;
    };
  }
  ~Recorded() { button->Window().Changed = nullptr; }
  Names Take() { return std::exchange(host.changes, {}); }
  std::vector<uint32_t> Pixels() const { return button->Window().Picture()->pixels; }
};

Names Repeat(Names pattern, int times) {
  Names out;
  for (int i = 0; i < times; ++i)
    out.insert(out.end(), pattern.begin(), pattern.end());
  return out;
}

TEST(ButtonProperties, ColorSchemePresetSetsTheFourColoursThenItself) {
  Recorded r;
  testing::InspectedButton& b = *r.button;
  b.SetColorScheme(3);
  EXPECT_EQ(r.Take(),
            (Names{"m_ColorButtonUp", kPaint, "m_ColorButtonHover", kPaint, "m_ColorButtonDown",
                   kPaint, "m_ColorBright", kPaint, "m_ColorScheme", kPaint}));
  EXPECT_EQ(b.ColorScheme(), 3);
  EXPECT_EQ(b.ColorButtonDown(), kColorSchemes[3].ButtonDown);
  EXPECT_EQ(b.ColorBright(), kColorSchemes[3].Bright);

  // From a preset, only the first colour setter finds the scheme still set.
  b.SetColorScheme(4);
  EXPECT_EQ(r.Take(),
            (Names{"m_ColorScheme", "m_ColorButtonUp", kPaint, "m_ColorButtonHover", kPaint,
                   "m_ColorButtonDown", kPaint, "m_ColorBright", kPaint, "m_ColorScheme", kPaint}));
  b.SetColorButtonHover(RGB(1, 2, 3));  // a direct colour leaves the preset
  EXPECT_EQ(r.Take(), (Names{"m_ColorScheme", "m_ColorButtonHover", kPaint}));
  EXPECT_EQ(b.ColorScheme(), 0);

  for (int32_t scheme : {0, 9, -1}) {
    b.SetColorScheme(scheme);
    EXPECT_EQ(r.Take(), (Names{"m_ColorScheme", kPaint})) << scheme;
    EXPECT_EQ(b.ColorScheme(), scheme);
    EXPECT_EQ(b.ColorButtonUp(), kColorSchemes[4].ButtonUp);
    EXPECT_EQ(b.ColorButtonHover(), RGB(1, 2, 3));
  }
}

TEST(ButtonProperties, EachSetterNotifiesItsNameAndRepaints) {
  Recorded r;
  testing::InspectedButton& b = *r.button;
  b.SetCaption("Go");
  b.SetCaption("Go");  // unchanged, still notified and repainted
  EXPECT_EQ(r.Take(), Repeat({"Caption", kPaint}, 2));
  b.SetStyle(0);  // unchanged: nothing at all
  b.SetPictureAlignment(0);
  EXPECT_EQ(r.Take(), Names{});
  b.SetStyle(6);
  b.SetPictureAlignment(2);
  b.SetForeColor(static_cast<int32_t>(0x80000012u));
  b.SetBorderBrightness(150);
  EXPECT_EQ(r.Take(), (Names{"Style", kPaint, "PictureAlignment", kPaint, "ForeColor", kPaint,
                             "m_BorderBrightness", kPaint}));
  EXPECT_EQ(b.Picture1.ForeColor(), r.host.SystemColor(18));
  EXPECT_EQ(b.ForeColor(), static_cast<int32_t>(0x80000012u));
  EXPECT_EQ(b.BorderBrightness(), 100);
  b.SetBorderBrightness(-300);
  EXPECT_EQ(b.BorderBrightness(), -100);
}

TEST(ButtonProperties, CheckedPaintsBeforeNotifying) {
  Recorded r;
  testing::InspectedButton& b = *r.button;
  b.SetStyle(6);  // the solid face shows the pressed colour when checked
  b.SetColorButtonUp(RGB(0, 0, 200));
  b.SetColorButtonDown(RGB(200, 0, 0));
  r.Take();
  const std::vector<uint32_t> up = r.Pixels();
  b.SetChecked(true);
  EXPECT_EQ(r.Take(), (Names{kPaint, "Checked"}));
  EXPECT_NE(r.Pixels(), up);
  b.SetChecked(false);
  EXPECT_EQ(r.Take(), (Names{kPaint, "Checked"}));
  EXPECT_EQ(r.Pixels(), up);
}

TEST(ButtonProperties, DisplayHandWaitsForTheNextLoad) {
  Recorded r(true, false);
  testing::InspectedButton& b = *r.button;
  PropertyBag bag;
  b.WriteProperties(bag);
  b.ReadProperties(bag);
  r.Take();
  EXPECT_EQ(b.Window().MousePointer(), kPointerArrow);
  b.SetDisplayHand(true);
  EXPECT_EQ(r.Take(), Names{});
  EXPECT_EQ(b.Window().MousePointer(), kPointerArrow);
  b.WriteProperties(bag);
  b.ReadProperties(bag);
  EXPECT_EQ(b.Window().MousePointer(), kPointerCustom);
}

TEST(ButtonPersistence, InitPropertiesSetsBlueColoursOnlyInDesignMode) {
  for (bool user_mode : {false, true}) {
    Recorded r(false, user_mode);
    testing::InspectedButton& b = *r.button;
    b.InitProperties();
    EXPECT_EQ(r.Take(), Names{});
    EXPECT_EQ(b.Caption(), "startCMD");
    EXPECT_EQ(b.ColorButtonUp(), user_mode ? 0 : kBodyBlue);
    EXPECT_EQ(b.ColorButtonDown(), user_mode ? 0 : kBodyBlue);
    EXPECT_EQ(b.ColorButtonHover(), user_mode ? 0 : kHoverBlue);
    EXPECT_EQ(b.ColorBright(), user_mode ? 0 : kBrightBlue);
    EXPECT_EQ(b.Window().Picture(), nullptr);
  }
}

TEST(ButtonPersistence, DefaultsAreOmittedAndTheRestAlwaysWritten) {
  Recorded r(true, false);
  testing::InspectedButton& b = *r.button;
  b.InitProperties();
  PropertyBag bag;
  bag.WriteProperty("Style", int32_t{4});  // a stale entry goes when the value is the default
  b.WriteProperties(bag);
  EXPECT_EQ(bag.Names(),
            (Names{"Caption", "Checked", "ColorButtonHover", "ColorButtonUp", "ColorButtonDown",
                   "BorderBrightness", "ColorBright", "DisplayHand", "ColorScheme"}));
  b.SetCaption(CandyButton::kSurfaceName);
  b.SetFont(FontSpec{"Tahoma", 8, false, false});
  PropertyBag again;
  b.WriteProperties(again);
  EXPECT_EQ(again.Names().front(), "Font");
  EXPECT_FALSE(again.Contains("Caption"));
}

TEST(ButtonPersistence, EveryPropertySurvivesTheTextForm) {
  auto icon = std::make_shared<Bitmap>();
  icon->width = icon->height = 2;
  icon->pixels = {0xFF0000FFu, 0x00000000u, 0x80FFFFFFu, 0xFF00FF00u};
  Recorded source(true, false);
  testing::InspectedButton& s = *source.button;
  s.InitProperties();
  s.SetFont(FontSpec{"Tahoma", 11.25, true, false});
  s.SetCaption("Start \"now\"");
  s.SetForeColor(static_cast<int32_t>(0x80000012u));
  s.SetPicture(icon);
  s.SetPictureAlignment(7);
  s.SetStyle(6);
  s.SetChecked(true);
  s.SetColorScheme(2);
  s.SetColorBright(RGB(9, 8, 7));
  s.SetBorderBrightness(-40);
  s.SetDisplayHand(true);
  PropertyBag bag;
  s.WriteProperties(bag);
  bag.WriteProperty("ColorScheme", int32_t{5});  // a saved preset is not expanded on loading
  const std::string text = bag.Text();
  EXPECT_EQ(bag.Names().size(), 14u);

  Recorded target(false, true);
  testing::InspectedButton& t = *target.button;
  t.ReadProperties(PropertyBag::Parse(text));
  EXPECT_EQ(target.Take(), Names{});
  EXPECT_EQ(t.Window().Picture(), nullptr);  // reading does not paint
  // Every field came back: writing again gives the same text (it holds all 14 values).
  PropertyBag back;
  t.WriteProperties(back);
  EXPECT_EQ(back.Text(), text);
  EXPECT_EQ(t.ColorScheme(), 5);
  EXPECT_EQ(t.ColorButtonUp(), kColorSchemes[2].ButtonUp);
  EXPECT_EQ(t.Window().ForeColor(), target.host.SystemColor(18));
  EXPECT_EQ(t.Picture1.ForeColor(), target.host.SystemColor(18));
  EXPECT_EQ(t.Window().MousePointer(), kPointerCustom);
  // Running: hover tracking is set up, and the window is hooked.
  EXPECT_TRUE(t.m_TrackAvailable);
  EXPECT_NE(t.Window().Procedure().Replaced(), nullptr);
}

TEST(ButtonPersistence, MissingOrBrokenEntriesLoadTheirDefaults) {
  Recorded r(false, false);
  testing::InspectedButton& b = *r.button;
  b.SetChecked(true);  // "Checked" defaults to the current value
  r.Take();
  b.ReadProperties(PropertyBag::Parse(
      "Font = \"Tahoma\" huge\nCaption = Start\nStyle = \"6\"\nColorButtonUp = &H1FFFFFFFF&\n"
      "BorderBrightness = 150\nDisplayHand = 2\nColorScheme = 3\nPictureAlignment = 2\n"
      "Picture = bitmap:2x2:FF\n"));
  EXPECT_EQ(r.Take(), Names{});  // neither notified nor painted
  EXPECT_EQ(b.Font(), r.host.ambient_font);
  EXPECT_EQ(b.Caption(), CandyButton::kSurfaceName);
  EXPECT_EQ(b.Style(), 0);
  EXPECT_EQ(b.ForeColor(), 0);
  EXPECT_EQ(b.Picture(), nullptr);
  EXPECT_TRUE(b.Checked());
  EXPECT_EQ(b.ColorButtonUp(), kBodyBlue);
  EXPECT_EQ(b.ColorButtonDown(), kBodyBlue);
  EXPECT_EQ(b.ColorButtonHover(), kHoverBlue);
  EXPECT_EQ(b.ColorBright(), kBrightBlue);
  EXPECT_EQ(b.BorderBrightness(), 150);  // stored as saved, not clamped
  EXPECT_EQ(b.ColorScheme(), 3);
  EXPECT_EQ(b.PictureAlignment(), 2);
  EXPECT_FALSE(b.DisplayHand());
  EXPECT_EQ(b.Window().MousePointer(), kPointerArrow);
  EXPECT_FALSE(b.m_TrackAvailable);  // designing: no hover tracking
}

// A stored design is data: the largest font a design holds with a caption of a million
// characters loads, lays out and paints like any other, at 1x and on a dense screen. The
// caption measures at the cap and lies far right of the face, so the face shows none of it.
TEST(ButtonPersistence, AHugeFontAndAMillionCharacterCaptionLoadAndPaint) {
  const std::string caption(1'000'000, 'W');  // wider than 2^31 pixels at this size
  const std::string font = "Font = \"Tahoma\" 4096 bold\nStyle = 6\n";
  for (double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    Recorded huge, empty;
    for (Recorded* r : {&huge, &empty}) {
      r->button->Window().SetDeviceScale(scale);
      r->button->ReadProperties(PropertyBag::Parse(
          font + "Caption = \"" + (r == &huge ? caption : std::string()) + "\"\n"));
    }
    testing::InspectedButton& b = *huge.button;
    EXPECT_EQ(b.Caption(), caption);
    EXPECT_EQ(b.Font(), (FontSpec{"Tahoma", 4096, true, false}));

    const float width = b.Picture1.TextWidth(caption);
    EXPECT_EQ(width, static_cast<float>(kMaxTextExtent));
    const int32_t height = RoundToInt32(b.Picture1.TextHeight(caption));
    EXPECT_GT(height, 24);
    for (int32_t alignment : {0, 1, 2, 3}) {
      const auto at = PlaceIconAndCaption(alignment, 80, 24, 0, 0, RoundToInt32(width), height, 8);
      EXPECT_EQ(at.CX, kMaxTextExtent / 2 - 40) << alignment;
      EXPECT_GE(at.CY, 0) << alignment;
      EXPECT_LT(at.CY, height) << alignment;
    }
    for (int32_t state : {StateUp, StateHover, StateDown}) {
      for (Recorded* r : {&huge, &empty}) {
        int32_t asked = state;
        r->button->Redraw(asked);
      }
      EXPECT_EQ(huge.Pixels(), empty.Pixels()) << state;
    }
  }
}

}  // namespace
}  // namespace starquill
