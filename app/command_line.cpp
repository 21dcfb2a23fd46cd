#include "app/command_line.h"

#include <algorithm>
#include <array>

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

bool Contains(std::span<const std::string_view> names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

CommandLine Error(std::string message) {
  return {CommandLine::Action::Error, std::move(message)};
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") return {CommandLine::Action::Help, {}};
    if (arg == "--version") return {CommandLine::Action::Version, {}};
    if (arg.size() < 2 || arg[0] != '-') {
      return Error("unexpected argument '" + std::string(arg) + "'");
    }
    std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
    const size_t equals = name.find('=');
    const bool valueAttached = equals != std::string_view::npos;
    name = name.substr(0, equals);
    if (Contains(kToolkitOptionsWithValue, name)) {
      if (!valueAttached && ++i == args.size()) {
        return Error("option '" + std::string(arg) + "' needs a value");
      }
    } else if (!Contains(kToolkitFlags, name) || valueAttached) {
      return Error("unrecognised option '" + std::string(arg) + "'");
    }
  }
  return {};
}

std::string UsageText() {
  return "Usage: starquill [--help | --version]\n"
         "A fireworks show for the desktop: rockets rise, burst and shower coloured sparkles\n"
         "over a night sky. Start it from the opening window.\n"
         "\n"
         "Keys during the show:\n"
         "  1 to 7, a to g   launch one of the seven firework types at once\n"
         "  Esc              end the show (it also closes the opening window)\n"
         "A right click on the sky opens the menu:\n"
         "  Minimal, Medium, Grand Finale   add a programme: a firework every 3 s, 1 s or\n"
         "                                  0.6 s; choosing the running one again stops it\n"
         "  How To                          a reminder of the keys\n"
         "  Exit                            end the show\n"
         "\n"
         "Options:\n"
         "  -h, --help       show this help and exit\n"
         "      --version    show the version and exit\n"
         "The windowing toolkit's own options, such as -platform NAME and -display DISPLAY,\n"
         "are accepted too.\n";
}

std::string VersionText() {
  return "starquill " STARQUILL_VERSION "\n";
}

}  // namespace starquill
