#include "platform/audio/sound_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace starquill {
namespace {

using namespace std::chrono_literals;

class CountingSource : public AudioSource {
 public:
  void Render(std::span<float> stereo) override {
    ++renders;
    std::fill(stereo.begin(), stereo.end(), 0.0f);
  }
  void Drop() override { ++drops; }

  std::atomic<int> renders{0};
  std::atomic<int> drops{0};
};

TEST(SoundOutput, WithoutAServerSaysSoOnceStaysSilentAndStopsAtOnce) {
  CountingSource source;
  std::mutex mutex;
  std::vector<std::string> lines;
  SoundOutputOptions options;
  options.stream.server = "unix:/nonexistent/starquill-test-socket";
  options.retryInterval = 20ms;
  options.report = [&](const std::string& line) {
    std::lock_guard lock(mutex);
    lines.push_back(line);
  };
  SoundOutput output(source, options);
  output.Start();
  for (int i = 0; i < 200 && source.drops < 3; ++i)
    std::this_thread::sleep_for(10ms);
  EXPECT_GE(source.drops, 3) << "it keeps trying, dropping what was asked for meanwhile";

  const auto stopping = std::chrono::steady_clock::now();
  output.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - stopping, 100ms);
  EXPECT_EQ(source.renders, 0);
  EXPECT_FALSE(output.Stats().playing);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("starquill: no sound: ", 0), 0u) << lines[0];
}

}  // namespace
}  // namespace starquill
