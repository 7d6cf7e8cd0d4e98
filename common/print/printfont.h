#pragma once

#include <QString>

namespace zt {

// "MS UI Gothic" where installed, else the Japanese gothic font the install script brings.
QString printFontFamily();

} // namespace zt
