#pragma once
// A top-level Qt window that shows drawing surfaces 1:1 in device pixels.

#include <QWidget>
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
  int ClientWidth() const override;
  int ClientHeight() const override;
  void AddSurface(Surface& surface) override;
  void AddControl(ControlWindow& control) override;
  void Present() override;
  void Unload() override;
  void PopupMenu(Menu& menu) override;

  QWidget* widget() const;

 private:
  class SurfaceWidget;
  std::unique_ptr<SurfaceWidget> widget_;
};

}  // namespace starquill
