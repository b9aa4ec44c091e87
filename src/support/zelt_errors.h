#pragma once
// The error classes of the component suite. Component programming errors carry
// messages that start with "Component \"<Name>\": ".
#include "platform/exceptions.h"

/// Base of every error raised by the suite's components.
class EZeltError : public Exception {
public:
  using Exception::Exception;
};

/// Raised by the chart control.
class EZeltRChartError : public EZeltError {
public:
  using EZeltError::EZeltError;
};

/// Raised by the hyperlink label.
class EZeltURLLabError : public EZeltError {
public:
  using EZeltError::EZeltError;
};
