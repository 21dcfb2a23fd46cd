#include "platform/qt/qt_messages.h"

#include <gtest/gtest.h>

namespace starquill {
namespace {

TEST(QtMessages, ReachTheTerminalPrintableAndOnlyWhenTheyAreOurs) {
  // A platform name from the environment, with an escape sequence in it.
  EXPECT_EQ(ShownQtMessage("qt.qpa.plugin", "no plugin \"\x1b[2J\"\nend", false),
            "qt.qpa.plugin: no plugin \"\\x1b[2J\"\nend\n");
  EXPECT_EQ(ShownQtMessage("default", "plain", false), "plain\n");
  const char* runtime = "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/x'";
  EXPECT_EQ(ShownQtMessage("default", runtime, false), "");
  EXPECT_EQ(ShownQtMessage("default", runtime, true), std::string(runtime) + "\n");
}

}  // namespace
}  // namespace starquill
