#pragma once
// An X window the program is given to draw in but does not own: a screen saver's window, or the
// root window. The show's window lies inside it, fills it and follows its size; when it goes,
// the program has nothing left to draw on.

#include <QAbstractNativeEventFilter>
#include <QSize>
#include <QWindow>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>

namespace starquill {

class HostWindow : public QAbstractNativeEventFilter {
 public:
  // The window with this id on the X connection Qt has opened, or why it cannot be used (no
  // such window, or the program does not run on X11). Needs a QGuiApplication.
  static std::variant<std::unique_ptr<HostWindow>, std::string> Open(uint32_t id);
  // The root window of the X display's first screen; 0 when the program does not run on X11.
  static uint32_t RootWindow();

  ~HostWindow() override;
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // The window as a Qt window, to be a parent of the program's own.
  QWindow* Window() const { return window_.get(); }
  // Its size in device pixels.
  QSize DeviceSize() const { return size_; }

  // Told the new size (device pixels) when the window is resized.
  std::function<void(QSize)> Resized;
  // Told when the window, or the program's window inside it, has been destroyed.
  std::function<void()> Gone;
  // Told why, when the program's window cannot be put inside this one.
  std::function<void(const std::string& why)> Refused;
  // The program's own window inside this one: its end is noticed too.
  void SetInner(uint32_t id) { inner_ = id; }
  // Whether the program's window is inside this one (the window system may refuse to put it
  // there, and then shows it on its own).
  bool HoldsInner() const;

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  HostWindow(uint32_t id, QSize size);

  const uint32_t id_;
  QSize size_;
  uint32_t inner_ = 0;
  std::unique_ptr<QWindow> window_;
};

}  // namespace starquill
