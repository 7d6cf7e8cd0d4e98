#pragma once

#include <QValidator>

namespace zt {

// Refuses while typing what a receiver name may not hold (13th character, no code
// page 932 form).
class ReceiverNameValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

// Refuses a transmitter name past 12 code page 932 bytes.
class KoNameValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override;
};

} // namespace zt
