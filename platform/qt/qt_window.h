#pragma once
// A top-level Qt window that shows drawing surfaces 1:1 in device pixels. Its pixels are
// blocks of device pixels: as many as the screen's pixel ratio for a centred window (its size
// on screen is what it is on an ordinary screen), and that ratio rounded to whole device
// pixels for a full-screen one (every point of the sky is a sharp square).

#include <QScreen>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/toolkit/window.h"

namespace starquill {

class FramePacer;
class HostWindow;

class QtWindow : public Window {
 public:
  QtWindow();
  ~QtWindow() override;

  void SetCaption(std::string_view caption) override;
  void Show(WindowPlace place) override;
  void ShowCentered(int clientWidth, int clientHeight, int frameWidth,
                    const Area& keepOnScreen) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void HidePointerWhenIdle(int idleMs) override;
  void AddSurface(Surface& surface) override;
  void AddLabel(Label& label) override;
  void AddControl(ControlWindow& control) override;
  void Present() override;
  void PaceFrames(bool on) override;
  void Unload() override;
  void PopupMenu(Menu& menu) override;

  QWidget* widget() const;
  // Told when the window has been closed (after Unloaded), for the platform's last-window rule.
  void SetClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }
  // The screen a full-screen window opens on; without one, the window's own or the primary.
  void SetHomeScreen(std::function<QScreen*()> home) { home_screen_ = std::move(home); }
  // The window of another program that Show(WindowPlace::InHost) fills, following its size;
  // the window takes no input there (the host's owner handles that). It must outlive the window.
  void SetHost(HostWindow* host) { host_ = host; }

 private:
  class SurfaceWidget;
  std::unique_ptr<SurfaceWidget> widget_;
  std::unique_ptr<FramePacer> pacer_;
  std::function<void()> closed_;
  std::function<QScreen*()> home_screen_;
  HostWindow* host_ = nullptr;

  void ShowFullScreen();
  void ShowInHost();
};

}  // namespace starquill
