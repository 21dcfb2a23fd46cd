#pragma once
// Keeps an X server's own screen saver and display power management (DPMS) off: a server
// without a desktop around it (or a desktop that does not ask it) blanks the screen by itself.

struct xcb_connection_t;

namespace starquill {

class X11ScreenAwake {
 public:
  // Suspends the server's screen saver and turns DPMS off, through Qt's connection to the
  // server, when the application runs on X (the xcb platform) and the server has those
  // extensions; otherwise it does nothing.
  X11ScreenAwake();
  // Resumes the screen saver and turns DPMS on again if it was on, and waits until the server
  // has done so: the program may end right after.
  ~X11ScreenAwake();

  X11ScreenAwake(const X11ScreenAwake&) = delete;
  X11ScreenAwake& operator=(const X11ScreenAwake&) = delete;

 private:
  xcb_connection_t* connection_ = nullptr;  // Qt's, while it holds something
  bool saver_suspended_ = false;
  bool dpms_turned_off_ = false;
};

}  // namespace starquill
