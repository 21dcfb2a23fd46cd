#pragma once
// The icons of a modal message box (ControlHost::ShowMessageBox, Platform::ShowMessageBox).

namespace starquill {

enum class BoxIcon { Information, Exclamation, Critical };

}  // namespace starquill
