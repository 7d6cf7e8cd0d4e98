#pragma once

#include <QSpinBox>

namespace zt {

// `ALTxt` with its buddy `AlUpDown`: a spin box that tells its up/down clicks apart
// from typed values, since only clicks run the pairing of upper and lower limits.
class AlarmSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;
    void stepBy(int steps) override;

signals:
    void stepped(bool up);
};

} // namespace zt
