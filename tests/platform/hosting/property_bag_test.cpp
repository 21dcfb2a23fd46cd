// The property bag and its text form.

#include "platform/hosting/property_bag.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace starquill {
namespace {

PictureRef MakeBitmap(int w, int h, uint32_t first, int himetricW = 0, int himetricH = 0) {
  auto b = std::make_shared<Bitmap>();
  b->width = w;
  b->height = h;
  b->himetric_width = himetricW;
  b->himetric_height = himetricH;
  for (int i = 0; i < w * h; ++i)
    b->pixels.push_back(first + static_cast<uint32_t>(i));
  return b;
}

TEST(PropertyBagText, ReadsTheDocumentedForm) {
  const PropertyBag bag = PropertyBag::Parse(
      "\xEF\xBB\xBF' a comment\r\n"
      "\n"
      "  caption   =  \"Say \"\"hi\"\"\"  \r\n"
      "Style = 6\n"
      "ColorButtonUp = &H00E99950&\n"
      "checked = false\n"
      "Hand = -1\n"
      "Font = \"Tahoma\" 11.25 BOLD\n"
      "Style = 5");  // a later line replaces an earlier one
  EXPECT_EQ(bag.ReadProperty("Caption", "x"), "Say \"hi\"");
  EXPECT_EQ(bag.ReadProperty("STYLE", int32_t{0}), 5);
  EXPECT_EQ(bag.ReadProperty("ColorButtonUp", int32_t{0}), 0x00E99950);
  EXPECT_FALSE(bag.ReadProperty("Checked", true));
  EXPECT_TRUE(bag.ReadProperty("Hand", false));
  EXPECT_EQ(bag.ReadProperty("Font", FontSpec{}), (FontSpec{"Tahoma", 11.25, true, false}));
  EXPECT_EQ(bag.Names(), (std::vector<std::string>{"caption", "Style", "ColorButtonUp", "checked",
                                                   "Hand", "Font"}));
}

TEST(PropertyBagText, WritesInOrderAndReplacesAnyCase) {
  PropertyBag bag;
  bag.WriteProperty("Caption", std::string("Start"));
  bag.WriteProperty("Style", int32_t{6});
  bag.WriteProperty("Color", int32_t{0x00E99950});
  bag.WriteProperty("System", static_cast<int32_t>(0x8000000Fu));
  bag.WriteProperty("Border", int32_t{-100});
  bag.WriteProperty("STYLE", int32_t{2});  // keeps its place, takes the new spelling
  bag.WriteProperty("Checked", true);
  bag.WriteProperty("Checked", int32_t{5}, int32_t{5});  // equal to the default: dropped
  bag.WriteProperty("bad name", true);                   // the text form could not hold it
  EXPECT_EQ(bag.Text(),
            "Caption = \"Start\"\nSTYLE = 2\nColor = &H00E99950&\nSystem = &H8000000F&\n"
            "Border = -100\n");
  EXPECT_TRUE(bag.Contains("style"));
  EXPECT_FALSE(bag.Contains("Checked"));
}

TEST(PropertyBagText, EveryKindOfValueRoundTrips) {
  const PictureRef inline_picture = MakeBitmap(3, 2, 0xFF102030u, 847, 0);
  const PictureRef named = MakeBitmap(1, 1, 0x80ABCDEFu);
  const std::string awkward = std::string("a\"b\r\n\t#1 \x7F\xC3\xA9") + '\0' + "\"";
  const FontSpec font{"Odd \"Font\"", 1e-3, false, true};

  PropertyBag bag;
  bag.AddPicture("round_trip.icon", named);
  bag.WriteProperty("Awkward", awkward);
  bag.WriteProperty("Font", font);
  bag.WriteProperty("Inline", inline_picture);
  bag.WriteProperty("Named", named);
  bag.WriteProperty("None", PictureRef());
  for (int32_t v : {0, 1, -1, 65535, -65535, 65536, -65536, INT32_MAX, INT32_MIN}) {
    bag.WriteProperty("N", v);
    EXPECT_EQ(PropertyBag::Parse(bag.Text()).ReadProperty("N", int32_t{7}), v);
  }
  bag.WriteProperty("Yes", true);
  bag.WriteProperty("No", false);

  PropertyBag back = PropertyBag::Parse(bag.Text());
  back.AddPicture("Round_Trip.Icon", named);
  EXPECT_EQ(back.Text(), bag.Text());
  EXPECT_EQ(back.ReadProperty("Awkward", "x"), awkward);
  EXPECT_EQ(back.ReadProperty("Font", FontSpec{}), font);
  const PictureRef p = back.ReadProperty("Inline", PictureRef());
  ASSERT_TRUE(p);
  EXPECT_EQ(p->pixels, inline_picture->pixels);
  EXPECT_EQ(p->HimetricWidth(), 847);
  EXPECT_EQ(p->HimetricHeight(), inline_picture->HimetricHeight());
  EXPECT_EQ(back.ReadProperty("Named", PictureRef()), named);  // the very same picture
  EXPECT_NE(bag.Text().find("Named = picture:round_trip.icon\n"), std::string::npos);
  EXPECT_EQ(back.ReadProperty("None", inline_picture), nullptr);
  EXPECT_TRUE(back.ReadProperty("Yes", false));
  EXPECT_FALSE(back.ReadProperty("No", true));
  back.AddPicture("ROUND_TRIP.ICON", nullptr);  // forgotten: the name no longer reads
  EXPECT_EQ(back.ReadProperty("Named", inline_picture), inline_picture);
  // Only the pictures a bag is given: nothing else knows the name.
  EXPECT_EQ(PropertyBag::Parse(bag.Text()).ReadProperty("Named", inline_picture), inline_picture);
}

TEST(PropertyBagMalformed, BadOrWronglyTypedValuesGiveTheDefaultAlone) {
  const PropertyBag bag = PropertyBag::Parse(
      "Style = \"abc\"\n"
      "Good1 = 4\n"
      "Checked = 7\n"
      "no equals sign here\n"
      "= 5\n"
      "1st = 5\n"
      "Caption = \"unterminated\n"
      "Good2 = \"ok\"\n"
      "Number = 12abc\n"
      "Big = 2147483648\n"
      "Small = -2147483649\n"
      "Huge = 99999999999999999999999999\n"
      "Hex9 = &H100000000&\n"
      "HexEmpty = &H&\n"
      "Codes = #256 \"x\"\n"
      "Trailing = \"a\" b\n"
      "Hand = True\n");
  EXPECT_EQ(bag.ReadProperty("Style", int32_t{3}), 3);
  EXPECT_EQ(bag.ReadProperty("Style", "d"), "abc");  // read as what it is
  EXPECT_TRUE(bag.ReadProperty("Checked", true));
  EXPECT_FALSE(bag.ReadProperty("Checked", false));
  EXPECT_EQ(bag.ReadProperty("Caption", "d"), "d");
  EXPECT_EQ(bag.ReadProperty("Hand", int32_t{9}), 9);  // a boolean is no number
  EXPECT_EQ(bag.ReadProperty("Good1", "d"), "d");      // nor a string
  for (const char* name : {"Number", "Big", "Small", "Huge", "Hex9", "HexEmpty"}) {
    EXPECT_EQ(bag.ReadProperty(name, int32_t{-7}), -7) << name;
  }
  EXPECT_EQ(bag.ReadProperty("Codes", "d"), "d");
  EXPECT_EQ(bag.ReadProperty("Trailing", "d"), "d");
  EXPECT_EQ(bag.ReadProperty("Missing", int32_t{1}), 1);
  EXPECT_EQ(bag.ReadProperty("Missing", static_cast<const char*>(nullptr)), "");
  EXPECT_EQ(bag.ReadProperty("Good1", int32_t{0}), 4);
  EXPECT_EQ(bag.ReadProperty("Good2", "d"), "ok");
  EXPECT_TRUE(bag.ReadProperty("Hand", false));
  EXPECT_FALSE(bag.Contains("1st"));
}

TEST(PropertyBagText, NumbersAtTheEdgesOfThirtyTwoBits) {
  const PropertyBag bag =
      PropertyBag::Parse("A = &H8000000F&\nB = &hffffffff\nC = -2147483648\nD = +2147483647\n");
  EXPECT_EQ(bag.ReadProperty("A", int32_t{0}), static_cast<int32_t>(0x8000000Fu));  // negative
  EXPECT_EQ(bag.ReadProperty("B", int32_t{0}), -1);
  EXPECT_TRUE(bag.ReadProperty("B", false));
  EXPECT_EQ(bag.ReadProperty("C", int32_t{0}), INT32_MIN);
  EXPECT_EQ(bag.ReadProperty("D", int32_t{0}), INT32_MAX);
}

TEST(PropertyBagMalformed, BrokenFontsAndPictures) {
  const PictureRef fallback = MakeBitmap(1, 1, 1);
  const FontSpec font_default{"Default", 9, false, false};
  const PropertyBag bag = PropertyBag::Parse(
      "F1 = Tahoma 11\nF2 = \"Tahoma\"\nF3 = \"Tahoma\" -3\nF4 = \"Tahoma\" 1e999\n"
      "F5 = \"Tahoma\" 10 heavy\nF6 = \"Tahoma\" nan\nF7 = \"Tahoma\" 5000\n"
      "F8 = \"Tahoma\" 8 Italic BOLD\n"
      "P1 = picture:unknown\nP2 = bitmap:2x1:FF000000\nP3 = bitmap:1x1:GG000000\n"
      "P4 = bitmap:5000x1:\nP5 = bitmap:99999999999x99999999999:00\nP6 = bitmap:1x1\n"
      "P7 = a picture\nP8 = bitmap:1x1:-1x0:FF000000\nP9 =\nP10 = nothing\n");
  for (const char* name : {"F1", "F2", "F3", "F4", "F5", "F6", "F7"}) {
    EXPECT_EQ(bag.ReadProperty(name, font_default), font_default) << name;
  }
  EXPECT_EQ(bag.ReadProperty("F8", font_default), (FontSpec{"Tahoma", 8, true, true}));
  for (const char* name : {"P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8"}) {
    EXPECT_EQ(bag.ReadProperty(name, fallback), fallback) << name;
  }
  EXPECT_EQ(bag.ReadProperty("P9", fallback), nullptr);  // empty: no picture
  EXPECT_EQ(bag.ReadProperty("P10", fallback), nullptr);
}

TEST(PropertyBagMalformed, PicturesTheFormCannotHoldAreWrittenAsNothing) {
  auto broken = std::make_shared<Bitmap>();
  broken->width = 2;
  broken->height = 2;  // and no pixels
  PropertyBag bag;
  bag.WriteProperty("Broken", PictureRef(broken));
  bag.WriteProperty("Wide", MakeBitmap(4097, 1, 0));
  EXPECT_EQ(bag.Text(), "Broken = Nothing\nWide = Nothing\n");
  const PictureRef spaced = MakeBitmap(1, 1, 0);
  bag.AddPicture("has space", spaced);  // not a name the form can hold: written inline
  bag.WriteProperty("Spaced", spaced);
  EXPECT_EQ(bag.Text(), "Broken = Nothing\nWide = Nothing\nSpaced = bitmap:1x1:00000000\n");
}

}  // namespace
}  // namespace starquill
