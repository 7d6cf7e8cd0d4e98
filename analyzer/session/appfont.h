#pragma once

#include <QFont>

namespace zt {

// "MS UI Gothic" where installed, else a Japanese gothic font of the system.
QFont japaneseUiFont(int pointSize);

} // namespace zt
