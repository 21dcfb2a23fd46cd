#include "platform/audio/sound_output.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
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

TEST(SoundOutput, AReportThatCannotBeWrittenHoldsUpNothingElse) {
  // A stderr that blocks: the report waits until the test lets it go.
  struct Blocked {
    std::mutex mutex;
    std::condition_variable released;
    bool open = false;
    std::atomic<bool> reporting{false};
  };
  auto blocked = std::make_shared<Blocked>();
  CountingSource source;
  SoundOutputOptions options;
  options.stream.server = "unix:/nonexistent/starquill-test-socket";
  options.report = [blocked](const std::string&) {
    blocked->reporting = true;
    std::unique_lock lock(blocked->mutex);
    blocked->released.wait(lock, [&] { return blocked->open; });
  };
  SoundOutput output(source, options);
  output.Start();
  for (int i = 0; i < 200 && !blocked->reporting; ++i)
    std::this_thread::sleep_for(5ms);
  ASSERT_TRUE(blocked->reporting);

  // Let go after a second at the latest, so that an output that waits for the report fails
  // this test instead of hanging it.
  const auto release = [blocked] {
    std::lock_guard lock(blocked->mutex);
    blocked->open = true;
    blocked->released.notify_all();
  };
  std::thread deadline([blocked, release] {
    std::unique_lock lock(blocked->mutex);
    if (!blocked->released.wait_for(lock, 1s, [&] { return blocked->open; })) {
      lock.unlock();
      release();
    }
  });
  const auto stopping = std::chrono::steady_clock::now();
  output.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - stopping, 500ms);
  release();
  deadline.join();
}

}  // namespace
}  // namespace starquill
