#pragma once
// The show window: a black sky 200 units high with y growing upwards, the list of live
// fireworks and the 50 ms animation tick that clears the sky, prints the live count and lets
// every firework move and draw itself before the finished ones are dropped. Fireworks are
// launched by the automatic launcher, by the show programme chosen from the pop-up menu and
// by the keys 1 to 7 and a to g. The fireworks tell the show's listeners, the sound among them,
// what happens in the sky.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/firework.h"
#include "engine/in_between.h"
#include "engine/sky_events.h"
#include "platform/drawing/glow.h"
#include "platform/drawing/surface.h"
#include "platform/toolkit/menu.h"
#include "platform/toolkit/platform.h"
#include "show/look.h"
#include "show/show_settings.h"
#include "show/show_sound.h"
#include "show/sky_audience.h"
#include "show/sky_light.h"
#include "show/sky_sound.h"

namespace starquill {

class frmMain {
 public:
  static constexpr Color kSkyColor = RGB(0, 0, 0);
  static constexpr Color kCountTextColor = RGB(192, 192, 0);
  // The programmes' intervals: a firework type every 3 s, 1 s or 0.6 s.
  static constexpr int kMinimalMs = 3000;
  static constexpr int kMediumMs = 1000;
  static constexpr int kGrandFinaleMs = 600;

  // Shown as the settings say (show/show_settings.h): the desktop's full-screen show by default.
  explicit frmMain(Platform& platform, ShowSettings settings = {});
  ~frmMain();
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // Shows the window full screen, stretches the sky over it, sets the sky's coordinates, keeps
  // the screen awake and starts the timers. Runs once, before any timer event.
  void Load();
  // Ends the program at once, as Esc does: the screen saver hold goes first.
  void EndShow();
  // From now on the show tells this listener what happens in the sky, after the listeners added
  // before it; the fireworks already launched are not heard. It must outlive the show.
  void AddSkyListener(SkyEvents* listener) { audience_.Add(listener); }
  // From now on the show tells the sound what happens (it listens to the sky as SkySound), and
  // the key s mutes it; none: silent. The sound must outlive the show.
  void SetSound(ShowSound* sound);
  // How the sky is shown from now on (show/look.h); the key v switches between the plain look
  // and a vivid one.
  void SetLook(Look look);
  Look CurrentLook() const { return look_; }

  // The sky.
  Surface Picture1;

  const std::vector<Firework>& FireworkList() const { return fireworks_; }
  int32_t FireworkCount() const { return firework_count_; }
  // Appends a firework as the last of the live ones; returns it as placed in the list.
  template <FireworkKind T>
  T& Append(T firework);

  // Launches one firework of each kind whose bit is set in the mask (show/firework_kinds.h: 1
  // sparkle, 2 burst rocket, 4 path rocket, 8 spin path rocket, 16 spin-back path rocket, 32
  // multi rocket; higher bits are ignored), all from the middle of the bottom edge with the same
  // speeds, and appends them in bit order. The listeners hear the rockets leave the ground.
  void Launch(int32_t KindMask);

  // Told when the window has been closed (by Exit or from its frame), after everything stopped.
  std::function<void()> Closed;

  // The pop-up menu.
  MenuItem mnuMinimal{"&Minimal"};
  MenuItem mnuMedium{"&Medium"};
  MenuItem mnuGrand{"&Grand Finale"};
  MenuItem sep1{"-"};
  MenuItem mnuHowTo{"&How To"};
  MenuItem mnuExit{"&Exit"};
  Menu mnuOptions{"Options", {&mnuMinimal, &mnuMedium, &mnuGrand, &sep1, &mnuHowTo, &mnuExit}};

  // The how-to text, every line ended by a line feed and a carriage return.
  static std::string HowToText();

  // Handlers.
  void Timer1_Timer();
  // A frame of the screen, between two ticks (the smooth look).
  void Form_Frame();
  void Timer2_Timer();
  void RangeTimer_Timer();
  void Form_KeyPress(int KeyAscii);
  void Picture1_MouseDown(int Button, int Shift, float X, float Y);
  void mnuMinimal_Click();
  void mnuMedium_Click();
  void mnuGrand_Click();
  void mnuHowTo_Click();
  void mnuExit_Click();
  void Form_Resize();
  void Form_Unload();

  Timer& Timer1() { return *timer1_; }
  Timer& Timer2() { return *timer2_; }
  Timer& RangeTimer() { return *range_timer_; }

 protected:
  // The number of live fireworks, counted as they are added and dropped; open to a derived
  // class that starts the show at another count.
  int32_t firework_count_ = 0;

 private:
  // Stretches the sky over the client area, 200 units high and as wide as keeps one unit the
  // same length both ways, and clears it.
  void LaySky();
  // Clears the sky, prints the live count, and draws every firework at a moment between this
  // tick and the next, changing none of them.
  void DrawBetweenTicks(double fraction);
  void PrintCount();
  // Cells of the glow, in device pixels: about a unit of the sky.
  int GlowCellPixels() const;
  void CountOneMore();
  void AppendFirework(Firework firework);
  void ChooseProgramme(MenuItem& item, int intervalMs);

  Platform& platform_;
  const ShowSettings settings_;
  uint64_t programme_events_ = 0;  // the programme's events so far, in the whole run
  std::unique_ptr<Window> window_;
  std::vector<Firework> fireworks_;
  std::unique_ptr<Timer> timer1_;
  std::unique_ptr<Timer> timer2_;
  std::unique_ptr<Timer> range_timer_;
  std::unique_ptr<ScreenAwake> screen_awake_;  // held while the show runs
  // What the fireworks tell of the sky, when anyone listens, passed on to every listener.
  SkyAudience audience_;
  ShowSound* sound_ = nullptr;
  std::unique_ptr<SkySound> sky_sound_;  // made for the first sound, then one of the audience
  Look look_;
  Look vivid_ = Look::Vivid();     // the look v switches to from the plain one
  double last_tick_ms_ = 0;        // when the last tick stepped, on the timers' clock
  bool sky_is_the_ticks_ = false;  // the sky holds the last tick's own drawing, as it stands
  InBetween moment_;
  Glow glow_;
  SkyLight light_{platform_.Timers()};
  bool light_listens_ = false;  // from the first time the look glows
};

template <FireworkKind T>
T& frmMain::Append(T firework) {
  AppendFirework(Firework(std::move(firework)));
  return *fireworks_.back().template As<T>();
}

}  // namespace starquill
