// Plain text tables for the command's output: columns padded to their
// widest cell and two blanks apart.
#ifndef TOVEX_CLI_TEXT_TABLE_H
#define TOVEX_CLI_TEXT_TABLE_H

#include <string>
#include <vector>

namespace tovex_cli {

using TableRow = std::vector<std::string>;

// The rows (the first is the heading), one line each, without trailing blanks.
std::string aligned(const std::vector<TableRow>& rows);

// An amount of money to the cent ("%.2f").
std::string money(double amount);

}  // namespace tovex_cli

#endif
