#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace starquill {
namespace {

CommandLine Parse(std::vector<std::string_view> args) {
  return ParseCommandLine(args);
}

TEST(CommandLine, HelpVersionAndTheToolkitsOwnOptions) {
  EXPECT_EQ(Parse({}).action, CommandLine::Action::Run);
  EXPECT_EQ(Parse({"--help"}).action, CommandLine::Action::Help);
  EXPECT_EQ(Parse({"-h"}).action, CommandLine::Action::Help);
  EXPECT_EQ(Parse({"--version"}).action, CommandLine::Action::Version);
  // The toolkit's options, with their values in either form, are let through.
  EXPECT_EQ(Parse({"-platform", "xcb", "-display", ":1", "--style=Fusion", "-reverse"}).action,
            CommandLine::Action::Run);
  // A value is never mistaken for an option of ours, nor help after a value.
  EXPECT_EQ(Parse({"-qwindowtitle", "--help"}).action, CommandLine::Action::Run);
  EXPECT_EQ(Parse({"-display", ":1", "--version"}).action, CommandLine::Action::Version);
}

TEST(CommandLine, AnythingElseIsAnErrorInOneLine) {
  const auto error = [](std::vector<std::string_view> args) {
    const CommandLine command = Parse(args);
    EXPECT_EQ(command.action, CommandLine::Action::Error);
    EXPECT_EQ(command.error.find('\n'), std::string::npos);
    return command.error;
  };
  EXPECT_EQ(error({"--frobnicate"}), "unrecognised option '--frobnicate'");
  EXPECT_EQ(error({"show.txt"}), "unexpected argument 'show.txt'");
  EXPECT_EQ(error({"-platform"}), "option '-platform' needs a value");
  EXPECT_EQ(error({"-reverse=yes"}), "unrecognised option '-reverse=yes'");
  EXPECT_EQ(error({"-"}), "unexpected argument '-'");
  // The first thing found decides.
  EXPECT_EQ(error({"-x", "--help"}), "unrecognised option '-x'");
}

}  // namespace
}  // namespace starquill
