#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "platform/support/ascii.h"
#include "platform/support/printable.h"
#include "platform/video/video_file.h"

namespace starquill {
namespace {

// The toolkit's own options (with one dash or two), those that take a value and those that
// do not.
constexpr std::array<std::string_view, 13> kToolkitOptionsWithValue = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger"};
constexpr std::array<std::string_view, 5> kToolkitFlags = {"reverse", "widgetcount", "nograb",
                                                           "dograb", "sync"};
// Our own options that take a value.
constexpr std::array<std::string_view, 8> kOwnOptionsWithValue = {
    "seed", "programme", "window-id", "record", "duration", "size", "fps", "keys"};
// The longest recording, and the largest frame and rate: beyond them lies a mistake.
constexpr double kLongestRecordingSeconds = 24 * 3600;
constexpr int kLargestFrameSide = 7680;
constexpr int kHighestFps = 240;

bool Contains(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

CommandLine Error(std::string message) {
  return {CommandLine::Action::Error, std::move(message), {}, {}};
}

std::string Quoted(std::string_view text) {
  std::string quoted = Printable(text);
  quoted.insert(quoted.begin(), '\'');
  quoted.push_back('\'');
  return quoted;
}

// A whole number written in the given base, all of the text, up to the largest value.
std::optional<uint64_t> WholeNumber(std::string_view text, int base, uint64_t largest) {
  uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || error != std::errc() || stop != end || value > largest) return std::nullopt;
  return value;
}

std::optional<Programme> ProgrammeFrom(std::string_view text) {
  if (text == "minimal") return Programme::Minimal;
  if (text == "medium") return Programme::Medium;
  if (text == "grand-finale") return Programme::GrandFinale;
  return std::nullopt;
}

// A number of seconds as people write it: digits, with a decimal point and fraction if any.
std::optional<double> Seconds(std::string_view text) {
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (point != std::string_view::npos && fraction.empty()) return std::nullopt;
  const auto digits = [](std::string_view t) {
    return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(whole) || !digits(fraction) || whole.size() > 9 || fraction.size() > 9) {
    return std::nullopt;
  }
  double value = 0;
  for (const char c : whole)
    value = value * 10 + (c - '0');
  double scale = 0.1;
  for (const char c : fraction) {
    value += (c - '0') * scale;
    scale /= 10;
  }
  return value;
}

// Why a file's extension names no video format the program writes, listing those it does.
std::optional<std::string> UnknownVideoFormat(std::string_view file) {
  const size_t slash = file.rfind('/');
  const std::string_view name = file.substr(slash == std::string_view::npos ? 0 : slash + 1);
  const size_t dot = name.rfind('.');
  const std::string extension =
      AsciiLower(dot == std::string_view::npos ? std::string_view() : name.substr(dot));
  const std::vector<std::string> known = VideoFile::KnownExtensions();
  if (std::find(known.begin(), known.end(), extension) != known.end()) return std::nullopt;
  std::string list;
  for (size_t i = 0; i < known.size(); ++i)
    list += (i == 0 ? "" : i + 1 == known.size() ? " or " : ", ") + known[i];
  return (extension.empty() ? std::string("a video file needs an extension")
                            : "unknown video format " + Quoted(extension)) +
         ": use " + list;
}

// "1@2.0,3@2.5,g@4": the show's keys at their moments, in the order of the moments.
std::optional<std::vector<KeyAt>> KeySchedule(std::string_view text) {
  std::vector<KeyAt> keys;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view entry = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (comma != std::string_view::npos && text.empty()) return std::nullopt;  // a trailing comma
    if (entry.size() < 3 || entry[1] != '@') return std::nullopt;
    const char key = entry[0];
    if (!((key >= '1' && key <= '7') || (key >= 'a' && key <= 'g'))) return std::nullopt;
    const auto at = Seconds(entry.substr(2));
    if (!at || *at > kLongestRecordingSeconds) return std::nullopt;
    keys.push_back({key, std::llround(*at * 1000)});
  }
  if (keys.empty()) return std::nullopt;
  std::stable_sort(keys.begin(), keys.end(),
                   [](const KeyAt& a, const KeyAt& b) { return a.ms < b.ms; });
  return keys;
}

}  // namespace

