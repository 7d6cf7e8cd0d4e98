#pragma once

#include <QDialog>

namespace zt {

// `VERDISP`: program version and release date.
class VersionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit VersionDialog(QWidget *parent = nullptr);
};

QString versionText();

} // namespace zt
