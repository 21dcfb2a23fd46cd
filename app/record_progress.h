#pragma once
// A recording's progress on stderr: on a terminal a bar redrawn in place (per cent, frames done
// of the total, speed against real time, time left); into a file or a pipe one line at each
// tenth. The lines are made here; Report writes them.

#include <cstdint>
#include <cstdio>
#include <string>

namespace starquill {

class RecordProgress {
 public:
  // `out` null: quiet.
  RecordProgress(std::FILE* out, bool terminal, int64_t totalFrames, int fps);

  // After each frame: frames done so far and the wall-clock seconds the recording has taken.
  void Report(int64_t framesDone, double elapsedSeconds);
  // Once at the end: the bar's line is ended.
  void Done();

  // The bar, without its carriage return: "[#####.....]  50%  1800/3600 frames  1.8x  16 s left".
  static std::string Bar(int64_t framesDone, int64_t totalFrames, int fps, double elapsedSeconds);
  // A line for a file or a pipe.
  static std::string Line(int64_t framesDone, int64_t totalFrames, int fps, double elapsedSeconds);

 private:
  std::FILE* out_;
  const bool terminal_;
  const int64_t total_;
  const int fps_;
  int next_tenth_ = 1;
  double last_bar_ = -1;  // when the bar was last drawn, in seconds
};

}  // namespace starquill
