#include "app/command_line.h"

#include "app/ways_to_run.h"

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
  EXPECT_FALSE(plain.seed || plain.programme || plain.windowId || plain.record);
  EXPECT_EQ(WayOf(plain), WayToRun::Desktop);
  EXPECT_TRUE(DesktopCourse(plain).splash);
  EXPECT_TRUE(DesktopCourse(plain).show.look.Plain());

  EXPECT_EQ(run({"--seed", "0"}).seed, 0u);
  EXPECT_EQ(run({"--seed=2147483647"}).seed, 2147483647u);
  const RunOptions show = run({"--show", "--programme", "grand-finale", "-verbose"});
  EXPECT_EQ(WayOf(show), WayToRun::Show);
  EXPECT_TRUE(show.verbose);
  const ProgramCourse straight = DesktopCourse(show);
  EXPECT_FALSE(straight.splash);
  EXPECT_EQ(straight.programme, Programme::GrandFinale);
  EXPECT_EQ(straight.show.place, WindowPlace::FullScreen);
  EXPECT_TRUE(straight.show.takesInput && straight.show.keepsScreenAwake);

  // A screen saver runs the Medium programme, vivid, unless told otherwise, in its host.
  const RunOptions saver = run({"--window-id", "0x3a00007"});
  EXPECT_EQ(saver.windowId, 0x3a00007u);
  EXPECT_EQ(WayOf(saver), WayToRun::ScreenSaver);
  const ProgramCourse hosted = ScreenSaverCourse(saver);
  EXPECT_EQ(hosted.programme, Programme::Medium);
  EXPECT_EQ(hosted.show.place, WindowPlace::InHost);
  EXPECT_FALSE(hosted.show.takesInput || hosted.show.keepsScreenAwake ||
               hosted.show.hidesIdlePointer);
  EXPECT_EQ(hosted.show.look, Look::Vivid());
  EXPECT_EQ(run({"-window-id", "60817415"}).windowId, 60817415u);
  EXPECT_EQ(ScreenSaverCourse(run({"--programme=minimal", "-root"})).programme, Programme::Minimal);
  EXPECT_EQ(ScreenSaverCourse(run({"--root", "--no-glow"})).show.look, (Look{.smooth = true}));

  // The look as asked for.
  EXPECT_EQ(DesktopCourse(run({"--vivid"})).show.look, Look::Vivid());
  EXPECT_EQ(DesktopCourse(run({"--glow"})).show.look, (Look{.glow = true}));
  EXPECT_EQ(DesktopCourse(run({"--vivid", "--no-smooth"})).show.look, (Look{.glow = true}));

  // A recording: off the screen, drawn between the steps, with its own options.
  const RunOptions clip = run({"--record", "clip.webm", "--duration=2.5", "--size", "640x360",
                               "--fps", "20", "--keys", "g@4,1@2.0,3@2.5", "--quiet", "--glow"});
  EXPECT_EQ(WayOf(clip), WayToRun::Recording);
  ASSERT_TRUE(clip.record);
  EXPECT_EQ(clip.record->file, "clip.webm");
  EXPECT_EQ(clip.record->seconds, 2.5);
  EXPECT_EQ(clip.record->width, 640);
  EXPECT_EQ(clip.record->height, 360);
  EXPECT_EQ(clip.record->fps, 20);
  EXPECT_TRUE(clip.record->quiet);
  EXPECT_EQ(clip.record->keys,
            (std::vector<KeyAt>{{'1', 2000}, {'3', 2500}, {'g', 4000}}));  // in time order
  const ProgramCourse recorded = RecordingCourse(clip);
  EXPECT_EQ(recorded.show.place, WindowPlace::Offscreen);
  EXPECT_EQ(recorded.show.look, Look::Vivid());
  EXPECT_FALSE(recorded.show.takesInput || recorded.show.keepsScreenAwake);
  const RunOptions defaults = run({"--record=a.mp4"});
  EXPECT_EQ(defaults.record->seconds, 60);
  EXPECT_EQ(defaults.record->width, 1920);
  EXPECT_EQ(defaults.record->fps, 60);
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

  // A recording's options, and what makes no sense with one.
  EXPECT_EQ(error({"--record", "a.mp4", "--root"}),
            "option '--root' makes no sense with '--record'");
  EXPECT_EQ(error({"--window-id", "5", "--record", "a.mp4"}),
            "option '--window-id' makes no sense with '--record'");
  EXPECT_EQ(error({"--duration", "5"}), "option '--duration' is for '--record' only");
  EXPECT_EQ(error({"--record", "a.avi"}), "unknown video format '.avi': use .mp4, .webm or .mkv");
  for (std::string_view size : {"640", "640x", "x360", "641x360", "8x8", "7682x100", "axb"})
    EXPECT_NE(error({"--record=a.mp4", "--size", size}).find("needs WIDTHxHEIGHT"),
              std::string::npos)
        << size;
  for (std::string_view seconds : {"0", "-1", ".", "1.", "1e3", "86401", "nan"})
    EXPECT_NE(error({"--record=a.mp4", "--duration", seconds}).find("needs a number of seconds"),
              std::string::npos)
        << seconds;
  for (std::string_view fps : {"0", "241", "60.5"})
    EXPECT_NE(error({"--record=a.mp4", "--fps", fps}).find("needs a whole number"),
              std::string::npos);
  for (std::string_view keys : {"", "8@1", "1@", "1:2", "1@2,", "s@1", "1@-2", "1@2,,3@4"})
    EXPECT_NE(error({"--record=a.mp4", "--keys", keys}).find("needs keys at seconds"),
              std::string::npos)
        << keys;
}

}  // namespace
}  // namespace starquill
