#include "show/frmMain.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "platform/support/numbers.h"
#include "platform/support/random.h"
#include "show/firework_kinds.h"

namespace starquill {

namespace {

constexpr float kSkyHeight = 200;  // units from the ground to the top edge
constexpr int kTickMs = 50;
constexpr int kFirstAutomaticLaunchMs = 1000;
constexpr int32_t kAutomaticLaunchLimit = 7;  // the automatic launcher holds back from here on
// The programme timer's interval until a programme sets its own; it starts disabled.
constexpr int kRangeTimerInitialMs = 200;
constexpr int kPointerIdleMs = 2000;  // the pointer steps aside once it has rested this long

// What the programme launches for a draw of 1 to 10: types 3, 4 and 6 twice as often.
constexpr std::array<int32_t, 10> kProgrammeMasks = {
    kTypeMasks[0], kTypeMasks[2], kTypeMasks[3], kTypeMasks[4], kTypeMasks[5],
    kTypeMasks[6], kTypeMasks[1], kTypeMasks[2], kTypeMasks[3], kTypeMasks[5]};

}  // namespace

frmMain::frmMain(Platform& platform, ShowSettings settings)
    : platform_(platform), settings_(settings), window_(platform.CreateWindow()) {
  window_->SetCaption("Starquill");
  Picture1.SetBackColor(kSkyColor);
  Picture1.SetForeColor(kCountTextColor);
  window_->AddSurface(Picture1);
  if (settings_.takesInput) {
    window_->KeyPress = [this](int code) { Form_KeyPress(code); };
    window_->MouseDown = [this](Surface& surface, int button, int shift, float x, float y) {
      if (&surface == &Picture1) Picture1_MouseDown(button, shift, x, y);
    };
  }
  window_->Unloaded = [this] { Form_Unload(); };
  window_->Frame = [this] { Form_Frame(); };
  mnuMinimal.Click = [this] { mnuMinimal_Click(); };
  mnuMedium.Click = [this] { mnuMedium_Click(); };
  mnuGrand.Click = [this] { mnuGrand_Click(); };
  mnuHowTo.Click = [this] { mnuHowTo_Click(); };
  mnuExit.Click = [this] { mnuExit_Click(); };
  SetLook(settings_.look);
}

frmMain::~frmMain() = default;

void frmMain::Load() {
  window_->Show(settings_.place);
  LaySky();
  // From here on the sky follows the window; the size it was shown at is laid out above.
  window_->Resized = [this] { Form_Resize(); };
  window_->Present();
  // A screen saver hides the pointer and keeps the screen awake itself.
  if (settings_.hidesIdlePointer) window_->HidePointerWhenIdle(kPointerIdleMs);
  if (settings_.keepsScreenAwake) {
    screen_awake_ = platform_.KeepScreenAwake("A fireworks show is running");
  }

  TimerService& timers = platform_.Timers();
  timer1_ = timers.CreateTimer(kTickMs, true, [this] { Timer1_Timer(); });
  timer2_ = timers.CreateTimer(kFirstAutomaticLaunchMs, true, [this] { Timer2_Timer(); });
  range_timer_ = timers.CreateTimer(kRangeTimerInitialMs, false, [this] { RangeTimer_Timer(); });
}

void frmMain::SetSound(ShowSound* sound) {
  sound_ = sound;
  if (sound && !sky_sound_) {
    sky_sound_ = std::make_unique<SkySound>(Picture1);
    AddSkyListener(sky_sound_.get());
  }
  if (sky_sound_) sky_sound_->SetSound(sound);
}

void frmMain::LaySky() {
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
}

void frmMain::Form_Resize() {
  // The sky follows the window: fireworks keep their place in sky units, and launches start
  // from the middle of the new bottom edge.
  LaySky();
}

void frmMain::AppendFirework(Firework firework) {
  CountOneMore();
  fireworks_.push_back(std::move(firework));
}

void frmMain::CountOneMore() {
  firework_count_ = CheckedAdd(firework_count_, 1, "the number of live fireworks");
}

void frmMain::PrintCount() {
  if (firework_count_ > 0) {
    Picture1.SetCurrentX(Picture1.ScaleLeft());
    Picture1.SetCurrentY(Picture1.ScaleTop());
    Picture1.Print(std::to_string(firework_count_) + " rockets active");
  }
}

void frmMain::Timer1_Timer() {
  last_tick_ms_ = platform_.Timers().NowMs();
  Picture1.Cls();
  PrintCount();

  // Each firework is stepped and drawn before the next is touched: later ones lie on top.
  // Stepping, they tell the audience of their bursts and trails.
  const size_t n = fireworks_.size();
  for (size_t i = 0; i < n; ++i) {
    fireworks_[i].step();
    fireworks_[i].Draw(Picture1);
  }

  const size_t removed = std::erase_if(fireworks_, [](const Firework& f) { return f.Finished(); });
  firework_count_ -= static_cast<int32_t>(removed);

  if (look_.glow) {
    // The halo of what this tick drew, and the sky's light now, make the backdrop that every
    // frame until the next tick shows.
    glow_.Update(Picture1, light_.At(last_tick_ms_), GlowCellPixels());
    if (!look_.smooth) DrawBetweenTicks(0);
  }
  // Smooth: the screen's frames show the sky; one at this very moment shows this drawing.
  sky_is_the_ticks_ = !look_.glow;
  if (!look_.smooth) window_->Present();
}

void frmMain::DrawBetweenTicks(double fraction) {
  sky_is_the_ticks_ = false;
  Picture1.Cls();
  PrintCount();
  moment_.SetFraction(fraction);
  // On a glowing sky a dim sparkle adds its light to the glow instead of a dark dot.
  Picture1.SetPointsLighten(look_.glow);
  for (const Firework& firework : fireworks_)
    firework.DrawBetween(Picture1, moment_);
  Picture1.SetPointsLighten(false);
}

void frmMain::Form_Frame() {
  if (!look_.smooth) return;
  // The fraction of a tick since the last one; a late tick holds the sky where it is headed.
  const double fraction = (platform_.Timers().NowMs() - last_tick_ms_) / kTickMs;
  if (!(fraction <= 0 && sky_is_the_ticks_)) DrawBetweenTicks(fraction);
  window_->Present();
}

int frmMain::GlowCellPixels() const {
  return std::max(1, static_cast<int>(std::lround(Picture1.DeviceHeight() / kSkyHeight * 1.1)));
}

void frmMain::SetLook(Look look) {
  if (look == look_) return;
  if (!look.Plain()) vivid_ = look;
  if (!look.glow && look_.glow) Picture1.DropBackdrop();
  // The light hears the bursts of the fireworks launched from now on; a plain show has it
  // listen to nothing, and its fireworks report to nobody.
  if (look.glow && !light_listens_) {
    AddSkyListener(&light_);
    light_listens_ = true;
  }
  look_ = look;
  window_->PaceFrames(look_.smooth);
  if (!timer1_) return;  // not loaded yet: the look starts with the show
  // The sky takes the new look at once, as it stands.
  if (look_.smooth) {
    Form_Frame();
  } else {
    if (look_.glow) DrawBetweenTicks(0);
    window_->Present();
  }
}

void frmMain::Timer2_Timer() {
  // A new delay on every event, also when nothing is launched.
  timer2_->SetInterval(RoundToInt32(Rnd() * 5000.0 + 1));
  if (firework_count_ < kAutomaticLaunchLimit) {
    // Any non-empty mix of the kinds.
    Launch(static_cast<int32_t>(Int(Rnd() * static_cast<double>(kAllKindsMask))) + 1);
  }
}

void frmMain::RangeTimer_Timer() {
  // Reseeded on every event: the launches follow a new sequence each time, which the run's
  // seed repeats, whatever the time of day.
  RandomizeForEvent(settings_.runSeed, ++programme_events_);
  const int x = static_cast<int>(Int(Rnd() * 10.0 + 1));
  Launch(kProgrammeMasks[static_cast<size_t>(x - 1)]);
}

void frmMain::Form_KeyPress(int KeyAscii) {
  if (KeyAscii == kEscape) {
    EndShow();
  } else if (KeyAscii >= '1' && KeyAscii <= '7') {
    Launch(kTypeMasks[static_cast<size_t>(KeyAscii - '1')]);
  } else if (KeyAscii >= 'a' && KeyAscii <= 'g') {
    Launch(kTypeMasks[static_cast<size_t>(KeyAscii - 'a')]);
  } else if (KeyAscii == 's' && sound_) {
    sound_->ToggleMute();
  } else if (KeyAscii == 'v') {
    SetLook(look_.Plain() ? vivid_ : Look{});
  }
}

void frmMain::EndShow() {
  screen_awake_.reset();
  platform_.EndProgram();
}

void frmMain::Picture1_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
  if (Button == kRightButton) window_->PopupMenu(mnuOptions);
}

