#include "platform/qt/qt_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QWindow>
#include <cmath>

#include "platform/control_input.h"
#include "platform/control_window.h"
#include "platform/gdi.h"
#include "platform/label.h"
#include "platform/menu.h"
#include "platform/qt/nested_events.h"
#include "platform/surface.h"

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

// The MK_ key state of a mouse message: the buttons held and the modifier keys.
WPARAM KeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return (buttons & Qt::LeftButton ? MK_LBUTTON : 0) |
         (buttons & Qt::RightButton ? MK_RBUTTON : 0) |
         (buttons & Qt::MiddleButton ? MK_MBUTTON : 0) |
         (modifiers & Qt::ShiftModifier ? MK_SHIFT : 0) |
         (modifiers & Qt::ControlModifier ? MK_CONTROL : 0);
}

WPARAM ButtonFlag(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MK_LBUTTON;
    case Qt::RightButton:
      return MK_RBUTTON;
    case Qt::MiddleButton:
      return MK_MBUTTON;
    default:
      return 0;
  }
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

int ShiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? kShiftKey : 0) |
         (modifiers & Qt::ControlModifier ? kCtrlKey : 0) |
         (modifiers & Qt::AltModifier ? kAltKey : 0);
}

}  // namespace

class QtWindow::SurfaceWidget : public QWidget {
 public:
  explicit SurfaceWidget(QtWindow& owner) : owner_(owner) {
    // Every pixel is painted by paintEvent, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);  // moves without a button held reach the controls too
  }

