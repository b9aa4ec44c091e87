#pragma once
// The host simulator's message log: one JSON object per line with the
// direction, code and its name, stamp, sender, the decoded fields and the
// exact bytes in hex.
#include <cstdint>
#include <cstdio>
#include <string>

/// The name of a message code ("dmQuit" ...), or "unknown".
std::string MessageCodeName(std::int32_t Code);

/// Writes log lines to a file (or nowhere when the name is empty).
class TSimLog {
public:
  explicit TSimLog(const std::string &FileName);
  ~TSimLog();
  TSimLog(const TSimLog &) = delete;
  TSimLog &operator=(const TSimLog &) = delete;

  /// Logs one message. Direction: "in", "out" or "event"; Block is the
  /// transfer block (stamp, then content); RequestCode names the request a
  /// reply answers, so its content can be decoded (0 when unknown).
  void Message(const std::string &Direction, std::uint32_t Sender, std::uint32_t Target,
               std::int32_t Code, const std::string &Block, std::int32_t RequestCode = 0,
               const std::string &Note = std::string());

private:
  std::FILE *file_ = nullptr;
};

/// S as a JSON string literal; bytes outside printable ASCII are escaped.
std::string JsonString(const std::string &S);
