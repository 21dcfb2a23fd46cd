#include "platform/qt/scale_variables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace starquill {
namespace {

TEST(ScaleVariables, AScaleIsAFiniteNumberFromATenthToTen) {
  for (const char* good : {"1", "1.5", " 2 ", "+3", "0.1", "10", "1e-1", ".5", "2\n"})
    EXPECT_TRUE(IsSensibleScale(good)) << good;
  for (const char* bad : {"0", "-1", "0.001", "0.0999", "10.001", "1e9", "nan", "inf", "-inf",
                          "abc", "1.5x", "1,5", "0x2", "", " ", "++2", "2 3"})
    EXPECT_FALSE(IsSensibleScale(bad)) << bad;
}

TEST(ScaleVariables, EveryEntryOfAScreenListMustBeAScale) {
  EXPECT_TRUE(AreSensibleScreenScales("2"));
  EXPECT_TRUE(AreSensibleScreenScales("1;2;1.5"));
  EXPECT_TRUE(AreSensibleScreenScales("eDP-1=2;HDMI-1=1"));
  EXPECT_TRUE(AreSensibleScreenScales("2;;1;"));
  EXPECT_FALSE(AreSensibleScreenScales("1;0"));
  EXPECT_FALSE(AreSensibleScreenScales("eDP-1=2;HDMI-1=nan"));
  EXPECT_FALSE(AreSensibleScreenScales("HDMI-1="));
  EXPECT_FALSE(AreSensibleScreenScales("HDMI-1"));
}

// What the program prints and keeps, for one setting of the two variables.
std::string Dropped(const char* factor, const char* screens) {
  const auto set = [](const char* name, const char* value) {
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  };
  set("QT_SCALE_FACTOR", factor);
  set("QT_SCREEN_SCALE_FACTORS", screens);
  std::FILE* out = std::tmpfile();
  DropSenselessScaleVariables(out);
  std::rewind(out);
  std::string printed;
  for (int c; (c = std::fgetc(out)) != EOF;)
    printed += static_cast<char>(c);
  std::fclose(out);
  const auto kept = [](const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(name) + "=" + value + "\n" : std::string();
  };
  printed += kept("QT_SCALE_FACTOR") + kept("QT_SCREEN_SCALE_FACTORS");
  unsetenv("QT_SCALE_FACTOR");
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  return printed;
}

TEST(ScaleVariables, SenselessValuesAreDroppedWithOneLineEach) {
  EXPECT_EQ(Dropped("1.5", "2;1"), "QT_SCALE_FACTOR=1.5\nQT_SCREEN_SCALE_FACTORS=2;1\n");
  EXPECT_EQ(Dropped("", nullptr), "QT_SCALE_FACTOR=\n");
  EXPECT_EQ(Dropped("0", "HDMI-1=1;eDP-1=inf"),
            "starquill: ignoring QT_SCALE_FACTOR=0: a scale must be a number from 0.1 to 10\n"
            "starquill: ignoring QT_SCREEN_SCALE_FACTORS=HDMI-1=1;eDP-1=inf: a scale must be a "
            "number from 0.1 to 10\n");
  // The line stays one line of sensible length whatever the value holds.
  const std::string line = Dropped(("x\ny" + std::string(500, 'z')).c_str(), nullptr);
  EXPECT_EQ(line.find('\n'), line.size() - 1);
  EXPECT_LT(line.size(), 160u);
}

}  // namespace
}  // namespace starquill
