#include "platform/qt/qt_host_window.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

namespace starquill {
namespace {

xcb_connection_t* Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

std::string HexId(uint32_t id) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", id);
  return text;
}

}  // namespace

uint32_t HostWindow::RootWindow() {
  xcb_connection_t* connection = Connection();
  if (!connection) return 0;
  const xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  return screens.rem > 0 ? screens.data->root : 0;
}

std::variant<std::unique_ptr<HostWindow>, std::string> HostWindow::Open(uint32_t id) {
  xcb_connection_t* connection = Connection();
  if (!connection) return std::string("a window id needs an X11 display");
  xcb_generic_error_t* error = nullptr;
  xcb_get_geometry_reply_t* geometry =
      xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), &error);
  xcb_get_window_attributes_reply_t* attributes = nullptr;
  if (geometry) {
    attributes = xcb_get_window_attributes_reply(connection,
                                                 xcb_get_window_attributes(connection, id), &error);
  }
  std::free(error);
  const QSize size = geometry ? QSize(geometry->width, geometry->height) : QSize();
  std::free(geometry);
  // A pixmap or any other drawable has a geometry too, but no window attributes.
  if (!attributes) return "there is no window " + HexId(id);
  // Such a window only takes input: nothing shows inside it, and no window can be put there.
  if (attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY) {
    std::free(attributes);
    return HexId(id) + " is an input-only window";
  }
  // Told when the window changes size or is destroyed; the events this program selected there
  // already (Qt selects some on the root window) stay selected.
  const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  std::free(attributes);
  xcb_change_window_attributes(connection, id, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  std::unique_ptr<HostWindow> host(new HostWindow(id, size));
  QCoreApplication::instance()->installNativeEventFilter(host.get());
  return host;
}

HostWindow::HostWindow(uint32_t id, QSize size)
    : id_(id), size_(size), window_(QWindow::fromWinId(id)) {}

bool HostWindow::HoldsInner() const {
  xcb_connection_t* connection = Connection();
  if (!connection || inner_ == 0) return false;
  xcb_query_tree_reply_t* tree =
      xcb_query_tree_reply(connection, xcb_query_tree(connection, inner_), nullptr);
  const bool held = tree && tree->parent == id_;
  std::free(tree);
  return held;
}

HostWindow::~HostWindow() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool HostWindow::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & ~0x80) {
    case XCB_CONFIGURE_NOTIFY: {
      const auto* configure = static_cast<const xcb_configure_notify_event_t*>(message);
      if (configure->window != id_) return false;
      const QSize size(configure->width, configure->height);
      if (size != size_) {
        size_ = size;
        if (Resized) Resized(size);
      }
      return false;
    }
    case XCB_DESTROY_NOTIFY: {
      const auto* destroy = static_cast<const xcb_destroy_notify_event_t*>(message);
      if (destroy->window != id_ && (inner_ == 0 || destroy->window != inner_)) return false;
      if (Gone) Gone();
      return true;
    }
    default:
      return false;
  }
}

}  // namespace starquill
