#pragma once

#include <functional>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace zt {

// The button row both option dialogs end with. `Button` keeps the controls' indexes (0 OK,
// 1 Cancel, 2 適用); the row shows them as OK, 適用, Cancel. OK applies and closes, 適用
// applies and stays, Cancel rejects.
void addOptionButtons(QDialog &dialog, QHBoxLayout &row, QPushButton *(&Button)[3],
                      const std::function<void(bool close)> &apply);

} // namespace zt
