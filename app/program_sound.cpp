#include "app/program_sound.h"

namespace starquill {

ProgramSound::ProgramSound(uint64_t seed) : SceneSound(seed), output_(*this) {
  output_.Start();
}

ProgramSound::~ProgramSound() {
  output_.Stop();
}

}  // namespace starquill
