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

namespace {

// The show alone, where nobody sits at it: no splash, no input, nothing held or hidden.
ProgramCourse ShowAlone(const RunOptions& options, WindowPlace place) {
  ProgramCourse course;
  course.seed = options.seed;
  course.splash = false;
  course.programme = options.programme;
  course.show.place = place;
  course.show.takesInput = false;
  course.show.keepsScreenAwake = false;
  course.show.hidesIdlePointer = false;
  return course;
}

}  // namespace

ProgramCourse ScreenSaverCourse(const RunOptions& options) {
  ProgramCourse course = ShowAlone(options, WindowPlace::InHost);
  course.programme = options.programme.value_or(Programme::Medium);
  course.show.look = {options.smooth.value_or(true), options.glow.value_or(true)};
  return course;
}

ProgramCourse RecordingCourse(const RunOptions& options) {
  ProgramCourse course = ShowAlone(options, WindowPlace::Offscreen);
  course.show.look = {true, options.glow.value_or(false)};
  return course;
}

}  // namespace starquill
