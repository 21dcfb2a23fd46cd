// Writes the program's icon files for the desktop: PNGs at the sizes the icon theme asks for,
// and a scalable SVG.
//
//   starquill_draw_icons [--art FILE] [--art-for SIZE FILE]... TARGET OUT [TARGET OUT ...]
//
// A TARGET is a size in pixels (a PNG) or "scalable" (an SVG, one square per pixel). The
// artwork is the one compiled into the program, or the 32 x 32 pixel art text in FILE (to look
// at a draft). --art-for gives SIZE x SIZE pixel art drawn for that size alone: scaled down,
// the 32 x 32 burst turns into a blob, so the smallest sizes are drawn by hand. Other sizes
// are scaled from the 32 x 32 pixels by nearest neighbour, so the pixels stay crisp and the
// transparent background stays transparent.

#include <QFile>
#include <QImage>
#include <QString>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "art/icon_art.h"
#include "platform/drawing/pixel_art.h"
#include "platform/qt/qt_image.h"

namespace starquill {
namespace {

constexpr int kMaxSize = 4096;

QString Path(std::string_view path) {
  return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

bool ReadArt(std::string_view path, int size, Bitmap& art) {
  QFile file(Path(path));
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", path.data());
    return false;
  }
  art = ParsePixelArt(file.readAll().toStdString(), size);
  if (art.width == 0) {
    std::fprintf(stderr, "%s is not well-formed %d x %d pixel art\n", path.data(), size, size);
    return false;
  }
  return true;
}

// Each target pixel takes the source pixel under its centre.
QImage ScaleNearest(const Bitmap& art, int size) {
  const QImage source = ToQImage(art);
  QImage image(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    const int sy = static_cast<int>((2 * static_cast<int64_t>(y) + 1) * art.height / (2 * size));
    const auto* from = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size; ++x)
      row[x] = from[(2 * static_cast<int64_t>(x) + 1) * art.width / (2 * size)];
  }
  return image;
}

// One <rect> per run of same-coloured pixels in a row, grouped by colour; crisp edges keep
// the pixel look at any scale. The art's pixels are opaque or fully transparent.
std::string Svg(const Bitmap& art) {
  std::vector<uint32_t> order;
  std::map<uint32_t, std::string> rects;
  for (int y = 0; y < art.height; ++y) {
    const uint32_t* row = art.pixels.data() + static_cast<size_t>(y) * art.width;
    for (int x = 0; x < art.width;) {
      int end = x + 1;
      while (end < art.width && row[end] == row[x])
        ++end;
      if (row[x] >> 24 != 0) {
        auto [it, added] = rects.try_emplace(row[x]);
        if (added) order.push_back(row[x]);
        it->second += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
                      "\" width=\"" + std::to_string(end - x) + "\" height=\"1\"/>";
      }
      x = end;
    }
  }
  char header[320];
  std::snprintf(header, sizeof header,
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n",
                art.width, art.height, art.width, art.height);
  std::string svg = header;
  for (const uint32_t color : order) {
    char fill[8];
    std::snprintf(fill, sizeof fill, "#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF,
                  (color >> 16) & 0xFF);
    svg += std::string("<g fill=\"") + fill + "\">" + rects[color] + "</g>\n";
  }
  return svg + "</svg>\n";
}

bool ParseSize(std::string_view text, int& size) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  return error == std::errc() && end == text.data() + text.size() && size > 0 && size <= kMaxSize;
}

int Usage() {
  std::fprintf(stderr,
               "usage: starquill_draw_icons [--art FILE] [--art-for SIZE FILE]... "
               "SIZE|scalable OUT [SIZE|scalable OUT ...]\n");
  return 2;
}

int Run(const std::vector<std::string_view>& args) {
  Bitmap art = ParsePixelArt(kStarquillIconArt);
  std::map<int, Bitmap> art_for;
  size_t next = 0;
  while (next < args.size() && args[next].starts_with("--")) {
    if (args[next] == "--art" && next + 1 < args.size()) {
      if (!ReadArt(args[next + 1], kPixelArtSize, art)) return 1;
      next += 2;
    } else if (args[next] == "--art-for" && next + 2 < args.size()) {
      int size = 0;
      if (!ParseSize(args[next + 1], size)) return Usage();
      if (!ReadArt(args[next + 2], size, art_for[size])) return 1;
      next += 3;
    } else {
      return Usage();
    }
  }
  if (args.size() == next || (args.size() - next) % 2 != 0) return Usage();
  if (art.width == 0) {
    std::fprintf(stderr, "the compiled-in pixel art is malformed\n");
    return 1;
  }
  for (size_t i = next; i < args.size(); i += 2) {
    const std::string_view out = args[i + 1];
    bool written = false;
    if (args[i] == "scalable") {
      const std::string svg = Svg(art);
      QFile file(Path(out));
      written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(svg.data(), static_cast<qint64>(svg.size())) ==
                    static_cast<qint64>(svg.size()) &&
                file.flush();
    } else {
      int size = 0;
      if (!ParseSize(args[i], size)) {
        std::fprintf(stderr, "bad size %s (1 to %d, or scalable)\n", args[i].data(), kMaxSize);
        return 2;
      }
      const auto own = art_for.find(size);
      written = ScaleNearest(own != art_for.end() ? own->second : art, size).save(Path(out), "PNG");
    }
    if (!written) {
      std::fprintf(stderr, "cannot write %s\n", out.data());
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
