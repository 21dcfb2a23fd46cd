#include "platform/qt/qt_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <cstdio>
#include <optional>

#include "platform/drawing/device_scale.h"
#include "platform/drawing/surface.h"
#include "platform/hosting/control_window.h"
#include "platform/qt/frame_pacer.h"
#include "platform/qt/idle_pointer.h"
#include "platform/qt/nested_events.h"
#include "platform/qt/qt_host_window.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_input_codes.h"
#include "platform/qt/window_geometry.h"
#include "platform/qt/window_painting.h"
#include "platform/support/fatal.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/menu.h"
#include "platform/toolkit/placement.h"
#include "platform/toolkit/window_input.h"

namespace starquill {

class QtWindow::SurfaceWidget : public QWidget {
 public:
  explicit SurfaceWidget(QtWindow& owner) : input(owner), owner_(owner) {
    // Every pixel is painted by paintEvent, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);  // moves without a button held reach the controls too
  }

  WindowInput input;  // the surfaces, labels and control windows, and the input among them
  IdlePointer pointer{*this};
  // The frame, the client size, full screen or not, and the scale (whole device pixels per
  // pixel when full screen); Geometry() adds the window's size and pixel ratio.
  WindowGeometry layout;
  bool hosted = false;           // inside a window of another program, which sets its size
  int text_steps = kScaleSteps;  // the screen's own ratio, at which surfaces draw text

  // Where the window's pixels lie now.
  WindowGeometry Geometry() const {
    WindowGeometry now = layout;
    now.pixel_ratio = devicePixelRatioF();
    now.device = QSize(static_cast<int>(std::round(width() * now.pixel_ratio)),
                       static_cast<int>(std::round(height() * now.pixel_ratio)));
    return now;
  }

  QSize ClientSize() const { return Geometry().ClientSize(); }

  // Takes on the screen's scale (every surface and control gets it) and reports a new client
  // size.
  void Relayout() {
    shapes_.Clear();
    const double ratio = devicePixelRatioF();
    const int wanted = ScaleSteps(layout.full_screen ? std::max(1L, std::lround(ratio)) : ratio);
    if (wanted != layout.scale_steps || ScaleSteps(ratio) != text_steps) {
      layout.scale_steps = wanted;
      text_steps = ScaleSteps(ratio);
      for (Surface* surface : input.Surfaces())
        HandScaleTo(*surface);
      for (ControlWindow* control : input.Controls())
        control->SetDeviceScale(Scale());
    }
    const QSize size = ClientSize();
    if (size != reported_size_) {
      reported_size_ = size;
      if (owner_.Resized) owner_.Resized();
    }
    update();
  }

  double Scale() const { return static_cast<double>(layout.scale_steps) / kScaleSteps; }
  // Points and lines in whole blocks, text at the screen's ratio.
  void HandScaleTo(Surface& surface) const {
    surface.SetDeviceScale(Scale(), static_cast<double>(text_steps) / kScaleSteps);
  }

  // Repaints what changed on the surfaces since they were last shown; all of the window when
  // that is much of it, where one copy is cheaper than many small ones.
  void ShowChanges() {
    const WindowGeometry geometry = Geometry();
    QRegion region;
    for (Surface* surface : input.Surfaces()) {
      const QPoint at = SurfaceOrigin(geometry, *surface);
      std::vector<QRect> parts = PartsToShow(*surface);
      for (QRect& part : parts)
        part = geometry.LogicalRect(part.translated(at));
      // Whole tiles in rows: a valid banded region as they are, unless scaling made them overlap.
      QRegion changes;
      if (geometry.pixel_ratio == 1) {
        changes.setRects(parts.data(), static_cast<int>(parts.size()));
      } else {
        for (const QRect& part : parts)
          changes += part;
      }
      region += changes;
    }
    if (!region.isEmpty()) update(region);
  }

  // Repaints a rectangle of the client area (in pixels) and nothing else.
  void UpdateClientRect(int left, int top, int width, int height) {
    const WindowGeometry geometry = Geometry();
    update(geometry.LogicalRect(geometry.DeviceRect(left, top, width, height)));
  }

