#pragma once
// The show window: a black sky 200 units high with y growing upwards, the list of live
// fireworks, and the 50 ms animation tick that clears the sky, prints the live count and lets
// every firework move and draw itself before the finished ones are dropped.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/firework.h"
#include "platform/platform.h"
#include "platform/surface.h"

namespace starquill {

class frmMain {
 public:
  static constexpr Color kSkyColor = RGB(0, 0, 0);
  static constexpr Color kCountTextColor = RGB(192, 192, 0);

  explicit frmMain(Platform& platform);
  ~frmMain();
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // Shows the window, stretches the sky over it, sets the sky's coordinates and starts the
  // timers. Runs once, before any timer event.
  void Load();

  // The sky.
  Surface Picture1;

  const std::vector<Firework>& FireworkList() const { return fireworks_; }
  int32_t FireworkCount() const { return firework_count_; }
  // Appends a firework as the last of the live ones; returns it as placed in the list.
  template <FireworkKind T>
  T& Append(T firework);

  // Launches one firework of each kind whose bit is set in the mask (1 sparkle, 2 burst rocket,
  // 4 path rocket, 8 spin path rocket, 16 spin-back path rocket, 32 multi rocket; higher bits
  // are ignored), all from the middle of the bottom edge with the same speeds, and appends
  // them in bit order.
  void Launch(int32_t KindMask);

  // Handlers.
  void Timer1_Timer();
  void Form_KeyPress(int KeyAscii);
  void Form_Unload();

  Timer& Timer1() { return *timer1_; }

 private:
  void CountOneMore();

  Platform& platform_;
  std::unique_ptr<Window> window_;
  std::vector<Firework> fireworks_;
  int32_t firework_count_ = 0;
  std::unique_ptr<Timer> timer1_;
};

template <FireworkKind T>
T& frmMain::Append(T firework) {
  CountOneMore();
  fireworks_.emplace_back(std::move(firework));
  return *fireworks_.back().template As<T>();
}

}  // namespace starquill
