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
#include <climits>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "platform/drawing/device_scale.h"
#include "platform/drawing/surface.h"
#include "platform/hosting/control_input.h"
#include "platform/hosting/control_window.h"
#include "platform/qt/nested_events.h"
#include "platform/qt/qt_host_window.h"
#include "platform/qt/qt_image.h"
#include "platform/qt/qt_system_colors.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/menu.h"
#include "platform/toolkit/placement.h"
#include "platform/toolkit/system_colors.h"

namespace starquill {

namespace {

int ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return 0;
  }
}

// The modifier keys as controls get them: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? kShiftKey : 0) |
         (modifiers & Qt::ControlModifier ? kCtrlKey : 0) |
         (modifiers & Qt::AltModifier ? kAltKey : 0);
}

// The buttons held after a mouse event and its modifier keys, as control windows get them:
// Shift and Ctrl (Alt with the mouse belongs to the window manager).
MouseKeys KeysOf(const QMouseEvent& event) {
  const Qt::MouseButtons buttons = event.buttons();
  return {(buttons & Qt::LeftButton ? kLeftButton : 0) |
              (buttons & Qt::RightButton ? kRightButton : 0) |
              (buttons & Qt::MiddleButton ? kMiddleButton : 0),
          ShiftCode(event.modifiers() & ~Qt::AltModifier)};
}

// The key code of a key message: letters and digits as their upper-case characters, and the
// few named keys a control may care about; 0 for the rest.
int VirtualKey(const QKeyEvent& event) {
  const int key = event.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Backspace:
      return 8;
    default:
      return 0;
  }
}

}  // namespace

class QtWindow::SurfaceWidget : public QWidget {
 public:
  explicit SurfaceWidget(QtWindow& owner) : owner_(owner) {
    // Every pixel is painted by paintEvent, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);  // moves without a button held reach the controls too
    pointer_idle_.setSingleShot(true);
    QObject::connect(&pointer_idle_, &QTimer::timeout, this, [this] { HidePointer(); });
  }

  std::vector<Surface*> surfaces;
  std::vector<ControlWindow*> controls;
  std::vector<Label*> labels;
  ControlInput input;
  int frame = 0;             // pixels of frame on the left and top; the client area lies beside it
  QSize fixed_client;        // a centred window's client area, in pixels
  bool full_screen = false;  // whole device pixels per pixel
  bool hosted = false;       // inside a window of another program, which sets its size
  int scale_steps = kScaleSteps;  // device pixels per pixel, in steps (see device_scale.h)
  int text_steps = kScaleSteps;   // the screen's own ratio, at which surfaces draw text

  // The window's size in device pixels.
  QSize DeviceSize() const {
    const double ratio = devicePixelRatioF();
    return {static_cast<int>(std::round(width() * ratio)),
            static_cast<int>(std::round(height() * ratio))};
  }

  // The client area in pixels: a centred window's own size; a full-screen window's device
  // pixels in whole pixels, the last ones cut by the screen's edge.
  QSize ClientSize() const {
    if (!full_screen && fixed_client.isValid()) return fixed_client;
    const auto pixels = [&](int device) {
      const int64_t n = PixelAtDevice(int64_t{device} - 1, scale_steps) + 1;
      return std::max(0, static_cast<int>(n) - frame);
    };
    const QSize device = DeviceSize();
    return {pixels(device.width()), pixels(device.height())};
  }

  // Takes on the screen's scale (every surface and control gets it) and reports a new client
  // size.
  void Relayout() {
    shapes_.clear();
    const double ratio = devicePixelRatioF();
    const int wanted = ScaleSteps(full_screen ? std::max(1L, std::lround(ratio)) : ratio);
    if (wanted != scale_steps || ScaleSteps(ratio) != text_steps) {
      scale_steps = wanted;
      text_steps = ScaleSteps(ratio);
      for (Surface* surface : surfaces)
        HandScaleTo(*surface);
      for (ControlWindow* control : controls)
        control->SetDeviceScale(Scale());
    }
    const QSize size = ClientSize();
    if (size != reported_size_) {
      reported_size_ = size;
      if (owner_.Resized) owner_.Resized();
    }
    update();
  }