void frmMain::ChooseProgramme(MenuItem& item, int intervalMs) {
  if (!item.Checked) {
    range_timer_->SetInterval(intervalMs);
    range_timer_->SetEnabled(true);
    for (MenuItem* programme : {&mnuMinimal, &mnuMedium, &mnuGrand}) {
      programme->Checked = programme == &item;
    }
  } else {
    // Choosing the running programme again stops it.
    range_timer_->SetEnabled(false);
    item.Checked = false;
  }
}

void frmMain::mnuMinimal_Click() {
  ChooseProgramme(mnuMinimal, kMinimalMs);
}
void frmMain::mnuMedium_Click() {
  ChooseProgramme(mnuMedium, kMediumMs);
}
void frmMain::mnuGrand_Click() {
  ChooseProgramme(mnuGrand, kGrandFinaleMs);
}

std::string frmMain::HowToText() {
  static constexpr const char* kLines[] = {
      "Click on the next Keys to generate Starquill:",
      "==============================",
      "<1> - Fireworks Type 1",
      "<2> - Fireworks Type 2",
      "<3> - Fireworks Type 3",
      "<4> - Fireworks Type 4",
      "<5> - Fireworks Type 5",
      "<6> - Fireworks Type 6",
      "<7> - Fireworks Type 7",
      "==============================",
      "Or select from the options:",
      "Minimal, Medium, Grand Finale",
      "==============================",
  };
  std::string text;
  for (const char* line : kLines) {
    text += line;
    text += "\n\r";  // line feed, then carriage return
  }
  return text;
}

void frmMain::mnuHowTo_Click() {
  platform_.InformationBox(HowToText(), "Starquill");
}

void frmMain::mnuExit_Click() {
  window_->Unload();
  platform_.EndProgram();
}

void frmMain::Form_Unload() {
  screen_awake_.reset();
  window_->PaceFrames(false);
  for (Timer* timer : {timer1_.get(), timer2_.get(), range_timer_.get()}) {
    if (timer) timer->SetEnabled(false);
  }
  if (Closed) Closed();
}

}  // namespace starquill
