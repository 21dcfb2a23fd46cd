#include "app/program.h"

namespace starquill {

void Program::Start() {
  if (splash_ || show_) return;
  splash_ = std::make_unique<frmSplash>(platform_, [this] { OpenShow(); });
  splash_->Form_Load();
}

void Program::OpenShow() {
  // The splash is dropped once the event that started the show is over: its button is still
  // handling that event now.
  platform_.Post([this] { splash_.reset(); });
  if (!show_) {
    show_ = std::make_unique<frmMain>(platform_);
    show_->Load();
  }
}

}  // namespace starquill
