#include "platform/video/video_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "tests/platform/video/decoded_video.h"

namespace starquill {
namespace {

using testing::DecodedVideo;
using testing::DecodeVideoFile;

constexpr int kWidth = 320, kHeight = 180, kFps = 30, kFrames = 30;
constexpr int kPairsPerFrame = 48000 / kFps;

class TemporaryFolder {
 public:
  TemporaryFolder() {
    char name[] = "/tmp/starquill_video_test.XXXXXX";
    if (mkdtemp(name)) path_ = name;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A night sky in small: black, a soft glow moving across, and bright points that move on by a
// pixel a frame, in the show's colours and white.
std::vector<uint32_t> SkyFrame(int index) {
  std::vector<uint32_t> pixels(size_t{kWidth} * kHeight, 0xFF000000u);
  const double glowX = kWidth * (0.2 + 0.02 * index), glowY = kHeight * 0.4;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double d2 = (x - glowX) * (x - glowX) + (y - glowY) * (y - glowY);
      const auto glow = static_cast<uint32_t>(90.0 * std::exp(-d2 / 800.0));
      pixels[size_t{kWidth} * y + x] = 0xFF000000u | glow << 16 | (glow / 2) << 8;
    }
  }
  static constexpr uint32_t kColors[] = {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF,
                                         0xFFFF00, 0x00FFFF, 0xFF00FF};
  for (int i = 0; i < 60; ++i) {
    const int x = (i * 37 + index) % kWidth, y = (i * 23 + index / 2) % kHeight;
    pixels[size_t{kWidth} * y + x] = 0xFF000000u | kColors[i % 7];
  }
  return pixels;
}

// A frame's audio: a tone on the left, another on the right.
std::vector<float> FrameAudio(int index) {
  std::vector<float> stereo(2 * kPairsPerFrame);
  for (int i = 0; i < kPairsPerFrame; ++i) {
    const double t = static_cast<double>(index * kPairsPerFrame + i) / 48000;
    stereo[2 * i] = static_cast<float>(0.5 * std::sin(2 * M_PI * 440 * t));
    stereo[2 * i + 1] = static_cast<float>(0.25 * std::sin(2 * M_PI * 660 * t));
  }
  return stereo;
}

std::unique_ptr<VideoFile> CreateOrFail(const std::string& path, const VideoFormat& format) {
  auto created = VideoFile::Create(path, format);
  if (auto* failure = std::get_if<std::string>(&created)) {
    ADD_FAILURE() << path << ": " << *failure;
    return nullptr;
  }
  return std::move(std::get<std::unique_ptr<VideoFile>>(created));
}

// The sky's frames, each frame's audio before it.
void WriteSky(const std::string& path) {
  auto file = CreateOrFail(path, {kWidth, kHeight, kFps, true});
  ASSERT_TRUE(file);
  for (int i = 0; i < kFrames; ++i) {
    ASSERT_EQ(file->AddAudio(FrameAudio(i)), std::nullopt);
    ASSERT_EQ(file->AddFrame(SkyFrame(i).data(), kWidth), std::nullopt);
  }
  EXPECT_EQ(file->FramesWritten(), kFrames);
  ASSERT_EQ(file->Finish(), std::nullopt);
}

DecodedVideo DecodeOrFail(const std::string& path) {
  auto decoded = DecodeVideoFile(path);
  if (auto* failure = std::get_if<std::string>(&decoded)) {
    ADD_FAILURE() << path << ": " << *failure;
    return {};
  }
  return std::move(std::get<DecodedVideo>(decoded));
}

bool Exists(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0;
}

// What each container's file must say of itself.
struct Expected {
  const char* extension;
  const char* videoCodec;
  AVPixelFormat pixels;
  AVColorSpace matrix;
  AVColorRange range;
  const char* audioCodec;
};

constexpr Expected kContainers[] = {
    {".mp4", "h264", AV_PIX_FMT_YUV420P, AVCOL_SPC_BT709, AVCOL_RANGE_MPEG, "aac"},
    {".webm", "vp9", AV_PIX_FMT_YUV420P, AVCOL_SPC_BT709, AVCOL_RANGE_MPEG, "opus"},
    {".mkv", "ffv1", AV_PIX_FMT_BGR0, AVCOL_SPC_RGB, AVCOL_RANGE_JPEG, "flac"},
};

void PrintTo(const Expected& container, std::ostream* out) {
  *out << container.extension;
}

class EachContainer : public ::testing::TestWithParam<Expected> {};

INSTANTIATE_TEST_SUITE_P(VideoFile, EachContainer, ::testing::ValuesIn(kContainers),
                         [](const auto& info) { return std::string(info.param.extension + 1); });

TEST_P(EachContainer, HoldsTheStreamsFramesAndDurationWritten) {
  const Expected& expected = GetParam();
  TemporaryFolder folder;
  const std::string path = folder.File(std::string("sky") + expected.extension);
  WriteSky(path);

  const DecodedVideo decoded = DecodeOrFail(path);
  EXPECT_EQ(decoded.videoCodec, expected.videoCodec);
  EXPECT_EQ(decoded.width, kWidth);
  EXPECT_EQ(decoded.height, kHeight);
  EXPECT_EQ(av_cmp_q(decoded.frameRate, AVRational{kFps, 1}), 0)
      << decoded.frameRate.num << "/" << decoded.frameRate.den;
  EXPECT_EQ(decoded.pixels, expected.pixels);
  EXPECT_EQ(decoded.matrix, expected.matrix);
  EXPECT_EQ(decoded.range, expected.range);
  EXPECT_EQ(decoded.primaries, AVCOL_PRI_BT709);
  EXPECT_EQ(decoded.transfer, AVCOL_TRC_BT709);
  EXPECT_EQ(decoded.frames.size(), static_cast<size_t>(kFrames));
  EXPECT_NEAR(decoded.seconds, 1.0, 0.5 / kFps);

  EXPECT_EQ(decoded.audioCodec, expected.audioCodec);
  EXPECT_EQ(decoded.sampleRate, 48000);
  EXPECT_EQ(decoded.channels, 2);
  // A second of sound, give or take the encoder's start-up and last frame.
  EXPECT_NEAR(static_cast<double>(decoded.audio.size()) / 2, 48000.0, 2048.0);
}

TEST_P(EachContainer, TheSameInputDecodesToTheSameFrames) {
  TemporaryFolder folder;
  const std::string extension = GetParam().extension;
  WriteSky(folder.File("first" + extension));
  WriteSky(folder.File("second" + extension));
  const DecodedVideo first = DecodeOrFail(folder.File("first" + extension));
  const DecodedVideo second = DecodeOrFail(folder.File("second" + extension));
  ASSERT_EQ(first.frameHashes.size(), static_cast<size_t>(kFrames));
  EXPECT_EQ(first.frameHashes, second.frameHashes);
  EXPECT_EQ(first.audio, second.audio);
}

TEST(VideoFile, TheLosslessFileDecodesToExactlyThePixelsAndSamplesGiven) {
  TemporaryFolder folder;
  const std::string path = folder.File("master.mkv");
  // Rows wider than the frame, junk in the padding and in the ignored top byte.
  constexpr int kStride = kWidth + 7;
  std::vector<std::vector<uint32_t>> given;
  std::vector<float> samples;
  {
    auto file = CreateOrFail(path, {kWidth, kHeight, kFps, true});
    ASSERT_TRUE(file);
    // Audio in blocks of odd sizes, across the encoder's frames, with samples beyond the range
    // and NaN, which become the range's ends and silence.
    const size_t blocks[] = {1, 7, 1000, 4801, 3};
    for (int f = 0; f < 6; ++f) {
      std::vector<uint32_t> padded(size_t{kStride} * kHeight, 0x5A5A5A5Au);
      const std::vector<uint32_t> sky = SkyFrame(f);
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
          padded[size_t{kStride} * y + x] =
              (sky[size_t{kWidth} * y + x] & 0xFFFFFF) | static_cast<uint32_t>(x) << 24;
      }
      given.push_back(sky);
      std::vector<float> block(2 * blocks[f % 5]);
      for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<float>(std::sin(0.01 * static_cast<double>(samples.size() + i)));
      block[0] = 3.0f;
      block[1] = std::numeric_limits<float>::quiet_NaN();
      ASSERT_EQ(file->AddAudio(block), std::nullopt);
      block[0] = 1.0f;
      block[1] = 0.0f;
      samples.insert(samples.end(), block.begin(), block.end());
      ASSERT_EQ(file->AddFrame(padded.data(), kStride), std::nullopt);
    }
    ASSERT_EQ(file->Finish(), std::nullopt);
  }
  const DecodedVideo decoded = DecodeOrFail(path);
  ASSERT_EQ(decoded.frames.size(), given.size());
  for (size_t f = 0; f < given.size(); ++f)
    EXPECT_TRUE(decoded.frames[f] == given[f]) << "frame " << f;
  ASSERT_EQ(decoded.audio.size(), samples.size());
  for (size_t i = 0; i < samples.size(); ++i)
    ASSERT_NEAR(decoded.audio[i], samples[i], 1.0 / (1 << 22)) << "sample " << i;
}

// Single pixels on black, 10 apart, at every place in the encoder's blocks, moving a pixel a
// frame; full and dimmed to 40 %.
struct Point {
  int x, y;
  uint32_t color;
};

std::vector<Point> IsolatedPoints(int frame, const std::vector<uint32_t>& colors) {
  std::vector<Point> points;
  size_t n = 0;
  for (int row = 0; 4 + 10 * row + 5 < kHeight; ++row) {
    const int y = 4 + 10 * row + row % 2;
    for (int x = 4 + row % 4 + frame % 3; x + 4 < kWidth; x += 10)
      points.push_back({x, y, colors[n++ % colors.size()]});
  }
  return points;
}

int Channel(uint32_t pixel, int channel) {
  return static_cast<int>((pixel >> (8 * channel)) & 0xFF);
}

int Brightness(uint32_t pixel) {
  return Channel(pixel, 0) + Channel(pixel, 1) + Channel(pixel, 2);
}

// A colour of full brightness other than white: some channels at 255, the others at 0.
bool IsFullColour(uint32_t colour) {
  int full = 0;
  for (int channel = 0; channel < 3; ++channel) {
    if (Channel(colour, channel) != 0 && Channel(colour, channel) != 255) return false;
    full += Channel(colour, channel) == 255;
  }
  return full == 1 || full == 2;
}

// Whether a decoded pixel still has the colour given: its lit channels above its dark ones.
bool KeepsItsColour(uint32_t decoded, uint32_t given) {
  int lit = 255, dark = 0;
  for (int channel = 0; channel < 3; ++channel) {
    if (Channel(given, channel) != 0) {
      lit = std::min(lit, Channel(decoded, channel));
    } else {
      dark = std::max(dark, Channel(decoded, channel));
    }
  }
  return lit > dark;
}

struct PointsCase {
  const char* extension;
  std::vector<uint32_t> colors;
};

void PrintTo(const PointsCase& points, std::ostream* out) {
  *out << points.extension;
}

class IsolatedPixels : public ::testing::TestWithParam<PointsCase> {};

// H.264 keeps them all but a dim pure blue, whose luma is hardly above black. VP9's realtime
// mode keeps the bright ones but pure blue.
INSTANTIATE_TEST_SUITE_P(
    VideoFile, IsolatedPixels,
    ::testing::Values(PointsCase{".mp4",
                                 {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF,
                                  0xFF00FF, 0x666666, 0x660000, 0x006600, 0x666600, 0x006666,
                                  0x660066}},
                      PointsCase{".webm",
                                 {0xFFFFFF, 0xFF0000, 0x00FF00, 0xFFFF00, 0x00FFFF, 0xFF00FF,
                                  0x666666, 0x006600, 0x666600, 0x006666}}),
    [](const auto& info) { return std::string(info.param.extension + 1); });

TEST_P(IsolatedPixels, StayTheBrightestAroundTheirPlaceAndKeepTheirColour) {
  const PointsCase& points = GetParam();
  TemporaryFolder folder;
  const std::string path = folder.File(std::string("points") + points.extension);
  {
    auto file = CreateOrFail(path, {kWidth, kHeight, kFps, false});
    ASSERT_TRUE(file);
    for (int f = 0; f < kFrames; ++f) {
      std::vector<uint32_t> pixels(size_t{kWidth} * kHeight, 0xFF000000u);
      for (const Point& p : IsolatedPoints(f, points.colors))
        pixels[size_t{kWidth} * p.y + p.x] = 0xFF000000u | p.color;
      ASSERT_EQ(file->AddFrame(pixels.data(), kWidth), std::nullopt);
    }
    ASSERT_EQ(file->Finish(), std::nullopt);
  }
  const DecodedVideo decoded = DecodeOrFail(path);
  ASSERT_EQ(decoded.frames.size(), static_cast<size_t>(kFrames));
  std::map<uint32_t, std::pair<int, int>> coloured;  // of each full colour: kept, seen
  for (int f = 0; f < kFrames; ++f) {
    const std::vector<uint32_t>& pixels = decoded.frames[f];
    const auto at = [&](int x, int y) { return pixels[size_t{kWidth} * y + x]; };
    for (const Point& p : IsolatedPoints(f, points.colors)) {
      int around = 0;
      for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
          if (dx != 0 || dy != 0) around = std::max(around, Brightness(at(p.x + dx, p.y + dy)));
        }
      }
      // Clearly the brightest: half as bright again as anything within two pixels.
      ASSERT_GT(2 * Brightness(at(p.x, p.y)), 3 * around)
          << std::hex << p.color << std::dec << " at " << p.x << "," << p.y << " in frame " << f;
      if (IsFullColour(p.color)) {
        auto& [kept, seen] = coloured[p.color];
        kept += KeepsItsColour(at(p.x, p.y), p.color);
        ++seen;
      }
    }
  }
  // A pixel's colour is shared with its 2x2 block in 4:2:0, so a quarter of it is left: enough
  // for a full colour nearly always, not for a dim one. Sampling one pixel of each block
  // instead would lose half of them.
  for (const auto& [colour, counts] : coloured) {
    EXPECT_GE(counts.first, counts.second * 9 / 10)
        << std::hex << colour << std::dec << " kept its colour " << counts.first << " times in "
        << counts.second;
  }
}

