#pragma once

#include "records/appsettings.h"
#include "records/logset.h"

#include <QStringList>
#include <optional>

namespace zt2 {

// One `zt2 print` command line.
struct PrintRequest
{
    enum Kind { List, Part, Params, Graph } kind = List;
    QString input;
    QString output;
    std::optional<std::pair<int, int>> rows; // --rows FIRST-LAST
    std::vector<int> transmitters;           // --transmitters N,N,... (KoNo)
};

// Reads the operands after "print"; an empty optional with `error` set when they are wrong.
std::optional<PrintRequest> parsePrintArgs(const QStringList &operands, QString *error);

// Writes the printout of `set` to the request's PDF file on A4. Empty on success, else the
// one-line error; the output file is then left as it was.
QString writePrintout(const PrintRequest &request, const zt::LogSet &set,
                      const zt::AppSettings &settings);

} // namespace zt2
