#include "show/frmMain.h"

#include <algorithm>
#include <string>

#include "platform/numbers.h"

namespace starquill {

namespace {
constexpr int kEscape = 27;
constexpr float kSkyHeight = 200;  // units from the ground to the top edge
constexpr int kTickMs = 50;
}  // namespace

frmMain::frmMain(Platform& platform) : platform_(platform), window_(platform.CreateWindow()) {
  window_->SetCaption("Starquill");
  Picture1.SetBackColor(kSkyColor);
  Picture1.SetForeColor(kCountTextColor);
  window_->AddSurface(Picture1);
  window_->KeyPress = [this](int code) { Form_KeyPress(code); };
  window_->Unloaded = [this] { Form_Unload(); };
}

frmMain::~frmMain() = default;

void frmMain::Load() {
  window_->ShowMaximized();
  Picture1.Move(0, 0, static_cast<float>(window_->ClientWidth()),
                static_cast<float>(window_->ClientHeight()));
  Picture1.SetScaleTop(kSkyHeight);
  Picture1.SetScaleHeight(-kSkyHeight);
  Picture1.SetScaleLeft(0);
  // One unit is as long across as it is up. A sky without height has no proportions; it is
  // given the width of a one-pixel-high sky instead of a division by zero.
  const double height = std::max(Picture1.Height(), 1.0f);
  Picture1.SetScaleWidth(static_cast<float>((kSkyHeight / height) * Picture1.Width()));
  Picture1.Cls();
  window_->Present();

  timer1_ = platform_.Timers().CreateTimer(kTickMs, true, [this] { Timer1_Timer(); });
}

void frmMain::CountOneMore() {
  firework_count_ = CheckedAdd(firework_count_, 1);
}

void frmMain::Timer1_Timer() {
  Picture1.Cls();
  if (firework_count_ > 0) {
    Picture1.SetCurrentX(Picture1.ScaleLeft());
    Picture1.SetCurrentY(Picture1.ScaleTop());
    Picture1.Print(std::to_string(firework_count_) + " rockets active");
  }

  // Each firework is stepped and drawn before the next is touched: later ones lie on top.
  const size_t n = fireworks_.size();
  for (size_t i = 0; i < n; ++i) {
    fireworks_[i].step();
    fireworks_[i].Draw(Picture1);
  }

  const size_t removed = std::erase_if(fireworks_, [](const Firework& f) { return f.Finished(); });
  firework_count_ -= static_cast<int32_t>(removed);

  window_->Present();
}

void frmMain::Form_KeyPress(int KeyAscii) {
  if (KeyAscii == kEscape) platform_.EndProgram();
}

void frmMain::Form_Unload() {
  if (timer1_) timer1_->SetEnabled(false);
}

}  // namespace starquill
