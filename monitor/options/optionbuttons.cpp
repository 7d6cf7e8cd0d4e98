#include "options/optionbuttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace zt {

void addOptionButtons(QDialog &dialog, QHBoxLayout &row, QPushButton *(&Button)[3],
                      const std::function<void(bool close)> &apply)
{
    const QString captions[3] = {QStringLiteral("OK"), QStringLiteral("Cancel"),
                                 QStringLiteral("適用")};
    for (int i : {0, 1, 2})
        Button[i] = new QPushButton(captions[i], &dialog);
    for (int i : {0, 2, 1}) // OK, 適用, Cancel
        row.addWidget(Button[i]);
    Button[0]->setDefault(true);
    QObject::connect(Button[0], &QPushButton::clicked, &dialog, [apply] { apply(true); });
    QObject::connect(Button[2], &QPushButton::clicked, &dialog, [apply] { apply(false); });
    QObject::connect(Button[1], &QPushButton::clicked, &dialog, &QDialog::reject);
}

} // namespace zt