  // A control changed: its shape is built anew when next painted.
  void ForgetShape(const ControlWindow& control) { shapes_.Forget(control); }

  // A window that never comes on screen (a display that cannot show it, scale settings that
  // make no sense) would leave a process that nobody sees and nothing ends: the program ends
  // instead, with a message and status 1.
  void EndUnlessShownWithin(int ms) {
    QTimer::singleShot(ms, this, [this, ms] {
      if (painted_ || unloaded_) return;
      std::fprintf(stderr,
                   "starquill: the window did not come on screen within %d s; the display "
                   "cannot show it (see QT_SCALE_FACTOR and QT_SCREEN_SCALE_FACTORS)\n",
                   ms / 1000);
      QCoreApplication::exit(1);
    });
  }

  // Lays the window out anew when it moves to a screen of another density, and keeps a
  // full-screen window covering its screen when the screen's size changes (without a window
  // manager nobody else would).
  void FollowScreen() {
    QWindow* window = windowHandle();
    if (window == nullptr || followed_ == window) return;
    followed_ = window;
    const auto track = [this](QScreen* screen) {
      QObject::disconnect(screen_size_);
      if (screen == nullptr) return;
      screen_size_ =
          QObject::connect(screen, &QScreen::geometryChanged, this, [this](const QRect& area) {
            if (layout.full_screen && !hosted) setGeometry(area);
          });
    };
    QObject::connect(window, &QWindow::screenChanged, this, [this, track](QScreen* screen) {
      track(screen);
      Relayout();
    });
    track(window->screen());
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    painted_ = true;
    const WindowGeometry geometry = Geometry();
    QPainter painter(this);
    // Paint in device pixels: the surfaces are copied 1:1, without scaling.
    painter.scale(1 / geometry.pixel_ratio, 1 / geometry.pixel_ratio);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (layout.frame > 0) PaintFrame(painter, geometry);
    PaintSurfaces(painter, geometry, input.Surfaces(), event->region());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const Label* label : input.Labels())
      PaintLabel(painter, geometry, *label);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const ControlWindow* control : input.Controls())
      PaintControl(painter, geometry, *control, shapes_);
  }

  void keyPressEvent(QKeyEvent* event) override {
    const QString text = event->text();
    input.KeyPressed(VirtualKey(*event), ShiftCode(event->modifiers()),
                     text.isEmpty() ? std::nullopt : std::optional<int>(text.at(0).unicode()));
  }

  void keyReleaseEvent(QKeyEvent* event) override {
    if (event->isAutoRepeat()) return;
    input.KeyReleased(VirtualKey(*event), ShiftCode(event->modifiers()));
  }

  // A mouse position in the client area's pixels.
  QPoint ClientPoint(const QMouseEvent& event) const {
    return Geometry().ClientPixelAt(event.position());
  }

  void mousePressEvent(QMouseEvent* event) override {
    pointer.Active();
    const QPoint at = ClientPoint(*event);
    input.ButtonPressed(at.x(), at.y(), ButtonCode(event->button()), KeysOf(*event), false);
  }

  void mouseDoubleClickEvent(QMouseEvent* event) override {
    pointer.Active();
    const QPoint at = ClientPoint(*event);
    input.ButtonPressed(at.x(), at.y(), ButtonCode(event->button()), KeysOf(*event), true);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    const QPoint at = ClientPoint(*event);
    input.ButtonReleased(at.x(), at.y(), ButtonCode(event->button()), KeysOf(*event));
    UpdateCursor(at);
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    pointer.Active();
    const QPoint at = ClientPoint(*event);
    input.PointerMoved(at.x(), at.y(), KeysOf(*event));
    UpdateCursor(at);
  }

  void leaveEvent(QEvent*) override { input.PointerLeft(); }

  void resizeEvent(QResizeEvent*) override { Relayout(); }

  // The pointer shape of the control under the pointer; a pointing hand for a control's own.
  void UpdateCursor(const QPoint& at) {
    if (pointer.Hidden()) return;
    const ControlWindow* under = input.ControlAt(at.x(), at.y());
    const bool hand = under != nullptr && under->MousePointer() == kPointerCustom;
    if (hand != (cursor().shape() == Qt::PointingHandCursor)) {
      setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
  }

  void closeEvent(QCloseEvent* event) override {
    event->accept();
    pointer.Stop();
    if (!unloaded_) {
      unloaded_ = true;
      if (owner_.Unloaded) owner_.Unloaded();
      if (owner_.closed_) owner_.closed_();
    }
  }

 private:
  QtWindow& owner_;
  bool unloaded_ = false;
  bool painted_ = false;  // on screen at least once
  QSize reported_size_{-1, -1};
  ControlShapes shapes_;
  QPointer<QWindow> followed_;
  QMetaObject::Connection screen_size_;
};

