#pragma once
// The simulator's server mode: a server window that answers every request
// of the client programs from its options, keeps the registered clients,
// and misbehaves on purpose per message code.
#include <map>
#include <string>
#include <vector>

/// How the server answers one message code.
enum TMisbehaviour {
  mbNone,       // answers normally
  mbSilent,     // handles the request but sends no reply
  mbHang,       // stops answering altogether for Delay ms (0: for good)
  mbDelay,      // replies after Delay ms
  mbWrongStamp, // replies with a stamp 1 ms off
  mbDouble,     // sends the reply twice
  mbStray,      // sends a reply with an unrelated stamp first
  mbTruncated,  // cuts the reply's content in half
  mbOversize,   // the reply's string announces more bytes than follow
  mbBigFrame,   // announces a frame above the size limit and closes
  mbCloseMid    // closes the connection in the middle of the reply frame
};

struct TSimServerOptions {
  std::string Suffix;
  std::map<std::string, std::string> Values;    // GetValue name -> value
  std::map<std::string, std::string> FileNames; // QueryFileName name -> answer
  std::map<std::string, std::string> Texts;     // QueryText text -> answer
  std::string FilesDir;                         // where GetFile looks
  bool Execute = false;                         // start programs on request
  std::map<int, TMisbehaviour> Misbehave;
  std::map<int, int> DelayMs;
  std::string LogFile;
  std::vector<std::string> OnRegister; // actions sent to a client that registered
  bool ExitAfterUnregister = false;
  int MaxSeconds = 0; // 0: run until killed
};

/// Runs the server until it is told to stop; returns the exit status.
int RunSimServer(const TSimServerOptions &Options);

/// Parses a misbehaviour ("hang", "hang:500", "delay:200", "wrong-stamp",
/// "double", "stray", "truncated", "oversize", "big-frame", "close", "silent").
bool ParseMisbehaviour(const std::string &Text, TMisbehaviour &Mode, int &DelayMs);
