#include "TextTable.h"

#include <algorithm>

#include "CliCommon.h"

void PrintTextTable(std::ostream& out, const std::vector<TextTableRow>& rows, const std::string& indent) {
    if (rows.empty()) return;
    std::vector<TextTableRow> printable = rows;
    for (TextTableRow& row : printable)
        for (std::string& cell : row) cell = PrintableText(cell);
    std::vector<size_t> widths(printable.front().size(), 0);
    for (const TextTableRow& row : printable)
        for (size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    for (const TextTableRow& row : printable) {
        std::string line = indent;
        for (size_t column = 0; column < row.size(); ++column) {
            std::string cell = row[column];
            if (column + 1 < row.size()) cell.resize(widths[column] + 2, ' ');
            line += cell;
        }
        out << line << "\n";
    }
}