TEST(VideoFile, KnowsItsContainersByExtensionInAnyCase) {
  EXPECT_EQ(VideoFile::KnownExtensions(), (std::vector<std::string>{".mp4", ".webm", ".mkv"}));
  TemporaryFolder folder;
  for (const char* name : {"a.MP4", "b.WebM", "c.Mkv"}) {
    auto file = CreateOrFail(folder.File(name), {kWidth, kHeight, kFps, false});
    ASSERT_TRUE(file);
    EXPECT_TRUE(Exists(folder.File(name))) << "the file exists once Create returns";
  }
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"show.avi", "unknown video format '.avi': use .mp4, .webm or .mkv"},
      {"show.mp4.tmp", "unknown video format '.tmp': use .mp4, .webm or .mkv"},
      {"show", "the video file name '" + folder.File("show") +
                   "' has no extension: use .mp4, .webm or .mkv"}};
  for (const auto& [name, reason] : refused) {
    auto created = VideoFile::Create(folder.File(name), {kWidth, kHeight, kFps, false});
    ASSERT_TRUE(std::holds_alternative<std::string>(created)) << name;
    EXPECT_EQ(std::get<std::string>(created), reason);
    EXPECT_FALSE(Exists(folder.File(name)));
  }
}

TEST(VideoFile, RefusesSizesAndRatesOutOfRangeCreatingNothing) {
  TemporaryFolder folder;
  const std::string path = folder.File("bad.mp4");
  for (const VideoFormat& format :
       {VideoFormat{321, 180, 30}, VideoFormat{320, 0, 30}, VideoFormat{-2, 180, 30},
        VideoFormat{320, 180, 0}, VideoFormat{320, 180, 241}}) {
    auto created = VideoFile::Create(path, format);
    ASSERT_TRUE(std::holds_alternative<std::string>(created))
        << format.width << "x" << format.height << " at " << format.fps;
    EXPECT_FALSE(Exists(path));
  }
}

