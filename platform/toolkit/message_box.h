#pragma once
// Modal message boxes for code that has no platform object at hand (controls). The desktop
// program installs a handler that shows a real box; without one the message goes to stderr.
// Tests install a recorder.

#include <functional>
#include <string_view>

namespace starquill {

enum class BoxIcon { Information, Exclamation, Critical };

using MessageBoxHandler =
    std::function<void(std::string_view prompt, BoxIcon icon, std::string_view title)>;

// Shows a box with one OK button and waits until it is closed.
void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title);
// Installs the handler; returns the one it replaces.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace starquill