  std::vector<Surface*> surfaces;
  std::vector<ControlWindow*> controls;
  std::vector<Label*> labels;
  ControlInput input;
  int frame = 0;  // device pixels of frame on the left and top; the client area lies beside it

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const qreal ratio = devicePixelRatioF();
    const qreal offset = frame / ratio;
    if (frame > 0) PaintFrame(painter, offset);
    painter.translate(offset, offset);
    QRegion uncovered(QRect(0, 0, width(), height()));
    for (const Surface* surface : surfaces) {
      // The surface's pixels are 0x00BBGGRR with 0xFF on top: RGBA bytes, opaque.
      QImage image(reinterpret_cast<const uchar*>(surface->Bits()), surface->PixelWidth(),
                   surface->PixelHeight(), surface->PixelWidth() * 4, QImage::Format_RGBA8888);
      image.setDevicePixelRatio(ratio);
      const QPointF at(surface->Left() / ratio, surface->Top() / ratio);
      painter.drawImage(at, image);
      uncovered -=
          QRect(at.toPoint(), QSize(static_cast<int>(std::ceil(surface->PixelWidth() / ratio)),
                                    static_cast<int>(std::ceil(surface->PixelHeight() / ratio))));
    }
    for (const QRect& rect : uncovered)
      painter.fillRect(rect, Qt::black);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const Label* label : labels)
      PaintLabel(painter, *label, ratio);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const ControlWindow* control : controls)
      PaintControl(painter, *control, ratio);
  }

  // A thin raised edge on the left and top sides.
  void PaintFrame(QPainter& painter, qreal offset) {
    const auto color = [](int index) {
      const COLORREF c = GetSysColor(index);
      return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                    static_cast<int>((c >> 16) & 0xFF));
    };
    const qreal half = offset / 2;
    painter.fillRect(QRectF(0, 0, width(), offset), color(22));  // 3-D light
    painter.fillRect(QRectF(0, 0, offset, height()), color(22));
    painter.fillRect(QRectF(half, half, width(), offset - half), color(20));  // highlight
    painter.fillRect(QRectF(half, half, offset - half, height()), color(20));
  }

  static void PaintLabel(QPainter& painter, const Label& label, qreal ratio) {
    if (!label.Visible || label.Caption().empty()) return;
    QFont font(QString::fromStdString(label.Font.name));
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(PixelSizeForPoints(label.Font.size) / ratio))));
    font.setBold(label.Font.bold);
    font.setItalic(label.Font.italic);
    painter.setFont(font);
    painter.setPen(
        QColor(RedOf(label.ForeColor), GreenOf(label.ForeColor), BlueOf(label.ForeColor)));
    const QRectF box(label.Left() / ratio, label.Top() / ratio, label.Width() / ratio,
                     label.Height() / ratio);
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
  static void PaintControl(QPainter& painter, const ControlWindow& control, qreal ratio) {
    const PictureRef& picture = control.Picture();
    if (!control.Visible() || !picture || !picture->Valid() || picture->width == 0) return;
    QImage image(reinterpret_cast<const uchar*>(picture->pixels.data()), picture->width,
                 picture->height, picture->width * 4, QImage::Format_RGBA8888);
    image.setDevicePixelRatio(ratio);
    QRegion shape = ShapeOf(control);
    shape.translate(control.Left(), control.Top());
    painter.save();
    painter.setClipRegion(ratio == 1 ? shape : ScaledRegion(shape, ratio));
    painter.drawImage(QPointF(control.Left() / ratio, control.Top() / ratio), image);
    painter.restore();
  }

  // The pixels of a control's window, from its own top-left corner.
  static QRegion ShapeOf(const ControlWindow& control) {
    if (!control.WindowRegion()) return QRegion(0, 0, control.Width(), control.Height());
    const Region& region = *control.WindowRegion();
    QRegion shape;
    for (int y = 0; y < control.Height(); ++y) {
      int run = -1;
      for (int x = 0; x <= control.Width(); ++x) {
        const bool in = x < control.Width() && region.Contains(x, y);
        if (in && run < 0) run = x;
        if (!in && run >= 0) {
          shape += QRect(run, y, x - run, 1);
          run = -1;
        }
      }
    }
    return shape;
  }

  static QRegion ScaledRegion(const QRegion& region, qreal ratio) {
    QRegion scaled;
    for (const QRect& r : region) {
      scaled += QRect(QPoint(static_cast<int>(r.left() / ratio), static_cast<int>(r.top() / ratio)),
                      QSize(static_cast<int>(std::ceil(r.width() / ratio)),
                            static_cast<int>(std::ceil(r.height() / ratio))));
    }
    return scaled;
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

  // A mouse position in the client area's device pixels.
  QPoint DevicePoint(const QMouseEvent& event) const {
    const QPointF at = event.position() * devicePixelRatioF();
    return QPoint(static_cast<int>(std::floor(at.x())) - frame,
                  static_cast<int>(std::floor(at.y())) - frame);
  }

  void mousePressEvent(QMouseEvent* event) override { Press(*event, false); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Press(*event, true); }

  void Press(const QMouseEvent& event, bool doubleClick) {
    const QPoint at = DevicePoint(event);
    if (input.ButtonPressed(at.x(), at.y(), ButtonFlag(event.button()),
                            KeyState(event.buttons(), event.modifiers()), doubleClick)) {
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
    const QPoint at = DevicePoint(*event);
    input.ButtonReleased(at.x(), at.y(), ButtonFlag(event->button()),
                         KeyState(event->buttons(), event->modifiers()));
    UpdateCursor(at);
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint at = DevicePoint(*event);
    input.PointerMoved(at.x(), at.y(), KeyState(event->buttons(), event->modifiers()));
    UpdateCursor(at);
  }

  void leaveEvent(QEvent*) override { input.PointerLeft(); }

  // The pointer shape of the control under the pointer; a pointing hand for a control's own.
  void UpdateCursor(const QPoint& at) {
    const ControlWindow* under = input.ControlAt(at.x(), at.y());
    const bool hand = under != nullptr && under->MousePointer() == kPointerCustom;
    if (hand != (cursor().shape() == Qt::PointingHandCursor)) {
      setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
  }

  void closeEvent(QCloseEvent* event) override {
    event->accept();
    if (!unloaded_) {
      unloaded_ = true;
      if (owner_.Unloaded) owner_.Unloaded();
      if (owner_.closed_) owner_.closed_();
    }
  }

 private:
  QtWindow& owner_;
  bool unloaded_ = false;
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

void QtWindow::ShowCentered(int clientWidth, int clientHeight, int frameWidth) {
  widget_->frame = std::max(frameWidth, 0);
  widget_->setWindowFlag(Qt::FramelessWindowHint);
  const qreal ratio = widget_->devicePixelRatioF();
  const QSize size(static_cast<int>(std::lround((clientWidth + widget_->frame) / ratio)),
                   static_cast<int>(std::lround((clientHeight + widget_->frame) / ratio)));
  widget_->setFixedSize(size);
  QScreen* screen = widget_->screen() ? widget_->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QRect area = screen->availableGeometry();
    widget_->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  }
  widget_->show();
  TakeFocusOnceShown(*widget_);
}

void QtWindow::AddLabel(Label& label) {
  widget_->labels.push_back(&label);
  label.Changed = [widget = widget_.get()] { widget->update(); };
}

void QtWindow::ShowMaximized() {
  QScreen* screen = widget_->screen() ? widget_->screen() : QGuiApplication::primaryScreen();
  // Without a window manager a maximise request is ignored, so fill the area ourselves.
  if (screen) widget_->setGeometry(screen->availableGeometry());
  widget_->showMaximized();
  TakeFocusOnceShown(*widget_);
}

int QtWindow::ClientWidth() const {
  return static_cast<int>(std::lround(widget_->width() * widget_->devicePixelRatioF())) -
         widget_->frame;
}

int QtWindow::ClientHeight() const {
  return static_cast<int>(std::lround(widget_->height() * widget_->devicePixelRatioF())) -
         widget_->frame;
}

void QtWindow::AddSurface(Surface& surface) {
  widget_->surfaces.push_back(&surface);
}

void QtWindow::AddControl(ControlWindow& control) {
  widget_->controls.push_back(&control);
  widget_->input.AddControl(control);
  control.Changed = [widget = widget_.get()] { widget->update(); };
}

void QtWindow::Present() {
  widget_->update();
}

void QtWindow::Unload() {
  widget_->close();
}

void QtWindow::PopupMenu(Menu& menu) {
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
  for (auto& [action, item] : actions) {
    if (action == chosen && item->Click) {
      item->Click();
      break;
    }
  }
}

}  // namespace starquill