  double Scale() const { return static_cast<double>(scale_steps) / kScaleSteps; }
  // Points and lines in whole blocks, text at the screen's ratio.
  void HandScaleTo(Surface& surface) const {
    surface.SetDeviceScale(Scale(), static_cast<double>(text_steps) / kScaleSteps);
  }

  // Repaints what changed on the surfaces since they were last shown; all of the window when
  // that is much of it, where one copy is cheaper than many small ones.
  void ShowChanges() {
    const qreal ratio = devicePixelRatioF();
    QRegion region;
    for (Surface* surface : surfaces) {
      const QPoint at = SurfaceOrigin(*surface);
      std::vector<QRect> parts = PartsToShow(*surface);
      for (QRect& part : parts)
        part = LogicalRect(part.translated(at));
      // Whole tiles in rows: a valid banded region as they are, unless scaling made them overlap.
      QRegion changes;
      if (ratio == 1) {
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
    update(LogicalRect(DeviceRect(left, top, width, height)));
  }

  // A control changed: its shape is built anew when next painted.
  void ForgetShape(const ControlWindow& control) { shapes_.erase(&control); }

  // Where a surface's top-left pixel lies, in device pixels of the window.
  QPoint SurfaceOrigin(const Surface& surface) const {
    return DeviceRect(static_cast<int>(std::lround(surface.Left())),
                      static_cast<int>(std::lround(surface.Top())), 0, 0)
        .topLeft();
  }

  // Device pixels of the window in Qt's logical coordinates, rounded out to whole ones.
  QRect LogicalRect(const QRect& device) const {
    const qreal ratio = devicePixelRatioF();
    return QRectF(device.x() / ratio, device.y() / ratio, device.width() / ratio,
                  device.height() / ratio)
        .toAlignedRect();
  }

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

  void AutoHidePointer(int idleMs) {
    pointer_idle_.setInterval(std::max(idleMs, 0));
    pointer_idle_.start();
  }

  // Brings the pointer back and starts its idle time anew.
  void PointerActive() {
    if (pointer_hidden_) {
      pointer_hidden_ = false;
      setCursor(Qt::ArrowCursor);
    }
    if (pointer_idle_.interval() > 0) pointer_idle_.start();
  }

  void PauseAutoHide() {
    PointerActive();
    pointer_idle_.stop();
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
            if (full_screen && !hosted) setGeometry(area);
          });
    };
    QObject::connect(window, &QWindow::screenChanged, this, [this, track](QScreen* screen) {
      track(screen);
      Relayout();
    });
    track(window->screen());
  }

 protected:
  int64_t Edge(int64_t pixels) const { return DeviceEdge(pixels, scale_steps); }

  // The device pixel where the client area starts. A centred window's client area ends at
  // the window's right and bottom edges, whatever rounding gave the window its device size;
  // its frame takes what is left.
  QPoint ClientOrigin() const {
    if (full_screen) return {0, 0};
    const QSize device = DeviceSize(), client = ClientSize();
    return {static_cast<int>(std::max<int64_t>(0, device.width() - Edge(client.width()))),
            static_cast<int>(std::max<int64_t>(0, device.height() - Edge(client.height())))};
  }

  // A rectangle of the client area, in pixels, as device pixels of the window.
  QRect DeviceRect(int left, int top, int width, int height) const {
    const QPoint origin = ClientOrigin();
    const int64_t x = Edge(left), y = Edge(top);
    return QRect(origin.x() + static_cast<int>(x), origin.y() + static_cast<int>(y),
                 static_cast<int>(Edge(int64_t{left} + width) - x),
                 static_cast<int>(Edge(int64_t{top} + height) - y));
  }

  // The client pixel that holds a device pixel of the window.
  QPoint ClientPixel(QPoint device) const {
    const QPoint origin = ClientOrigin();
    const auto pixel = [&](int64_t d) {
      return static_cast<int>(
          std::clamp<int64_t>(PixelAtDevice(d, scale_steps), INT_MIN / 2, INT_MAX / 2));
    };
    return {pixel(int64_t{device.x()} - origin.x()), pixel(int64_t{device.y()} - origin.y())};
  }

  void paintEvent(QPaintEvent* event) override {
    painted_ = true;
    QPainter painter(this);
    // Paint in device pixels: the surfaces are copied 1:1, without scaling.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QSize device = DeviceSize();
    const QPoint origin = ClientOrigin();
    if (frame > 0) PaintFrame(painter, device, origin);
    const QRect client(origin, device);
    QRegion uncovered(client);
    // Only the parts asked for, each a plain copy of the surface's store.
    std::vector<QRect> asked;
    for (const QRect& rect : event->region()) {
      asked.push_back(
          QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio)
              .toAlignedRect()
              .intersected(client));
    }
    for (const Surface* surface : surfaces) {
      const QImage image = SurfaceImage(*surface);
      const QPoint at = SurfaceOrigin(*surface);
      const QRect shown(at, image.size());
      for (const QRect& rect : asked) {
        const QRect part = rect.intersected(shown);
        if (!part.isEmpty()) painter.drawImage(part.topLeft(), image, part.translated(-at));
      }
      uncovered -= shown;
    }
    for (const QRect& rect : uncovered)
      painter.fillRect(rect, Qt::black);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const Label* label : labels)
      PaintLabel(painter, *label);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const ControlWindow* control : controls)
      PaintControl(painter, *control);
  }

  // A thin raised edge on the left and top sides, beside the client area.
  void PaintFrame(QPainter& painter, const QSize& device, const QPoint& origin) {
    const auto color = [](int index) {
      const Color c = DesktopSystemColor(index);
      return QColor(RedOf(c), GreenOf(c), BlueOf(c));
    };
    const QColor light = color(kColor3DLight);
    const QColor highlight = color(kColorButtonHighlight);
    const QPoint half = origin / 2;
    painter.fillRect(QRect(0, 0, device.width(), origin.y()), light);
    painter.fillRect(QRect(0, 0, origin.x(), device.height()), light);
    painter.fillRect(QRect(half.x(), half.y(), device.width(), origin.y() - half.y()), highlight);
    painter.fillRect(QRect(half.x(), half.y(), origin.x() - half.x(), device.height()), highlight);
  }

  void PaintLabel(QPainter& painter, const Label& label) const {
    if (!label.Visible || label.Caption().empty()) return;
    QFont font(QString::fromStdString(label.Font.name));
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(PixelSizeForPoints(label.Font.size) * Scale()))));
    font.setBold(label.Font.bold);
    font.setItalic(label.Font.italic);
    painter.setFont(font);
    painter.setPen(
        QColor(RedOf(label.ForeColor), GreenOf(label.ForeColor), BlueOf(label.ForeColor)));
    const QRect box = DeviceRect(label.Left(), label.Top(), label.Width(), label.Height());
    const int align = label.TextAlignment == Label::kCenter  ? Qt::AlignHCenter
                      : label.TextAlignment == Label::kRight ? Qt::AlignRight
                                                             : Qt::AlignLeft;
    painter.save();
    painter.setClipRect(box);
    painter.drawText(box, align | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromStdString(label.Caption()));
    painter.restore();
  }

  // A control shows its background picture, cut to its region.
  void PaintControl(QPainter& painter, const ControlWindow& control) const {
    const PictureRef& picture = control.Picture();
    if (!control.Visible() || !picture || !picture->Valid() || picture->width == 0) return;
    const QImage image(reinterpret_cast<const uchar*>(picture->pixels.data()), picture->width,
                       picture->height, picture->width * 4, QImage::Format_RGBA8888);
    const double shown = SaneDeviceScale(picture->scale);
    const QRect target =
        DeviceRect(control.Left(), control.Top(), picture->width / shown, picture->height / shown);
    painter.save();
    painter.setClipRegion(DeviceShape(control));
    if (target.size() == image.size()) {
      painter.drawImage(target.topLeft(), image);
    } else {
      painter.drawImage(target, image);
    }
    painter.restore();
  }

  // The device pixels of a control's window.
  // The control's shape in device pixels of the window, built once and kept until the control
  // changes or the window is laid out anew.
  const QRegion& DeviceShape(const ControlWindow& control) const {
    auto [kept, added] = shapes_.try_emplace(&control);
    if (added) kept->second = BuildDeviceShape(control);
    return kept->second;
  }

  QRegion BuildDeviceShape(const ControlWindow& control) const {
    const auto rect = [&](int x, int y, int width, int height) {
      return DeviceRect(control.Left() + x, control.Top() + y, width, height);
    };
    if (!control.WindowRegion()) return rect(0, 0, control.Width(), control.Height());
    const Region& region = *control.WindowRegion();
    QRegion shape;
    for (int y = 0; y < control.Height(); ++y) {
      int run = -1;
      for (int x = 0; x <= control.Width(); ++x) {
        const bool in = x < control.Width() && region.Contains(x, y);
        if (in && run < 0) run = x;
        if (!in && run >= 0) {
          shape += rect(run, y, x - run, 1);
          run = -1;
        }
      }
    }
    return shape;
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (const int key = VirtualKey(*event)) input.KeyPressed(key, ShiftCode(event->modifiers()));
    // The form sees every typed character, whichever part of it has the focus.
    const QString text = event->text();
    if (!text.isEmpty() && owner_.KeyPress) owner_.KeyPress(text.at(0).unicode());
  }

  void keyReleaseEvent(QKeyEvent* event) override {
    if (event->isAutoRepeat()) return;
    if (const int key = VirtualKey(*event)) input.KeyReleased(key, ShiftCode(event->modifiers()));
  }

  // A mouse position in the client area's pixels.
  QPoint ClientPoint(const QMouseEvent& event) const {
    const QPointF device = event.position() * devicePixelRatioF();
    return ClientPixel(
        QPoint(static_cast<int>(std::floor(device.x())), static_cast<int>(std::floor(device.y()))));
  }

  void mousePressEvent(QMouseEvent* event) override { Press(*event, false); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Press(*event, true); }

  void Press(const QMouseEvent& event, bool doubleClick) {
    PointerActive();
    const QPoint at = ClientPoint(event);
    if (input.ButtonPressed(at.x(), at.y(), ButtonCode(event.button()), KeysOf(event),
                            doubleClick)) {
      return;
    }
    if (!doubleClick && event.button() == Qt::LeftButton) {
      for (auto it = labels.rbegin(); it != labels.rend(); ++it) {
        Label& label = **it;
        if (label.Visible && label.Contains(at.x(), at.y())) {
          if (label.Click) label.Click();
          return;
        }
      }
    }
    if (!owner_.MouseDown) return;
    // Otherwise the topmost surface under the pointer receives the press.
    for (auto it = surfaces.rbegin(); it != surfaces.rend(); ++it) {
      Surface& surface = **it;
      const double x = at.x() - surface.Left();
      const double y = at.y() - surface.Top();
      if (x >= 0 && y >= 0 && x < surface.PixelWidth() && y < surface.PixelHeight()) {
        owner_.MouseDown(surface, ButtonCode(event.button()), ShiftCode(event.modifiers()),
                         surface.ScaleX(x), surface.ScaleY(y));
        return;
      }
    }
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    const QPoint at = ClientPoint(*event);
    input.ButtonReleased(at.x(), at.y(), ButtonCode(event->button()), KeysOf(*event));
    UpdateCursor(at);
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    PointerActive();
    const QPoint at = ClientPoint(*event);
    input.PointerMoved(at.x(), at.y(), KeysOf(*event));
    UpdateCursor(at);
  }

  void leaveEvent(QEvent*) override { input.PointerLeft(); }

  void resizeEvent(QResizeEvent*) override { Relayout(); }

  // The pointer shape of the control under the pointer; a pointing hand for a control's own.
  void UpdateCursor(const QPoint& at) {
    if (pointer_hidden_) return;
    const ControlWindow* under = input.ControlAt(at.x(), at.y());
    const bool hand = under != nullptr && under->MousePointer() == kPointerCustom;
    if (hand != (cursor().shape() == Qt::PointingHandCursor)) {
      setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
  }

  void HidePointer() {
    pointer_hidden_ = true;
    setCursor(Qt::BlankCursor);
  }

  void closeEvent(QCloseEvent* event) override {
    event->accept();
    pointer_idle_.stop();
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
  mutable std::map<const ControlWindow*, QRegion> shapes_;  // see DeviceShape
  QPointer<QWindow> followed_;
  QMetaObject::Connection screen_size_;
  QTimer pointer_idle_;
  bool pointer_hidden_ = false;
};

QtWindow::QtWindow() : widget_(std::make_unique<SurfaceWidget>(*this)) {}

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
  widget_->frame = std::max(frameWidth, 0);
  widget_->full_screen = false;
  widget_->setWindowFlag(Qt::FramelessWindowHint);
  // One pixel is one of the desktop's logical pixels: the window has the size on screen that
  // it has on an ordinary screen.
  widget_->fixed_client = QSize(std::max(clientWidth, 0), std::max(clientHeight, 0));
  const QSize size = widget_->fixed_client + QSize(widget_->frame, widget_->frame);
  widget_->setFixedSize(size);
  if (QScreen* screen = widget_->screen() ? widget_->screen() : QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    Area keep = keepOnScreen;
    keep.left += widget_->frame;
    keep.top += widget_->frame;
    const Place at = CentredPlace({area.x(), area.y(), area.width(), area.height()}, size.width(),
                                  size.height(), keep);
    widget_->move(at.left, at.top);
  }
  if (!widget_->controls.empty() && widget_->input.Focused() == nullptr) {
    widget_->input.SetFocus(widget_->controls.front());
  }
  widget_->EndUnlessShownWithin(kFirstShowingMs);
  widget_->show();
  widget_->FollowScreen();
  widget_->Relayout();
  TakeFocusOnceShown(*widget_);
}

void QtWindow::AddLabel(Label& label) {
  widget_->labels.push_back(&label);
  // A new caption shows without presenting the surfaces again.
  label.Changed = [widget = widget_.get(), &label] {
    widget->UpdateClientRect(label.Left(), label.Top(), label.Width(), label.Height());
  };
}

void QtWindow::ShowFullScreen() {
  widget_->full_screen = true;
  if (host_) {
    ShowInHost();
    return;
  }
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
  widget_->AutoHidePointer(idleMs);
}

void QtWindow::AddSurface(Surface& surface) {
  widget_->HandScaleTo(surface);
  widget_->surfaces.push_back(&surface);
}

void QtWindow::AddControl(ControlWindow& control) {
  control.SetDeviceScale(widget_->Scale());
  widget_->controls.push_back(&control);
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

void QtWindow::Unload() {
  widget_->close();
}

void QtWindow::PopupMenu(Menu& menu) {
  // The pointer shows while the menu is open, and rests anew once it has closed.
  widget_->PauseAutoHide();
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
  widget_->PointerActive();
  for (auto& [action, item] : actions) {
    if (action == chosen && item->Click) {
      item->Click();
      break;
    }
  }
}

}  // namespace starquill
