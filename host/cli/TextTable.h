// Plain-text tables for the program's listings: columns padded to their
// widest cell, two spaces apart, non-printable characters made visible.
#pragma once

#include <ostream>
#include <string>
#include <vector>

using TextTableRow = std::vector<std::string>;

// Writes rows (the first is usually the heading) to out, each line after
// indent. Every row has as many cells as the first; the last column is not
// padded. Main thread.
void PrintTextTable(std::ostream& out, const std::vector<TextTableRow>& rows, const std::string& indent = "");
