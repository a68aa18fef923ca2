#pragma once

#include <string>

// Shortens a path for the folder prompt's status line to at most `limit`
// characters by replacing leading folders with "..." (the name itself is
// never cut, so the result may stay longer).
std::string ShortenPathForStatus(const std::string& path, char separator, std::size_t limit = 40);
