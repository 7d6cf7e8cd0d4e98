#pragma once

#include <QString>

// Starting one of our programs that lives beside the running one.
namespace zt {

// The program file `name` in the running program's own folder (".exe" added on Windows).
QString siblingProgramPath(const QString &name);

// Starts that program detached, with a normal window, in its own folder; false when the
// file is missing, not executable, or the start fails.
bool startSiblingProgram(const QString &name);

} // namespace zt