TEST(VideoFile, AFileThatCannotBeCreatedGivesTheReasonInOneLineAndLeavesNothing) {
  TemporaryFolder folder;
  std::vector<std::pair<std::string, std::string>> cases = {
      {folder.File("no/such/folder.mp4"), "No such file or directory"}};
  // Root writes anywhere: a folder without permission refuses others only.
  if (geteuid() != 0) {
    std::filesystem::create_directory(folder.File("locked"));
    chmod(folder.File("locked").c_str(), 0500);
    cases.push_back({folder.File("locked/show.webm"), "Permission denied"});
  }
  for (const auto& [path, reason] : cases) {
    auto created = VideoFile::Create(path, {kWidth, kHeight, kFps, true});
    ASSERT_TRUE(std::holds_alternative<std::string>(created)) << path;
    const std::string& message = std::get<std::string>(created);
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    EXPECT_FALSE(Exists(path));
  }
}

TEST_P(EachContainer, AFullDiskIsReportedAndTheDeviceLeftAlone) {
  // /dev/full has no extension: a link to it has.
  TemporaryFolder folder;
  const std::string link = folder.File(std::string("full") + GetParam().extension);
  ASSERT_EQ(symlink("/dev/full", link.c_str()), 0);
  auto created = VideoFile::Create(link, {kWidth, kHeight, kFps, true});
  std::optional<std::string> failure;
  if (auto* refused = std::get_if<std::string>(&created)) {
    EXPECT_EQ(*refused, "cannot write the video file '" + link + "': No space left on device");
  } else {
    VideoFile& file = *std::get<std::unique_ptr<VideoFile>>(created);
    for (int i = 0; i < kFrames && !failure; ++i)
      failure = file.AddFrame(SkyFrame(i).data(), kWidth);
    EXPECT_EQ(failure, "cannot write the video file: No space left on device");
  }
  struct stat status {};
  ASSERT_EQ(stat("/dev/full", &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode));
  EXPECT_TRUE(Exists(link));
}

