#pragma once
// A top-level Qt window that shows drawing surfaces 1:1 in device pixels.

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/window.h"

namespace starquill {

class QtWindow : public Window {
 public:
  QtWindow();
  ~QtWindow() override;

  void SetCaption(std::string_view caption) override;
  void ShowMaximized() override;
  void ShowCentered(int clientWidth, int clientHeight, int frameWidth) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void AddSurface(Surface& surface) override;
  void AddLabel(Label& label) override;
  void AddControl(ControlWindow& control) override;
  void Present() override;
  void Unload() override;
  void PopupMenu(Menu& menu) override;

  QWidget* widget() const;
  // Told when the window has been closed (after Unloaded), for the platform's last-window rule.
  void SetClosedHandler(std::function<void()> handler) { closed_ = std::move(handler); }

 private:
  class SurfaceWidget;
  std::unique_ptr<SurfaceWidget> widget_;
  std::function<void()> closed_;
};

}  // namespace starquill
