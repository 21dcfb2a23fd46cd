#include "platform/video/containers.h"

#include "platform/support/ascii.h"

namespace starquill {

// The show is a black night sky with single bright pixels and soft glows, often moving. Every
// lossy encoder runs at constant quality (CRF), never at a bitrate: a black frame costs almost
// nothing and a Grand Finale gets the bits it needs, so the dark sky neither bands nor blocks
// and the points do not vanish when the sky fills. At the levels chosen, single moving pixels
// stay the brightest around their place after decoding: in H.264 every colour, also dimmed to
// 40 % (but a dim pure blue, whose luma is hardly above black), in VP9 the full colours but
// pure blue; and the full colours keep their hue, though 4:2:0 shares a pixel's colour with
// its 2x2 block.
//
// Speed: a 1080p, 60 fps Grand Finale (up to 100k lit pixels) must record in real time on two
// cores next to the show's drawing. Only x264's ultrafast preset does that (veryfast takes
// five times as long on such frames); it leaves out the deblocking filter, which would smear
// single pixels anyway. VP9 and FFV1 are slower than real time at 1080p (see
// bench/video_bench.cpp).
//
// Determinism: the same frames make the same file. x264's output depends on its thread count,
// so that is fixed; VP9 splits frames into tile columns and FFV1 into slices, both fixed, and
// their output is the same for any number of threads, so those use the machine's.
const std::vector<Container>& Containers() {
  static const std::vector<Container> kContainers = {
      {".mp4",
       "mp4",
       // The index at the front: the file plays while it downloads.
       {{"movflags", "+faststart"}},
       {"libx264",
        AV_PIX_FMT_YUV420P,
        AVCOL_SPC_BT709,
        AVCOL_RANGE_MPEG,
        2,
        {
            // At most what every phone plays; ultrafast uses a subset of it (CAVLC, 4x4
            // transforms, no B-frames: Constrained Baseline).
            {"profile", "high"},
            {"preset", "ultrafast"},
            // Keeps small, faint detail: no decimation of blocks with few coefficients (a lone
            // sparkle's), smaller dead zones.
            {"tune", "grain"},
            {"crf", "20"},  // at 23 green pixels start to go grey, at 26 faint ones vanish
            {"threads", "4"},
        }},
       {"aac", AV_SAMPLE_FMT_FLTP, 0, 192000, {}}},
      {".webm",
       "webm",
       {},
       {"libvpx-vp9",
        AV_PIX_FMT_YUV420P,
        AVCOL_SPC_BT709,
        AVCOL_RANGE_MPEG,
        2,
        {
            {"crf", "24"},
            {"b", "0"},  // with crf: constant quality, no bitrate cap
                         // The only mode near real time: the good-quality modes take ten to twenty
                         // times as long and keep moving points no better.
            {"deadline", "realtime"},
            {"cpu-used", "8"},
            {"sharpness", "7"},     // the weakest loop filter: points stay sharp
            {"tile-columns", "2"},  // log2: 4 at 1080p, fewer when the frame is narrower
            {"threads", "0"},
        }},
       {"libopus", AV_SAMPLE_FMT_FLT, 0, 160000, {}}},
      {".mkv",
       "matroska",
       {},
       {"ffv1",
        AV_PIX_FMT_BGR0,
        AVCOL_SPC_RGB,
        AVCOL_RANGE_JPEG,
        0,  // every frame a keyframe, for editing
        {
            {"level", "3"},
            {"slices", "16"},
            {"slicecrc", "1"},
            {"threads", "0"},
        }},
       // 24-bit samples: the master keeps the float samples' detail.
       {"flac", AV_SAMPLE_FMT_S32, 24, 0, {}}},
  };
  return kContainers;
}

const Container* FindContainer(std::string_view extension) {
  for (const Container& container : Containers()) {
    if (EqualsIgnoringCase(extension, container.extension)) return &container;
  }
  return nullptr;
}

std::string KnownExtensionsText() {
  const auto& containers = Containers();
  std::string text;
  for (size_t i = 0; i < containers.size(); ++i) {
    if (i > 0) text += i + 1 == containers.size() ? " or " : ", ";
    text += containers[i].extension;
  }
  return text;
}

}  // namespace starquill
