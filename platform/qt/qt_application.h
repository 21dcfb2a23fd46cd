#pragma once
// Starting Qt's application object on a display.

#include <QApplication>
#include <memory>

namespace starquill {

// Drops the scale variables that make no sense (scale_variables.h), then creates the
// application, which reads and removes Qt's own options from the arguments. When no display
// can be opened, Qt would abort the process; instead this prints one line,
// "starquill: cannot open a display: ...", on stderr and ends the process with status 1.
// From then on Qt's messages are printed as qt_messages.h says; `verbose` shows them all.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv, bool verbose = false);

}  // namespace starquill
