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

TEST(CommandLine, TheToolkitGetsItsOptionsInTheFormItReads) {
  const CommandLine command =
      Parse({"--platform=offscreen", "--seed", "3", "-display", ":1", "--sync", "--show"});
  EXPECT_EQ(command.toolkitArgs,
            (std::vector<std::string>{"-platform", "offscreen", "-display", ":1", "-sync"}));
}

TEST(CommandLine, EchoedArgumentsArePrintableAndShort) {
  EXPECT_EQ(Printable("plain, ünïcode ✓"), "plain, ünïcode ✓");
  EXPECT_EQ(Printable("a\nb\tc\x1b[31m\x7f"), "a\\nb\\tc\\x1b[31m\\x7f");
  // Bytes that are not UTF-8: stray, cut off, overlong, a surrogate, C1 controls.
  EXPECT_EQ(Printable("\xff\xc3"), "\\xff\\xc3");
  EXPECT_EQ(Printable("\xc0\xaf\xed\xa0\x80\xc2\x85"), "\\xc0\\xaf\\xed\\xa0\\x80\\xc2\\x85");
  EXPECT_EQ(Printable(std::string(1000, 'x'), 5), "xxxxx...");
  EXPECT_EQ(Printable("\xff\xff", 1), "\\xff...");
  const CommandLine command = Parse({"--\n\x1b]0;title\x07"});
  EXPECT_EQ(command.error, "unrecognised option '--\\n\\x1b]0;title\\x07'");
}

TEST(CommandLine, WaysToRunTheShow) {
  const auto run = [](std::vector<std::string_view> args) {
    const CommandLine command = Parse(args);
    EXPECT_EQ(command.action, CommandLine::Action::Run) << command.error;
    return command.run;
  };
  const RunOptions plain = run({});
  EXPECT_FALSE(plain.course.seed || plain.course.programme || plain.windowId);
  EXPECT_FALSE(plain.course.straightToShow || plain.course.screenSaver || plain.verbose);

  EXPECT_EQ(run({"--seed", "0"}).course.seed, 0u);
  EXPECT_EQ(run({"--seed=2147483647"}).course.seed, 2147483647u);
  const RunOptions show = run({"--show", "--programme", "grand-finale", "-verbose"});
  EXPECT_TRUE(show.course.straightToShow && show.verbose);
  EXPECT_EQ(show.course.programme, Programme::GrandFinale);
  EXPECT_FALSE(show.course.screenSaver);

  // A screen saver runs the Medium programme unless told otherwise.
  const RunOptions saver = run({"--window-id", "0x3a00007"});
  EXPECT_EQ(saver.windowId, 0x3a00007u);
  EXPECT_TRUE(saver.course.screenSaver);
  EXPECT_EQ(saver.course.programme, Programme::Medium);
  EXPECT_EQ(run({"-window-id", "60817415"}).windowId, 60817415u);
  EXPECT_EQ(run({"--programme=minimal", "-root"}).course.programme, Programme::Minimal);
  EXPECT_TRUE(run({"--root"}).root);

  // The look: plain unless asked for; vivid as a screen saver unless told otherwise.
  EXPECT_TRUE(plain.course.look.Plain());
  EXPECT_EQ(run({"--vivid"}).course.look, Look::Vivid());
  EXPECT_EQ(run({"--glow"}).course.look, (Look{.glow = true}));
  EXPECT_EQ(run({"--vivid", "--no-smooth"}).course.look, (Look{.glow = true}));
  EXPECT_EQ(saver.course.look, Look::Vivid());
  EXPECT_EQ(run({"--root", "--no-glow"}).course.look, (Look{.smooth = true}));
}

TEST(CommandLine, BadValuesOfOurOptions) {
  const auto error = [](std::vector<std::string_view> args) {
    const CommandLine command = Parse(args);
    EXPECT_EQ(command.action, CommandLine::Action::Error);
    return command.error;
  };
  for (std::string_view seed :
       {"-1", "2147483648", "99999999999999999999", "7x", "", " 7", "0x7"}) {
    EXPECT_EQ(error({"--seed", seed}),
              "option '--seed' needs a whole number from 0 to 2147483647, not '" +
                  std::string(seed) + "'");
  }
  EXPECT_EQ(error({"--seed"}), "option '--seed' needs a value");
  EXPECT_EQ(error({"--programme", "Grand Finale"}),
            "option '--programme' needs minimal, medium or grand-finale, not 'Grand Finale'");
  for (std::string_view id : {"0", "0x", "0x100000000", "4294967296", "-5", "window"}) {
    EXPECT_NE(error({"--window-id", id}).find("needs a window id"), std::string::npos) << id;
  }
  EXPECT_EQ(error({"--root", "--window-id", "5"}),
            "options '--root' and '--window-id' cannot be used together");
  EXPECT_EQ(error({"--show=yes"}), "unrecognised option '--show=yes'");
  EXPECT_EQ(ParseWindowId("0XFFFFFFFF"), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace starquill
