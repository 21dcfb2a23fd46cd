#include "app/record_progress.h"

#include <algorithm>
#include <cmath>

namespace starquill {
namespace {

constexpr int kBarWidth = 30;
constexpr double kBarEverySeconds = 0.1;  // a terminal needs no more

struct Figures {
  int percent;
  double speed;  // seconds of video per second of recording
  double secondsLeft;
};

Figures FiguresOf(int64_t done, int64_t total, int fps, double elapsed) {
  Figures f{};
  f.percent = total > 0 ? static_cast<int>(done * 100 / total) : 100;
  const double videoSeconds = static_cast<double>(done) / fps;
  f.speed = elapsed > 0 ? videoSeconds / elapsed : 0;
  f.secondsLeft = f.speed > 0 ? static_cast<double>(total - done) / fps / f.speed : 0;
  return f;
}

std::string Format(const char* pattern, auto... values) {
  char text[160];
  std::snprintf(text, sizeof text, pattern, values...);
  return text;
}

}  // namespace

RecordProgress::RecordProgress(std::FILE* out, bool terminal, int64_t totalFrames, int fps)
    : out_(out), terminal_(terminal), total_(totalFrames), fps_(std::max(fps, 1)) {}

std::string RecordProgress::Bar(int64_t done, int64_t total, int fps, double elapsed) {
  const Figures f = FiguresOf(done, total, fps, elapsed);
  const int filled = std::clamp(f.percent * kBarWidth / 100, 0, kBarWidth);
  const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                          std::string(static_cast<size_t>(kBarWidth - filled), '.');
  return Format("[%s] %3d%%  %lld/%lld frames  %.1fx real time  %.0f s left", bar.c_str(),
                f.percent, static_cast<long long>(done), static_cast<long long>(total), f.speed,
                std::ceil(f.secondsLeft));
}

std::string RecordProgress::Line(int64_t done, int64_t total, int fps, double elapsed) {
  const Figures f = FiguresOf(done, total, fps, elapsed);
  return Format("starquill: recorded %d%% (%lld of %lld frames, %.1fx real time, %.0f s left)",
                f.percent, static_cast<long long>(done), static_cast<long long>(total), f.speed,
                std::ceil(f.secondsLeft));
}

void RecordProgress::Report(int64_t done, double elapsed) {
  if (!out_) return;
  if (terminal_) {
    if (done < total_ && elapsed - last_bar_ < kBarEverySeconds) return;
    last_bar_ = elapsed;
    std::fprintf(out_, "\r%s", Bar(done, total_, fps_, elapsed).c_str());
    std::fflush(out_);
    return;
  }
  // A line at each tenth passed, once.
  const int tenths = total_ > 0 ? static_cast<int>(done * 10 / total_) : 10;
  if (tenths < next_tenth_) return;
  next_tenth_ = tenths + 1;
  std::fprintf(out_, "%s\n", Line(done, total_, fps_, elapsed).c_str());
  std::fflush(out_);
}

void RecordProgress::Done() {
  if (out_ && terminal_ && last_bar_ >= 0) std::fputc('\n', out_);
}

}  // namespace starquill
