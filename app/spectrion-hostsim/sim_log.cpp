#include "sim_log.h"

#include "hostlink/demon_client.h"
#include "hostlink/message_stream.h"

#include <exception>

std::string MessageCodeName(std::int32_t Code) {
  static const char *const names[] = {"dmQuit",   "dmReply",    "dmRegister", "dmUnregister",
                                      "dmFindEntity", "dmParams", "dmExecute", "dmGetFile",
                                      "dmFileName", "dmQueryText", "dmGetValue"};
  if (Code >= dmQuit && Code <= dmGetValue) return names[Code - dmQuit];
  return "unknown";
}

std::string JsonString(const std::string &S) {
  std::string out = "\"";
  for (unsigned char c : S) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out += esc;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

namespace {

std::string EntityFields(TStream &S) {
  TEntity e(nullptr);
  e.ReadFrom(S);
  return "\"handle\":" + std::to_string(e.Handle) + ",\"mutex\":" + std::to_string(e.MutexHandle) +
         ",\"exe\":" + JsonString(e.ExeName()) + ",\"title\":" + JsonString(e.Title());
}

// The fields of a content of Code, as far as they can be read.
std::string DecodeFields(std::int32_t Code, std::int32_t RequestCode, const std::string &Content) {
  TStringStream s(Content);
  auto byte = [&]() {
    unsigned char b = 0;
    s.ReadBuffer(&b, 1);
    return int(b);
  };
  switch (Code) {
  case dmQuit:
    return "\"server_down\":" + std::to_string(byte());
  case dmRegister:
  case dmUnregister:
    return EntityFields(s);
  case dmFindEntity: {
    const int kind = byte();
    if (kind == 1) return "\"kind\":1,\"handle\":" + std::to_string(std::uint32_t(ReadInt32(s)));
    return "\"kind\":" + std::to_string(kind) + ",\"title\":" + JsonString(ReadWireString(s));
  }
  case dmParams: {
    std::string list;
    std::size_t start = 0;
    while (start < Content.size()) {
      std::size_t end = Content.find_first_of("\r\n", start);
      if (end == std::string::npos) end = Content.size();
      list += (list.empty() ? "" : ",") + JsonString(Content.substr(start, end - start));
      start = end + 1;
      if (end < Content.size() && Content[end] == '\r' && start < Content.size() &&
          Content[start] == '\n')
        ++start;
    }
    return "\"params\":[" + list + "]";
  }
  case dmExecute: {
    const std::string file = ReadWireString(s), params = ReadWireString(s);
    const int wait = byte();
    return "\"file\":" + JsonString(file) + ",\"parameters\":" + JsonString(params) +
           ",\"wait\":" + std::to_string(wait) + ",\"extra\":" + std::to_string(ReadInt32(s));
  }
  case dmGetFile:
  case dmFileName:
  case dmQueryText:
  case dmGetValue:
    return "\"name\":" + JsonString(ReadWireString(s));
  case dmReply:
    if (Content.empty()) return "\"empty\":1";
    if (RequestCode == dmFindEntity) return EntityFields(s);
    if (RequestCode == dmExecute) return "\"pid\":" + std::to_string(ReadInt32(s));
    if (RequestCode == dmGetFile) return "\"found\":" + std::to_string(byte()) +
                                         ",\"size\":" + std::to_string(Content.size() - 1);
    if (RequestCode >= dmFileName && RequestCode <= dmGetValue)
      return "\"value\":" + JsonString(ReadWireString(s));
    return std::string();
  default:
    return std::string();
  }
}

} // namespace

TSimLog::TSimLog(const std::string &FileName) {
  if (FileName == "-")
    file_ = stdout;
  else if (!FileName.empty())
    file_ = std::fopen(FileName.c_str(), "a");
}

TSimLog::~TSimLog() {
  if (file_ && file_ != stdout) std::fclose(file_);
}

void TSimLog::Message(const std::string &Direction, std::uint32_t Sender, std::uint32_t Target,
                      std::int32_t Code, const std::string &Block, std::int32_t RequestCode,
                      const std::string &Note) {
  if (!file_) return;
  std::string line = "{\"dir\":" + JsonString(Direction) + ",\"code\":" + std::to_string(Code) +
                     ",\"name\":" + JsonString(MessageCodeName(Code)) +
                     ",\"sender\":" + std::to_string(Sender) + ",\"target\":" + std::to_string(Target);
  if (Block.size() >= 8) {
    TStringStream stamp(Block.substr(0, 8));
    const std::int32_t time = ReadInt32(stamp), date = ReadInt32(stamp);
    line += ",\"stamp\":{\"time\":" + std::to_string(time) + ",\"date\":" + std::to_string(date) + "}";
    std::string fields;
    try {
      fields = DecodeFields(Code, RequestCode, Block.substr(8));
    } catch (const std::exception &e) {
      fields = "\"decode_error\":" + JsonString(e.what());
    }
    line += ",\"fields\":{" + fields + "}";
  }
  if (!Note.empty()) line += ",\"note\":" + JsonString(Note);
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : Block) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  line += ",\"hex\":\"" + hex + "\"}\n";
  std::fputs(line.c_str(), file_);
  std::fflush(file_);
}
