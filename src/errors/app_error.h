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
  // A system error none of the table's conditions names: "I/O error n" with
  // the system's own number, even where n is also one of the table's codes
  // (an input/output error is 5 here, which must not read as "access denied").
  static InOutError Unlisted(int system_number);

  int code() const { return code_; }
  // True when this is the table's condition `table_code`, not a system
  // number that happens to be equal.
  bool Is(int table_code) const { return !unlisted_ && code_ == table_code; }
  static std::string MessageFor(int code);

 private:
  InOutError(int code, bool unlisted);
  int code_;
  bool unlisted_ = false;
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

// The settings file is there but could not be read ("Unable to read %s: "
// and the reason): what it holds is unknown, so nothing is written from it.
class SettingsReadError : public AppError {
 public:
  using AppError::AppError;
};

// The settings file could not be written ("Unable to write to %s").
class SettingsWriteError : public AppError {
 public:
  using AppError::AppError;
};

