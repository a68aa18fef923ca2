#pragma once

#include <stdexcept>
#include <string>

// Every failure the user can see is an AppError; what() is the exact message.
class AppError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failed file operation. code() is the runtime's error code (2, 3, 4, 5,
// 100, 101, 103, ...); the message is the one the user sees for that code.
class InOutError : public AppError {
 public:
  explicit InOutError(int code);
  int code() const { return code_; }
  static std::string MessageFor(int code);

 private:
  int code_;
};

// A text that is not a number ("'%s' is not a valid integer value").
class ConvertError : public AppError {
 public:
  using AppError::AppError;
};

// A floating-point trap, e.g. showing a signalling NaN.
class FloatError : public AppError {
 public:
  using AppError::AppError;
};

// The settings file could not be written ("Unable to write to %s").
class SettingsWriteError : public AppError {
 public:
  using AppError::AppError;
};
