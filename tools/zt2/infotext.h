#pragma once

#include "records/logset.h"

#include <QString>

namespace zt2 {

// The header and one line per channel of every transmitter with data, for `zt2 info`.
QString infoText(const zt::LogSet &set);

} // namespace zt2
