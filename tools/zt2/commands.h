#pragma once

#include <QStringList>

namespace zt2 {

// Runs one command line (without the program name); returns the exit status.
int run(const QStringList &args);

} // namespace zt2
