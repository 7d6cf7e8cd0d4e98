#include "registration/namevalidators.h"

#include "registration/registryedits.h"

namespace zt {

QValidator::State ReceiverNameValidator::validate(QString &input, int &) const
{
    return acceptsReceiverName(input) ? Acceptable : Invalid;
}

QValidator::State KoNameValidator::validate(QString &input, int &) const
{
    return acceptsKoName(input) ? Acceptable : Invalid;
}

} // namespace zt
