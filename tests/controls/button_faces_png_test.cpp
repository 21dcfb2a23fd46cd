// Writes every style of the button in every state to PNG files under the build folder, one
// file each and one sheet with all of them (styles down, states across), so that the faces
// can be looked at as a user sees them.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>

#include "platform/qt/qt_image.h"
#include "tests/support/button_fixture.h"

namespace starquill {
namespace {

using testing::ButtonUnderTest;

TEST(ButtonFacesPng, EveryStyleInEveryStateIsWritten) {
  const QString folder = QStringLiteral(STARQUILL_FACES_DIR);
  ASSERT_TRUE(QDir().mkpath(folder));
  constexpr int kWidth = 145, kHeight = 33, kGap = 8, kZoom = 2;
  const char* const states[] = {"up", "down", "focus", "hover", "checked"};
  QImage sheet((5 * (kWidth + kGap) + kGap) * kZoom, (7 * (kHeight + kGap) + kGap) * kZoom,
               QImage::Format_RGB32);
  sheet.fill(QColor(236, 233, 216));
  QPainter painter(&sheet);
  for (int32_t style = 0; style <= 6; ++style) {
    for (int32_t state = 0; state <= 4; ++state) {
      ButtonUnderTest b(kWidth, kHeight, style);
      b.button->SetFont({"Tahoma", 11.25, true, false});
      b.button->SetCaption("Start");
      b.button->SetChecked(state == StateChecked);
      b.Paint(state);
      QImage face = ToQImage(*b.button->Window().Picture()).convertToFormat(QImage::Format_RGB32);
      // Outside the window's region the container shows, as on screen.
      if (const auto& region = b.button->Window().WindowRegion()) {
        for (int y = 0; y < kHeight; ++y) {
          for (int x = 0; x < kWidth; ++x) {
            if (!region->Contains(x, y)) face.setPixel(x, y, qRgb(236, 233, 216));
          }
        }
      }
      const QString name =
          QStringLiteral("%1/style%2_%3.png").arg(folder).arg(style).arg(states[state]);
      EXPECT_TRUE(face.save(name)) << name.toStdString();
      painter.drawImage(
          QRect((kGap + state * (kWidth + kGap)) * kZoom, (kGap + style * (kHeight + kGap)) * kZoom,
                kWidth * kZoom, kHeight * kZoom),
          face);
    }
  }
  painter.end();
  EXPECT_TRUE(sheet.save(folder + "/all_faces.png"));
}

}  // namespace
}  // namespace starquill
