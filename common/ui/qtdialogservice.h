#pragma once

#include "ui/dialogservice.h"

namespace zt {

class QtDialogService : public DialogService
{
public:
    int message(QWidget *parent, const MessageRequest &request) override;
    QString openFile(QWidget *parent, const FileRequest &request) override;
    QString saveFile(QWidget *parent, const FileRequest &request) override;
    std::optional<QColor> color(QWidget *parent, const QColor &initial) override;
    bool printerSetup(QWidget *parent, QPrinter &printer) override;
    bool pageSetup(QWidget *parent, QPrinter &printer) override;
    void printPreview(QWidget *parent, QPrinter &printer, const PreviewRequest &request) override;
};

} // namespace zt