// Files may grow to 64 KiB only: the header fits, the frames soon do not.
class FileSizeLimit {
 public:
  FileSizeLimit() {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    ignored_ = signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of killing
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, ignored_);
  }

 private:
  rlimit saved_{};
  void (*ignored_)(int) = nullptr;
};

TEST_P(EachContainer, AFailedWriteStopsTheFileButFinishStillClosesIt) {
  TemporaryFolder folder;
  const std::string path = folder.File(std::string("limited") + GetParam().extension);
  FileSizeLimit limit;
  auto file = CreateOrFail(path, {kWidth, kHeight, kFps, true});
  ASSERT_TRUE(file);
  std::optional<std::string> failure;
  int frames = 0;
  for (; frames < 10 * kFrames && !failure; ++frames) {
    failure = file->AddAudio(FrameAudio(frames));
    if (!failure) failure = file->AddFrame(SkyFrame(frames % kFrames).data(), kWidth);
  }
  ASSERT_EQ(failure, "cannot write the video file: File too large");
  EXPECT_LT(file->FramesWritten(), frames);
  const int64_t written = file->FramesWritten();
  EXPECT_EQ(file->AddFrame(SkyFrame(0).data(), kWidth), failure) << "the first failure again";
  EXPECT_EQ(file->AddAudio(FrameAudio(0)), failure);
  EXPECT_EQ(file->FramesWritten(), written);
  EXPECT_EQ(file->Finish(), failure);
  EXPECT_TRUE(Exists(path)) << "Finish removes nothing";
}