std::optional<uint32_t> ParseWindowId(std::string_view text) {
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const auto id = WholeNumber(hex ? text.substr(2) : text, hex ? 16 : 10, 0xFFFFFFFF);
  if (!id || *id == 0) return std::nullopt;
  return static_cast<uint32_t>(*id);
}

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
  CommandLine command;
  RunOptions& run = command.run;
  RecordOptions record;
  bool recording = false, quiet = false;
  std::vector<std::string_view> recordingOnly;  // options given that only a recording takes
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") return {CommandLine::Action::Help, {}, {}, {}};
    if (arg == "--version") return {CommandLine::Action::Version, {}, {}, {}};
    if (arg.size() < 2 || arg[0] != '-') return Error("unexpected argument " + Quoted(arg));
    std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
    const size_t equals = name.find('=');
    std::optional<std::string_view> value;
    if (equals != std::string_view::npos) value = name.substr(equals + 1);
    name = name.substr(0, equals);

    const bool takesValue =
        Contains(kToolkitOptionsWithValue, name) || Contains(kOwnOptionsWithValue, name);
    if (takesValue && !value) {
      if (++i == args.size()) return Error("option " + Quoted(arg) + " needs a value");
      value = args[i];
    }
    if (!takesValue && value) return Error("unrecognised option " + Quoted(arg));
    if (Contains(kToolkitOptionsWithValue, name)) {
      command.toolkitArgs.push_back(std::string("-").append(name));
      command.toolkitArgs.emplace_back(*value);
    } else if (Contains(kToolkitFlags, name)) {
      command.toolkitArgs.push_back(std::string("-").append(name));
    }

    if (name == "seed") {
      const auto seed = WholeNumber(*value, 10, kLargestSeed);
      if (!seed) {
        return Error("option '--seed' needs a whole number from 0 to " +
                     std::to_string(kLargestSeed) + ", not " + Quoted(*value));
      }
      run.seed = static_cast<uint32_t>(*seed);
    } else if (name == "programme") {
      run.programme = ProgrammeFrom(*value);
      if (!run.programme) {
        return Error("option '--programme' needs minimal, medium or grand-finale, not " +
                     Quoted(*value));
      }
    } else if (name == "window-id") {
      run.windowId = ParseWindowId(*value);
      if (!run.windowId) {
        return Error("option '--window-id' needs a window id, decimal or 0x hexadecimal, not " +
                     Quoted(*value));
      }
    } else if (name == "show") {
      run.straightToShow = true;
    } else if (name == "root") {
      run.root = true;
    } else if (name == "verbose") {
      run.verbose = true;
    } else if (name == "sound") {
      run.sound = true;
    } else if (name == "smooth" || name == "no-smooth") {
      run.smooth = name == "smooth";
    } else if (name == "glow" || name == "no-glow") {
      run.glow = name == "glow";
    } else if (name == "vivid") {
      run.smooth = run.glow = true;
    } else if (name == "record") {
      if (value->empty()) return Error("option '--record' needs a file name");
      if (auto unknown = UnknownVideoFormat(*value)) return Error(*unknown);
      record.file = std::string(*value);
      recording = true;
    } else if (name == "duration") {
      const auto seconds = Seconds(*value);
      if (!seconds || *seconds <= 0 || *seconds > kLongestRecordingSeconds) {
        return Error("option '--duration' needs a number of seconds above 0, up to 86400, not " +
                     Quoted(*value));
      }
      record.seconds = *seconds;
      recordingOnly.push_back("--duration");
    } else if (name == "size") {
      const size_t x = value->find('x');
      const auto w = WholeNumber(value->substr(0, x), 10, kLargestFrameSide);
      const auto h = x == std::string_view::npos
                         ? std::nullopt
                         : WholeNumber(value->substr(x + 1), 10, kLargestFrameSide);
      if (!w || !h || *w < 16 || *h < 16 || *w % 2 != 0 || *h % 2 != 0) {
        return Error("option '--size' needs WIDTHxHEIGHT, even numbers from 16 to 7680, not " +
                     Quoted(*value));
      }
      record.width = static_cast<int>(*w);
      record.height = static_cast<int>(*h);
      recordingOnly.push_back("--size");
    } else if (name == "fps") {
      const auto fps = WholeNumber(*value, 10, kHighestFps);
      if (!fps || *fps < 1) {
        return Error("option '--fps' needs a whole number of frames a second from 1 to 240, not " +
                     Quoted(*value));
      }
      record.fps = static_cast<int>(*fps);
      recordingOnly.push_back("--fps");
    } else if (name == "keys") {
      const auto keys = KeySchedule(*value);
      if (!keys) {
        return Error(
            "option '--keys' needs keys at seconds, such as \"1@2.0,3@2.5,g@4\" (keys 1 "
            "to 7 and a to g), not " +
            Quoted(*value));
      }
      record.keys = *keys;
      recordingOnly.push_back("--keys");
    } else if (name == "quiet") {
      quiet = true;
      recordingOnly.push_back("--quiet");
    } else if (!takesValue && !Contains(kToolkitFlags, name)) {
      return Error("unrecognised option " + Quoted(arg));
    }
  }
  if (run.root && run.windowId) {
    return Error("options '--root' and '--window-id' cannot be used together");
  }
  if (run.sound && (run.root || run.windowId)) {
    return Error("option '--sound' is not for a screen saver");
  }
  if (recording) {
    if (run.root || run.windowId) {
      return Error(std::string("option '") + (run.root ? "--root" : "--window-id") +
                   "' makes no sense with '--record'");
    }
    record.quiet = quiet;
    run.record = std::move(record);
  } else if (!recordingOnly.empty()) {
    return Error("option '" + std::string(recordingOnly.front()) + "' is for '--record' only");
  }
  return command;
}

