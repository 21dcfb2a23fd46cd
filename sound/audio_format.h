#pragma once
// The one format the sound engine renders: interleaved stereo float frames at 48 kHz,
// left sample first, full scale at +-1.

namespace starquill {

inline constexpr int kSampleRate = 48000;
inline constexpr int kChannels = 2;

// Whole frames in a duration in seconds, for lengths and time constants.
inline constexpr int FramesIn(double seconds) {
  return static_cast<int>(seconds * kSampleRate);
}

}  // namespace starquill