TEST(VideoFile, RefusesInputItCannotTakeAndGoesOn) {
  TemporaryFolder folder;
  const std::string path = folder.File("silent.mp4");
  {
    auto file = CreateOrFail(path, {kWidth, kHeight, kFps, false});
    ASSERT_TRUE(file);
    const std::vector<uint32_t> sky = SkyFrame(0);
    EXPECT_TRUE(file->AddFrame(nullptr, kWidth));
    EXPECT_TRUE(file->AddFrame(sky.data(), kWidth - 1));
    EXPECT_TRUE(file->AddFrame(sky.data(), std::numeric_limits<int>::max()));
    EXPECT_TRUE(file->AddAudio(FrameAudio(0))) << "a file without audio";
    for (int i = 0; i < 3; ++i)
      ASSERT_EQ(file->AddFrame(sky.data(), kWidth), std::nullopt);
    EXPECT_EQ(file->FramesWritten(), 3);
  }  // finished by the destructor
  EXPECT_EQ(DecodeOrFail(path).frames.size(), 3u);

  auto file = CreateOrFail(folder.File("sound.webm"), {kWidth, kHeight, kFps, true});
  ASSERT_TRUE(file);
  const float half[] = {0.5f, 0.5f, 0.5f};
  EXPECT_TRUE(file->AddAudio(half)) << "an odd number of samples";
  EXPECT_EQ(file->AddAudio(std::span(half, 2)), std::nullopt);
  EXPECT_EQ(file->AddFrame(SkyFrame(0).data(), kWidth), std::nullopt);
  EXPECT_EQ(file->Finish(), std::nullopt);
  EXPECT_EQ(file->Finish(), std::nullopt) << "finished once";
  EXPECT_TRUE(file->AddFrame(SkyFrame(1).data(), kWidth)) << "a finished file";
  EXPECT_EQ(file->FramesWritten(), 1);
}

}  // namespace
}  // namespace starquill
