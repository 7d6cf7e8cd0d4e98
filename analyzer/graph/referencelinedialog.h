#pragma once

#include "graph/graphstate.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QScrollBar;

namespace zt {

class DialogService;

// The leave check of a reference-line box: the value brought into the axis limits and
// the message that reports a value outside them (0 when it fitted).
struct ReferenceCheck
{
    double value = 0;
    int messageNo = 0;
};
ReferenceCheck checkReferenceValue(const QString &text, bool humidity);

// `frmRelSet`: two horizontal reference lines per value axis, and whether they show.
class ReferenceLineDialog : public QDialog
{
    Q_OBJECT
public:
    ReferenceLineDialog(GraphState &state, bool tempShown, bool humShown, DialogService &dialogs,
                        QWidget *parent = nullptr);
    ~ReferenceLineDialog() override;

    QLineEdit *box(bool humidity, int line) const;
    QScrollBar *bar(bool humidity, int line) const;
    QCheckBox *enabledBox() const { return ckRefLineEn; }
    // Runs the leave check of one box, as leaving it or pressing Enter does.
    void leaveBox(bool humidity, int line);

public slots:
    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Line
    {
        QLineEdit *box = nullptr;
        QScrollBar *bar = nullptr;
    };
    Line &line(bool humidity, int index);
    const Line &line(bool humidity, int index) const;

    GraphState &state;
    DialogService &dialogs;
    std::array<Line, 2> temp;
    std::array<Line, 2> hum;
    QCheckBox *ckRefLineEn;
};

} // namespace zt
