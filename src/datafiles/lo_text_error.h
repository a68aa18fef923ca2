#pragma once

#include <string>

#include "errors/app_error.h"

// A text line that does not read. line() is 1-based; what() is
// "line 7: <problem>".
class LoTextError : public AppError {
 public:
  LoTextError(int line, const std::string& problem)
      : AppError("line " + std::to_string(line) + ": " + problem), line_(line), problem_(problem) {}
  int line() const { return line_; }
  const std::string& problem() const { return problem_; }

 private:
  int line_;
  std::string problem_;
};
