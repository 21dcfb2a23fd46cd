#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/support/printable.h"

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
constexpr std::array<std::string_view, 3> kOwnOptionsWithValue = {"seed", "programme", "window-id"};

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
  std::optional<bool> smooth, glow;  // as asked for; else the way to run decides
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
      run.course.seed = static_cast<uint32_t>(*seed);
    } else if (name == "programme") {
      run.course.programme = ProgrammeFrom(*value);
      if (!run.course.programme) {
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
      run.course.straightToShow = true;
    } else if (name == "root") {
      run.root = true;
    } else if (name == "verbose") {
      run.verbose = true;
    } else if (name == "sound") {
      run.sound = true;
    } else if (name == "smooth" || name == "no-smooth") {
      smooth = name == "smooth";
    } else if (name == "glow" || name == "no-glow") {
      glow = name == "glow";
    } else if (name == "vivid") {
      smooth = glow = true;
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
  // A screen saver shows the show alone, with a programme to keep the sky busy, and vivid
  // unless told otherwise: nobody runs it for the plain look.
  if (run.root || run.windowId) {
    run.course.screenSaver = true;
    if (!run.course.programme) run.course.programme = Programme::Medium;
  }
  run.course.look.smooth = smooth.value_or(run.course.screenSaver);
  run.course.look.glow = glow.value_or(run.course.screenSaver);
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
         "      --root              run as a screen saver: draw on the window named by\n"
         "                          XSCREENSAVER_WINDOW, or on the whole screen\n"
         "      --window-id ID      run as a screen saver in the X window ID (decimal, or\n"
         "                          hexadecimal after 0x)\n"
         "  -h, --help              show this help and exit\n"
         "      --version           show the version and exit\n"
         "As a screen saver the show takes no keys, runs the Medium programme unless\n"
         "--programme says otherwise, and ends on SIGTERM.\n"
         "The windowing toolkit's own options, such as -platform NAME and -display DISPLAY\n"
         "(or -platform=NAME), are accepted too.\n"
         "\n"
         "Examples:\n"
         "  starquill --show --programme grand-finale\n"
         "  starquill --show --sound\n"
         "  starquill --show --vivid --programme grand-finale\n"
         "  starquill --window-id 0x3a00007\n";
}

std::string VersionText() {
  return "starquill " STARQUILL_VERSION "\n";
}

}  // namespace starquill
