#include "sound/voice_pool.h"

#include <gtest/gtest.h>

#include <vector>

namespace starquill {
namespace {

TEST(VoicePool, WhenFullTheQuietestGivesWayToALouderNewcomerOnly) {
  SoundRandom random(1);
  const Placement middle = Placement::At(0.5f, 0);
  auto bang = [&] { return Voice(Bang(random, 800), middle); };
  auto crackle = [&] { return Voice(Crackle(random, 100), middle); };

  VoicePool crackles;
  for (int i = 0; i < VoicePool::kMaxVoices; ++i)
    ASSERT_TRUE(crackles.Admit(crackle()));
  EXPECT_FALSE(crackles.Admit(crackle())) << "no louder than any voice";
  EXPECT_TRUE(crackles.Admit(bang()));
  EXPECT_EQ(crackles.Count(), VoicePool::kMaxVoices);

  VoicePool bangs;
  for (int i = 0; i < VoicePool::kMaxVoices; ++i)
    ASSERT_TRUE(bangs.Admit(bang()));
  EXPECT_FALSE(bangs.Admit(crackle()));
  // Half a second on, the bangs have faded below a crackle, though none has ended.
  std::vector<float> stereo(2 * VoicePool::kMaxFrames);
  for (int frames = 0; frames < 24000; frames += VoicePool::kMaxFrames)
    bangs.MixInto(stereo);
  EXPECT_EQ(bangs.Count(), VoicePool::kMaxVoices);
  EXPECT_TRUE(bangs.Admit(crackle()));
}

}  // namespace
}  // namespace starquill
