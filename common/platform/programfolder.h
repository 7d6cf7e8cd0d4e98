#pragma once

#include <QString>

// The folder the running program lives in; the other program and the manual sit beside it,
// in the build tree as in the installed tree (<prefix>/lib/zt5series).
namespace zt {

QString programFolder();
// programFolder() + "/help/index.html": the first page of the user manual.
QString helpIndexPath();

} // namespace zt
