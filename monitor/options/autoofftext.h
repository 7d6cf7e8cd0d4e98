#pragma once

#include <QString>

namespace zt {

// A contact auto-off choice as the combo box shows it: "1秒", "1分", "1時間30分".
QString autoOffText(int seconds);

} // namespace zt
