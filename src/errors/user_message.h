#pragma once

#include <exception>
#include <string>
#include <string_view>

// The text the user sees for a failure, in the error box and in lodump: the
// message (UTF-8) with a full stop added when it is not empty and its last
// character sorts after "." (a letter, a digit, "/", any non-ASCII letter).
std::string UserMessage(const std::exception& error);
// The same rule for a failure that carries no exception object.
std::string UserMessage(std::string_view message);

// The message of a failure that is not a std::exception.
inline constexpr std::string_view kUnknownErrorMessage = "Unknown error";
