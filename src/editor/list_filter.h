#pragma once

#include <string>
#include <vector>

// The find of a list: which of its ";"-joined rows (first;class;type;name)
// stay when the user types a find text.

// True when the row's name contains `find` in any letter case (ASCII and
// Latin-1 letters), or when `find`, blanks around it aside, is a decimal
// number equal to the row's class or type. An empty find keeps every row.
bool RowMatchesFind(const std::string& row, const std::string& find);

// True when `text` holds `find` in any letter case (ASCII and Latin-1
// letters); always for an empty find.
bool HoldsIgnoringCase(const std::string& text, const std::string& find);

// The positions of the rows that stay, in list order: 0 ... n-1 for an empty find.
std::vector<int> RowsMatchingFind(const std::vector<std::string>& rows, const std::string& find);
