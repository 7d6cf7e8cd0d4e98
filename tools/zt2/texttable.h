#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Columns aligned for a terminal, where East Asian wide characters take two cells.
namespace zt2 {

// Terminal cells `text` takes.
int displayWidth(const QString &text);

class TextTable
{
public:
    enum class Align { Left, Right };

    explicit TextTable(std::vector<Align> aligns) : aligns(std::move(aligns)) {}
    void addRow(const QStringList &cells) { rows.push_back(cells); }
    // Rows separated by "\n", columns by two spaces, no trailing blanks.
    QString render() const;

private:
    std::vector<Align> aligns;
    std::vector<QStringList> rows;
};

} // namespace zt2
