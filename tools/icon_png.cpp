// Writes the program's icon as PNG files at the sizes the desktop asks for.
//
//   starquill_icon_png [--art FILE] SIZE OUT.png [SIZE OUT.png ...]
//
// The artwork is the one compiled into the program, or the pixel art text in FILE (to look at
// a draft). Each size is scaled from the 32 x 32 pixels by nearest neighbour, so the pixels
// stay crisp and the transparent background stays transparent.

#include <QFile>
#include <QImage>
#include <QString>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "art/icon_art.h"
#include "platform/pixel_art.h"

namespace starquill {
namespace {

constexpr int kMaxSize = 4096;

// Each target pixel takes the source pixel under its centre.
QImage ScaleNearest(const Bitmap& art, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    const int sy = static_cast<int>((2 * static_cast<int64_t>(y) + 1) * art.height / (2 * size));
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size; ++x) {
      const int sx = static_cast<int>((2 * static_cast<int64_t>(x) + 1) * art.width / (2 * size));
      const uint32_t p = art.pixels[static_cast<size_t>(sy) * art.width + sx];
      row[x] = qRgba(p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF, p >> 24);
    }
  }
  return image;
}

bool ParseSize(std::string_view text, int& size) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  return error == std::errc() && end == text.data() + text.size() && size > 0 && size <= kMaxSize;
}

int Run(const std::vector<std::string_view>& args) {
  size_t next = 0;
  std::string art_text(kStarquillIconArt);
  if (args.size() >= 2 && args[0] == "--art") {
    QFile file(QString::fromUtf8(args[1].data(), static_cast<qsizetype>(args[1].size())));
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "cannot read %s\n", args[1].data());
      return 1;
    }
    art_text = file.readAll().toStdString();
    next = 2;
  }
  if (args.size() == next || (args.size() - next) % 2 != 0) {
    std::fprintf(stderr,
                 "usage: starquill_icon_png [--art FILE] SIZE OUT.png [SIZE OUT.png ...]\n");
    return 2;
  }
  const Bitmap art = ParsePixelArt(art_text);
  if (art.width == 0) {
    std::fprintf(stderr, "the pixel art is malformed\n");
    return 1;
  }
  for (size_t i = next; i < args.size(); i += 2) {
    int size = 0;
    if (!ParseSize(args[i], size)) {
      std::fprintf(stderr, "bad size %s (1 to %d)\n", args[i].data(), kMaxSize);
      return 2;
    }
    const QString path =
        QString::fromUtf8(args[i + 1].data(), static_cast<qsizetype>(args[i + 1].size()));
    if (!ScaleNearest(art, size).save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", args[i + 1].data());
      return 1;
    }
  }
  return 0;
}

}  // namespace
}  // namespace starquill

int main(int argc, char** argv) {
  return starquill::Run(std::vector<std::string_view>(argv + 1, argv + argc));
}
