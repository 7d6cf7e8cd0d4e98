#include "graph/transmitterchoicedialog.h"

#include "graph/dialogteardown.h"

#include "records/messages.h"
#include "ui/messageroutine.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt {

namespace {
constexpr int graphCaption = 4;
constexpr int tooManyMessage = 40;
constexpr int minimumHeightPx = 155; // 2325 twips at 96 dpi
} // namespace

TransmitterChoiceDialog::TransmitterChoiceDialog(DialogService &dialogs,
                                                 std::vector<SelectionCandidate> candidates,
                                                 SelectionPurpose purpose, QWidget *parent)
    : QDialog(parent), dialogs(dialogs), candidates(std::move(candidates)),
      listMain(new QListWidget(this)), instruction(new QLabel(this))
{
    setObjectName(QStringLiteral("grapfchsel"));
    const bool graph = purpose == SelectionPurpose::Graph;
    setWindowTitle(graph ? QStringLiteral("ｸﾞﾗﾌ表示選択") : QStringLiteral("印刷選択"));
    instruction->setObjectName(QStringLiteral("la_moto"));
    instruction->setText(graph ? QStringLiteral("ｸﾞﾗﾌ表示する送信器を選択してください(最大４台）")
                               : QStringLiteral("印刷する送信器を選択してください(最大４台）"));
    listMain->setObjectName(QStringLiteral("list_main"));
    listMain->setSelectionMode(QAbstractItemView::MultiSelection);

    RememberedChoice::takeNewSet();
    const std::vector<bool> &remembered = RememberedChoice::positions();
    for (std::size_t i = 0; i < this->candidates.size(); ++i) {
        auto *item = new QListWidgetItem(this->candidates[i].label, listMain);
        item->setSelected(i < remembered.size() && remembered[i]);
    }
    allowed = selection();
    // Clicks, Space, Ctrl+A and drags all end here.
    connect(listMain, &QListWidget::itemSelectionChanged, this,
            &TransmitterChoiceDialog::selectionChanged);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Command1_0"));
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Command1_1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(instruction);
    layout->addWidget(listMain);
    layout->addWidget(buttons);
    const int rows = std::max<int>(1, int(this->candidates.size()));
    listMain->setMinimumHeight(listMain->fontMetrics().height() * (rows + 1));
    setMinimumHeight(minimumHeightPx);
}

TransmitterChoiceDialog::~TransmitterChoiceDialog()
{
    detachChildren(this);
}

void TransmitterChoiceDialog::clickLine(int row)
{
    if (QListWidgetItem *item = listMain->item(row))
        item->setSelected(!item->isSelected());
}

void TransmitterChoiceDialog::selectionChanged()
{
    if (restoring)
        return;
    const int selected = selectedCount();
    if (selected > MaxChosenTransmitters) {
        showMessage(dialogs, this, graphCaption, tooManyMessage, int(MessageStyle::OkExclamation));
        // Undo the lines this step added, however many it added.
        restoring = true;
        for (int i = 0; i < listMain->count(); ++i)
            listMain->item(i)->setSelected(allowed[std::size_t(i)]);
        restoring = false;
        return;
    }
    allowed = selection();
    listMain->setToolTip(remainingChoiceToolTip(selected, listMain->count()));
}

std::vector<bool> TransmitterChoiceDialog::selection() const
{
    std::vector<bool> out;
    for (int i = 0; i < listMain->count(); ++i)
        out.push_back(listMain->item(i)->isSelected());
    return out;
}

int TransmitterChoiceDialog::selectedCount() const
{
    return int(listMain->selectedItems().size());
}

std::vector<int> TransmitterChoiceDialog::chosenSeriesNos() const
{
    std::vector<int> out;
    for (int i = 0; i < listMain->count(); ++i)
        if (listMain->item(i)->isSelected())
            out.push_back(candidates[std::size_t(i)].seriesNo);
    return out;
}

void TransmitterChoiceDialog::accept()
{
    std::vector<bool> &remembered = RememberedChoice::positions();
    for (int i = 0; i < listMain->count() && std::size_t(i) < remembered.size(); ++i)
        remembered[std::size_t(i)] = listMain->item(i)->isSelected();
    if (chosenSeriesNos().empty())
        return;
    QDialog::accept();
}

} // namespace zt
