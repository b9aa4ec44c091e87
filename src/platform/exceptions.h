#pragma once
// The root of every error the suite raises. Handlers at the event loop show
// Message() to the user; nothing else is carried.
#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string &Message() const noexcept { return message_; }
  const char *what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

/// Raised by the platform's mathematics on an argument outside a function's domain.
class EMathError : public Exception {
public:
  using Exception::Exception;
};

/// Raised when a stream cannot be read or written as asked.
class EStreamError : public Exception {
public:
  using Exception::Exception;
};
