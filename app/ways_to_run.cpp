#include "app/ways_to_run.h"

namespace starquill {

ProgramCourse DesktopCourse(const RunOptions& options) {
  ProgramCourse course;
  course.seed = options.seed;
  course.splash = !options.straightToShow;
  course.programme = options.programme;
  course.show.look = {options.smooth.value_or(false), options.glow.value_or(false)};
  return course;
}

ProgramCourse ScreenSaverCourse(const RunOptions& options) {
  ProgramCourse course;
  course.seed = options.seed;
  course.splash = false;
  course.programme = options.programme.value_or(Programme::Medium);
  course.show.place = WindowPlace::InHost;
  course.show.takesInput = false;
  course.show.keepsScreenAwake = false;
  course.show.hidesIdlePointer = false;
  course.show.look = {options.smooth.value_or(true), options.glow.value_or(true)};
  return course;
}

ProgramCourse RecordingCourse(const RunOptions& options) {
  ProgramCourse course;
  course.seed = options.seed;
  course.splash = false;
  course.programme = options.programme;
  course.show.place = WindowPlace::Offscreen;
  course.show.takesInput = false;
  course.show.keepsScreenAwake = false;
  course.show.hidesIdlePointer = false;
  course.show.look = {true, options.glow.value_or(false)};
  return course;
}

}  // namespace starquill
