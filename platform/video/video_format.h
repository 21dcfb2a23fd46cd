#pragma once
// What a video file holds: the frames' size and rate, and whether it has sound.

namespace starquill {

struct VideoFormat {
  int width = 1920, height = 1080;  // even numbers (the caller checks; Create refuses odd ones)
  int fps = 60;                     // frames a second, 1 to 240
  bool audio = false;               // a stereo 48 kHz audio stream besides the video
};

}  // namespace starquill