QtWindow::QtWindow()
    : widget_(std::make_unique<SurfaceWidget>(*this)),
      pacer_(std::make_unique<FramePacer>(*widget_, [this] {
        if (Frame) Frame();
      })) {}

QtWindow::~QtWindow() = default;

QWidget* QtWindow::widget() const {
  return widget_.get();
}

void QtWindow::SetCaption(std::string_view caption) {
  widget_->setWindowTitle(
      QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

namespace {

// How long a window may take to come on screen before the program gives up.
constexpr int kFirstShowingMs = 5000;

// A window manager maps a window asynchronously; wait (briefly) until it is on screen so that
// its client area has its final size.
void WaitUntilExposed(QWidget& widget) {
  const NestedEvents nested;
  QElapsedTimer waited;
  waited.start();
  while (widget.windowHandle() && !widget.windowHandle()->isExposed() && waited.elapsed() < 1000) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
  }
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// A window just shown takes the keyboard and is on screen when this returns.
void TakeFocusOnceShown(QWidget& widget) {
  widget.activateWindow();
  widget.setFocus();
  WaitUntilExposed(widget);
}

}  // namespace

void QtWindow::ShowCentered(int clientWidth, int clientHeight, int frameWidth,
                            const Area& keepOnScreen) {
  const int frame = std::max(frameWidth, 0);
  widget_->layout.frame = frame;
  widget_->layout.full_screen = false;
  widget_->setWindowFlag(Qt::FramelessWindowHint);
  // One pixel is one of the desktop's logical pixels: the window has the size on screen that
  // it has on an ordinary screen.
  widget_->layout.fixed_client = QSize(std::max(clientWidth, 0), std::max(clientHeight, 0));
  const QSize size = widget_->layout.fixed_client + QSize(frame, frame);
  widget_->setFixedSize(size);
  if (QScreen* screen = widget_->screen() ? widget_->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    Area keep = keepOnScreen;
    keep.left += frame;
    keep.top += frame;
    const Place at = CentredPlace({area.x(), area.y(), area.width(), area.height()}, size.width(),
                                  size.height(), keep);
    widget_->move(at.left, at.top);
  }
  widget_->input.FocusFirstControl();
  widget_->EndUnlessShownWithin(kFirstShowingMs);
  widget_->show();
  widget_->FollowScreen();
  widget_->Relayout();
  TakeFocusOnceShown(*widget_);
}

void QtWindow::AddLabel(Label& label) {
  widget_->input.AddLabel(label);
  // A new caption shows without presenting the surfaces again.
  label.Changed = [widget = widget_.get(), &label] {
    widget->UpdateClientRect(label.Left(), label.Top(), label.Width(), label.Height());
  };
}

void QtWindow::Show(WindowPlace place) {
  widget_->layout.full_screen = true;
  switch (place) {
    case WindowPlace::FullScreen:
      ShowFullScreen();
      return;
    case WindowPlace::InHost:
      if (!host_) FatalError("a window to show in another program's window, but none was given");
      ShowInHost();
      return;
    case WindowPlace::Offscreen:
      FatalError("a window to show off the screen, which this platform does not do");
  }
}

void QtWindow::ShowFullScreen() {
  QScreen* screen = home_screen_ ? home_screen_() : nullptr;
  if (!screen) screen = widget_->screen() ? widget_->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    widget_->setScreen(screen);
    // Without a window manager nobody acts on the full-screen state: cover the screen ourselves.
    widget_->setGeometry(screen->geometry());
  }
  widget_->EndUnlessShownWithin(kFirstShowingMs);
  widget_->showFullScreen();
  widget_->FollowScreen();
  widget_->Relayout();
  TakeFocusOnceShown(*widget_);
  // A window manager may have sized the window while it appeared.
  widget_->Relayout();
}

void QtWindow::ShowInHost() {
  SurfaceWidget& widget = *widget_;
  widget.hosted = true;
  // Input goes through to the host (a screen saver watches it there); a child of the root
  // window is kept out of the window manager's hands.
  widget.setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                        Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
  widget.setAttribute(Qt::WA_ShowWithoutActivating);
  widget.winId();
  widget.windowHandle()->setParent(host_->Window());
  const auto fill = [&widget](QSize device) {
    const qreal ratio = widget.devicePixelRatioF();
    widget.setGeometry(0, 0, std::max(1, static_cast<int>(std::ceil(device.width() / ratio))),
                       std::max(1, static_cast<int>(std::ceil(device.height() / ratio))));
  };
  fill(host_->DeviceSize());
  host_->Resized = fill;
  host_->SetInner(static_cast<uint32_t>(widget.winId()));
  // A window left outside the host would be a stray window on the desktop.
  if (!host_->HoldsInner()) {
    if (host_->Refused) host_->Refused("the window system would not put the show inside it");
    return;
  }
  widget.show();
  widget.FollowScreen();
  widget.Relayout();
  WaitUntilExposed(widget);
  widget.Relayout();
}

int QtWindow::ClientWidth() const {
  return widget_->ClientSize().width();
}

int QtWindow::ClientHeight() const {
  return widget_->ClientSize().height();
}

void QtWindow::HidePointerWhenIdle(int idleMs) {
  widget_->pointer.HideWhenIdle(idleMs);
}

void QtWindow::AddSurface(Surface& surface) {
  widget_->HandScaleTo(surface);
  widget_->input.AddSurface(surface);
}

void QtWindow::AddControl(ControlWindow& control) {
  control.SetDeviceScale(widget_->Scale());
  widget_->input.AddControl(control);
  // Where the control is now and where it was: what it covered before shows again.
  control.Changed = [widget = widget_.get(), &control, before = std::optional<QRect>()]() mutable {
    widget->ForgetShape(control);
    const QRect now(control.Left(), control.Top(), control.Width(), control.Height());
    for (const QRect& r : {before.value_or(now), now}) {
      widget->UpdateClientRect(r.x(), r.y(), r.width(), r.height());
    }
    before = now;
  };
}

void QtWindow::Present() {
  widget_->ShowChanges();
}

void QtWindow::PaceFrames(bool on) {
  pacer_->SetOn(on);
}

void QtWindow::Unload() {
  pacer_->SetOn(false);
  widget_->close();
}

void QtWindow::PopupMenu(Menu& menu) {
  // The pointer shows while the menu is open, and rests anew once it has closed.
  widget_->pointer.Pause();
  QMenu popup(widget_.get());
  std::vector<std::pair<QAction*, MenuItem*>> actions;
  for (MenuItem* item : menu.Items) {
    if (item->IsSeparator()) {
      popup.addSeparator();
      continue;
    }
    QAction* action = popup.addAction(QString::fromStdString(item->Caption));
    // Only a checked item is checkable, so unchecked ones show no empty box.
    action->setCheckable(item->Checked);
    action->setChecked(item->Checked);
    actions.emplace_back(action, item);
  }
  QAction* chosen = popup.exec(QCursor::pos());
  widget_->pointer.Active();
  for (auto& [action, item] : actions) {
    if (action == chosen && item->Click) {
      item->Click();
      break;
    }
  }
}

}  // namespace starquill