std::string UsageText() {
  return "Usage: starquill [OPTION...]\n"
         "A fireworks show for the desktop: rockets rise, burst and shower coloured sparkles\n"
         "over a night sky. Start it from the opening window.\n"
         "\n"
         "Keys during the show:\n"
         "  1 to 7, a to g   launch one of the seven firework types at once\n"
         "  s                mute or unmute the sound (with --sound)\n"
         "  v                switch the vivid look on and off\n"
         "  Esc              end the show (it also closes the opening window)\n"
         "A right click on the sky opens the menu:\n"
         "  Minimal, Medium, Grand Finale   add a programme: a firework every 3 s, 1 s or\n"
         "                                  0.6 s; choosing the running one again stops it\n"
         "  How To                          a reminder of the keys\n"
         "  Exit                            end the show\n"
         "\n"
         "Options:\n"
         "      --show              open the show at once, without the opening window\n"
         "      --programme NAME    start the show with a programme: minimal, medium or\n"
         "                          grand-finale (as if chosen from the menu)\n"
         "      --seed N            start from the random seed N (0 to 2147483647): the\n"
         "                          same seed and the same keys give the same show\n"
         "      --verbose           say the seed in use, to see a show again\n"
         "      --sound             hear the show: launches whoosh, bursts bang, trails\n"
         "                          crackle; the key s mutes and unmutes\n"
         "      --smooth            show frames at the screen's rate, the fireworks drawn\n"
         "                          where they are between the 50 ms steps of the show\n"
         "      --glow              let sparkles glow and bursts light the sky\n"
         "      --vivid             both: the vivid look (the key v switches it)\n"
         "      --no-smooth         one frame per step of the show, and\n"
         "      --no-glow           no glow (as a screen saver the look is vivid)\n"
         "      --record FILE       render the show into a video file and end, without a\n"
         "                          window or a display: FILE.mp4 (H.264 and AAC),\n"
         "                          FILE.webm (VP9 and Opus) or FILE.mkv (lossless)\n"
         "      --duration SECONDS  the recording's length (60 unless told)\n"
         "      --size WxH          its frame size in pixels (1920x1080 unless told)\n"
         "      --fps N             its frames a second (60 unless told; 20 gives one for\n"
         "                          each 50 ms step of the show)\n"
         "      --keys LIST         the show's keys at moments of the recording, such as\n"
         "                          1@2.0,3@2.5,g@4 (key 1 at 2 s, 3 at 2.5 s, g at 4 s)\n"
         "      --quiet             no progress on stderr while recording\n"
         "      --root              run as a screen saver: draw on the window named by\n"
         "                          XSCREENSAVER_WINDOW, or on the whole screen\n"
         "      --window-id ID      run as a screen saver in the X window ID (decimal, or\n"
         "                          hexadecimal after 0x)\n"
         "  -h, --help              show this help and exit\n"
         "      --version           show the version and exit\n"
         "As a screen saver the show takes no keys, runs the Medium programme unless\n"
         "--programme says otherwise, and ends on SIGTERM. A recording's time is the\n"
         "show's own: the same options give the same video.\n"
         "The windowing toolkit's own options, such as -platform NAME and -display DISPLAY\n"
         "(or -platform=NAME), are accepted too.\n"
         "\n"
         "Examples:\n"
         "  starquill --show --programme grand-finale\n"
         "  starquill --show --sound\n"
         "  starquill --show --vivid --programme grand-finale\n"
         "  starquill --record clip.mp4 --duration 20 --vivid --sound --keys 6@1,5@3\n"
         "  starquill --window-id 0x3a00007\n";
}

std::string VersionText() {
  return "starquill " STARQUILL_VERSION "\n";
}

}  // namespace starquill
