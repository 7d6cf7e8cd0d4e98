#pragma once

#include <QDialog>

class QRadioButton;

namespace zt {

class AnalyzerSession;

// `fJyusin`: which of the two receivers (ports) the next operation uses.
class JyusinDialog : public QDialog
{
    Q_OBJECT
public:
    explicit JyusinDialog(AnalyzerSession &session, QWidget *parent = nullptr);

    QRadioButton *option(int index) const { return index == 0 ? first : second; }
    bool choiceConfirmed() const { return confirmed; }
    void commit(); // "OK"

    // "受信器１ (COM3)" when established, else "受信器１ (未確立)".
    static QString optionText(int receiver, bool established, int portNo);

private:
    AnalyzerSession &session;
    QRadioButton *first;
    QRadioButton *second;
    bool confirmed = false;
};

} // namespace zt
