#pragma once

#include <QString>
#include <functional>

class QDialog;
class QDialogButtonBox;

namespace zt {

// The pair of buttons the small dialogs share: `okText` runs `onOk` (which decides
// whether the dialog closes), the second button cancels. The buttons are named
// `<name>0` and `<name>1`, as the dialogs' button arrays are.
QDialogButtonBox *okNgButtons(QDialog *dialog, const QString &name, const QString &okText,
                              const QString &cancelText, std::function<void()> onOk);

} // namespace zt
