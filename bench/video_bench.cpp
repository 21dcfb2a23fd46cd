// The video writer's speed at 1920x1080, 60 frames a second with sound, for each container:
// a night sky of bursts of single coloured pixels moving outwards and fading (a few thousand
// lit pixels, and a Grand Finale's 100k), 800 stereo sample pairs a frame, ten seconds of
// video from Create to Finish. Counters: fps, the frames written a second of wall time (the
// encoders run on threads of their own); cpu_ms_per_frame, the processor time of all threads
// a frame takes; rss_growth_kb, how much the process grew from the 300th frame to the last
// (the writer holds no more as the file grows); file_mb, the file's size.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/video/video_file.h"

namespace starquill {
namespace {

constexpr int kWidth = 1920, kHeight = 1080, kFps = 60;
constexpr int kBurst = 700;         // pixels in a burst
constexpr int kBurstFrames = 120;   // a burst's life, after which it starts again elsewhere
constexpr int kFrames = 600;        // ten seconds of video
constexpr int kMeasuredFrom = 300;  // by then the encoders have all the buffers they use

// Bursts of pixels flying outwards from their centre and fading, as a show's showers do.
class SyntheticSky {
 public:
  explicit SyntheticSky(int lit) : pixels_(size_t{kWidth} * kHeight, 0xFF000000u) {
    bursts_.resize(static_cast<size_t>((lit + kBurst - 1) / kBurst));
    for (size_t b = 0; b < bursts_.size(); ++b)
      Restart(bursts_[b], static_cast<int>(b * kBurstFrames / bursts_.size()));
  }

  // Draws the next frame: the last one's pixels go, the bursts' new ones come.
  const uint32_t* Next() {
    for (size_t lit : lit_)
      pixels_[lit] = 0xFF000000u;
    lit_.clear();
    for (Burst& burst : bursts_) {
      if (++burst.age >= kBurstFrames) Restart(burst, 0);
      const float fade = 1.0f - static_cast<float>(burst.age) / kBurstFrames;
      const auto level = [&](uint32_t channel) { return static_cast<uint32_t>(channel * fade); };
      const uint32_t color = 0xFF000000u | level((burst.color >> 16) & 0xFF) << 16 |
                             level((burst.color >> 8) & 0xFF) << 8 | level(burst.color & 0xFF);
      for (const Spark& spark : burst.sparks) {
        const float t = static_cast<float>(burst.age);
        const int x = static_cast<int>(burst.x + spark.dx * t);
        const int y = static_cast<int>(burst.y + spark.dy * t + 0.01f * t * t);
        if (x < 0 || x >= kWidth || y < 0 || y >= kHeight) continue;
        const size_t at = static_cast<size_t>(y) * kWidth + static_cast<size_t>(x);
        pixels_[at] = color;
        lit_.push_back(at);
      }
    }
    return pixels_.data();
  }

 private:
  struct Spark {
    float dx, dy;
  };
  struct Burst {
    float x = 0, y = 0;
    int age = 0;
    uint32_t color = 0;
    std::vector<Spark> sparks;
  };

  void Restart(Burst& burst, int age) {
    static constexpr uint32_t kColors[] = {0xFF0000, 0x00FF00, 0x4040FF,
                                           0xFFFF00, 0x00FFFF, 0xFF00FF};
    std::uniform_real_distribution<float> across(0.2f, 0.8f), unit(0.0f, 1.0f);
    burst.x = across(random_) * kWidth;
    burst.y = across(random_) * kHeight * 0.7f;
    burst.age = age;
    burst.color = kColors[random_() % 6];
    burst.sparks.resize(kBurst);
    for (Spark& spark : burst.sparks) {
      const float angle = unit(random_) * 6.2831853f, speed = 0.5f + 3.0f * unit(random_);
      spark = {speed * std::cos(angle), speed * std::sin(angle)};
    }
  }

  std::vector<uint32_t> pixels_;
  std::vector<size_t> lit_;
  std::vector<Burst> bursts_;
  std::mt19937 random_{7};
};

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void BM_VideoFile(benchmark::State& state, const char* extension) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("starquill_video_bench" + std::string(extension)))
          .string();
  SyntheticSky sky(static_cast<int>(state.range(0)));
  std::vector<float> audio(2 * 48000 / kFps);
  for (size_t i = 0; i < audio.size(); ++i)
    audio[i] = 0.3f * std::sin(static_cast<float>(i) * 0.05f);
  long grownFrom = 0, grownTo = 0;
  double wallSeconds = 0, cpuSeconds = 0;
  for (auto _ : state) {
    const auto started = std::chrono::steady_clock::now();
    const double cpuStarted = ProcessCpuSeconds();
    auto created = VideoFile::Create(path, {kWidth, kHeight, kFps, true});
    if (auto* failure = std::get_if<std::string>(&created)) {
      state.SkipWithError(failure->c_str());
      return;
    }
    VideoFile& file = *std::get<std::unique_ptr<VideoFile>>(created);
    for (int frame = 0; frame < kFrames; ++frame) {
      if (frame == kMeasuredFrom) grownFrom = ResidentKilobytes();
      file.AddAudio(audio);
      if (auto failure = file.AddFrame(sky.Next(), kWidth)) {
        state.SkipWithError(failure->c_str());
        return;
      }
    }
    grownTo = ResidentKilobytes();
    if (auto failure = file.Finish()) {
      state.SkipWithError(failure->c_str());
      return;
    }
    wallSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    cpuSeconds += ProcessCpuSeconds() - cpuStarted;
  }
  const double frames = static_cast<double>(kFrames * state.iterations());
  state.counters["fps"] = frames / wallSeconds;
  state.counters["cpu_ms_per_frame"] = cpuSeconds * 1e3 / frames;
  state.counters["rss_growth_kb"] = static_cast<double>(grownTo - grownFrom);
  state.counters["file_mb"] =
      static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
  std::filesystem::remove(path);
}

// One whole file per run: a ten-second recording is the unit measured.
#define STARQUILL_VIDEO_BENCH(name, extension)     \
  BENCHMARK_CAPTURE(BM_VideoFile, name, extension) \
      ->ArgName("lit")                             \
      ->Arg(3000)                                  \
      ->Arg(100000)                                \
      ->Iterations(1)                              \
      ->UseRealTime()                              \
      ->Unit(benchmark::kSecond)
STARQUILL_VIDEO_BENCH(mp4, ".mp4");
STARQUILL_VIDEO_BENCH(webm, ".webm");
STARQUILL_VIDEO_BENCH(mkv, ".mkv");

}  // namespace
}  // namespace starquill
