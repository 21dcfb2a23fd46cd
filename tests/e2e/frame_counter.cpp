// Counts the frames that reach an X server: watches the root window through the X DAMAGE
// extension for a number of seconds, then prints one line,
//
//   FRAMES_PER_SECOND FRAMES SECONDS RECTANGLES_PER_FRAME
//
// the frame rate over the time from the first frame's start to the last one's (FRAMES - 1
// intervals in SECONDS; 0 when fewer than two frames came), and how many rectangles a frame
// drew on average.
//
//   frame_counter SECONDS [GAP_MS]
//
// Damage on the root window covers every window on the screen (they all draw into the screen's
// one framebuffer), so this sees what a full-screen window presents as well as a program that
// draws on the root window itself.
//
// Each drawing request is reported as the rectangles it changed (DamageReportRawRectangles). A
// program presents a frame as a run of image requests that each change a different part of the
// screen: Qt puts one image per changed rectangle of its window, and a program that puts one
// image of the whole screen without the big-requests extension has it sent in strips of 256 KB.
// So a new frame has begun once a rectangle overlaps one the current frame has already drawn:
// the next frame is drawing the same place again. It began at the longest pause since that
// rectangle (see Frames::SplitAfter).
//
// Time alone does not tell frames apart. Frames are 16.7 ms apart at 60 frames a second, yet one
// frame's requests can pause for more than 10 ms (a 4K frame of several hundred rectangles, or
// of 128 strips, on a busy two-core machine, where the server or the program waits for a
// processor), so a short gap would cut frames in pieces. A pause of more than GAP_MS (25 unless
// given) also starts a new frame, so that frames that change different parts of the screen are
// told apart when they are at least that far apart, as at a 50 ms animation tick. Frames closer
// than that which share no pixel at all are not: they count as fewer.
//
// Watching costs the server a little: one event of 32 bytes per rectangle, a few thousand a
// second for a 4K show, which a benchmark should leave out of its processor times.

#include <poll.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "frame_counter: %s\n", message.c_str());
  std::exit(1);
}

double ParsePositive(const char* text, const char* what) {
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || !(value > 0)) Fail(std::string("bad ") + what + ": " + text);
  return value;
}

Clock::duration FromSeconds(double seconds) {
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

bool Overlap(const xcb_rectangle_t& a, const xcb_rectangle_t& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Frames as they come: the rectangles the current frame has drawn, and the frames so far.
class Frames {
 public:
  explicit Frames(Clock::duration gap) : gap_(gap) {}

  void Add(const xcb_rectangle_t& area, Clock::time_point when) {
    if (current_.empty() || when - current_.back().when > gap_) {
      current_.clear();
      Start(when);
    } else if (std::optional<size_t> overlapped = LastOverlapping(area)) {
      SplitAfter(*overlapped, when);
    }
    current_.push_back({area, when});
    ++rectangles_;
  }

  long count() const { return count_; }
  long rectangles() const { return rectangles_; }
  // From the first frame's start to the last one's.
  double seconds() const {
    return std::chrono::duration<double>(last_start_ - first_start_).count();
  }

 private:
  struct Drawn {
    xcb_rectangle_t area;
    Clock::time_point when;
  };

  void Start(Clock::time_point when) {
    if (count_ == 0) first_start_ = when;
    last_start_ = when;
    ++count_;
  }

  std::optional<size_t> LastOverlapping(const xcb_rectangle_t& area) const {
    for (size_t i = current_.size(); i-- > 0;) {
      if (Overlap(current_[i].area, area)) return i;
    }
    return std::nullopt;
  }

  // A new frame began after the rectangle at `overlapped` and by the time `when`. The next frame
  // need not start where the last one did (a frame draws only what changed), so its first
  // rectangles may have been taken for the end of the current one: the new frame begins at the
  // longest pause after `overlapped`, the pause between two frames being longer than those
  // within one. Without this a show whose frames start at different places would drift, each
  // frame's head taken for its predecessor's tail, until two frames merged into one.
  void SplitAfter(size_t overlapped, Clock::time_point when) {
    size_t start = current_.size();
    Clock::duration longest = when - current_.back().when;
    for (size_t i = overlapped; i + 1 < current_.size(); ++i) {
      const Clock::duration pause = current_[i + 1].when - current_[i].when;
      if (pause > longest) {
        longest = pause;
        start = i + 1;
      }
    }
    current_.erase(current_.begin(), current_.begin() + static_cast<std::ptrdiff_t>(start));
    Start(current_.empty() ? when : current_.front().when);
  }

  Clock::duration gap_;
  std::vector<Drawn> current_;
  long count_ = 0;
  long rectangles_ = 0;
  Clock::time_point first_start_, last_start_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) Fail("usage: frame_counter SECONDS [GAP_MS]");
  const double seconds = ParsePositive(argv[1], "number of seconds");
  const double gap_ms = argc == 3 ? ParsePositive(argv[2], "gap") : 25.0;

  int screen_number = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
  if (xcb_connection_has_error(connection)) Fail("cannot connect to the X server");
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screen_number && screens.rem > 0; ++i)
    xcb_screen_next(&screens);
  if (screens.rem == 0) Fail("the X server has no such screen");
  const xcb_window_t root = screens.data->root;

  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_damage_id);
  if (extension == nullptr || !extension->present) Fail("the X server has no DAMAGE extension");
  // The server speaks DAMAGE only to a client that has said which version it knows.
  std::unique_ptr<xcb_damage_query_version_reply_t, decltype(&std::free)> version(
      xcb_damage_query_version_reply(
          connection,
          xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
          nullptr),
      &std::free);
  if (!version) Fail("the DAMAGE extension does not answer");
  const uint8_t damage_notify = extension->first_event + XCB_DAMAGE_NOTIFY;

  const xcb_damage_damage_t damage = xcb_generate_id(connection);
  xcb_damage_create(connection, damage, root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
  xcb_flush(connection);

  Frames frames(FromSeconds(gap_ms / 1000));
  const int fd = xcb_get_file_descriptor(connection);
  const Clock::time_point deadline = Clock::now() + FromSeconds(seconds);
  for (;;) {
    // Everything already read into the connection's buffer is handled before waiting again.
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      const uint8_t type = event->response_type & 0x7f;
      if (type == 0) Fail("the X server refused a request");
      if (type == damage_notify) {
        frames.Add(reinterpret_cast<xcb_damage_notify_event_t*>(event)->area, Clock::now());
      }
      std::free(event);
    }
    if (xcb_connection_has_error(connection)) Fail("the X server closed the connection");
    const Clock::time_point now = Clock::now();
    if (now >= deadline) break;
    pollfd readable{fd, POLLIN, 0};
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
    if (poll(&readable, 1, static_cast<int>(left.count())) < 0) Fail("cannot wait for the server");
  }
  xcb_disconnect(connection);

  const long count = frames.count();
  const double span = frames.seconds();
  std::printf("%.2f %ld %.3f %.1f\n", count >= 2 && span > 0 ? (count - 1) / span : 0.0, count,
              span, count > 0 ? static_cast<double>(frames.rectangles()) / count : 0.0);
  return 0;
}
