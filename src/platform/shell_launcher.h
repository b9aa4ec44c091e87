#pragma once
// Handing addresses and programs to the desktop. A web address goes to the
// desktop's default handler as one argument; a program file is started
// directly with an argument vector, never through a shell, and the started
// process is reaped by the system (it is not a child of ours). Tests install a
// recording launcher in place of the desktop's.
#include <memory>
#include <string>
#include <vector>

/// The desktop's side of opening an address or starting a program.
class TShellLauncher {
public:
  virtual ~TShellLauncher() = default;
  /// Opens Url with the desktop's default handler (a web browser). Returns
  /// false when there is no handler to hand it to (no browser installed);
  /// what a started handler then does is the desktop's business.
  virtual bool OpenUrl(const std::string &Url) = 0;
  /// Starts the program file Path with Arguments (Path itself is not among
  /// them). Returns 0 when it started, otherwise the system's error number
  /// (for example ENOENT when there is no such file).
  virtual int StartProgram(const std::string &Path, const std::vector<std::string> &Arguments) = 0;
};

/// The launcher in use: the desktop's unless a test installed another.
TShellLauncher &ShellLauncher();
/// The desktop's own launcher, new; each back end defines it.
std::unique_ptr<TShellLauncher> NewDesktopLauncher();
/// Installs Launcher (null: the desktop's again) and returns the previous one.
std::unique_ptr<TShellLauncher> SetShellLauncher(std::unique_ptr<TShellLauncher> Launcher);

/// Splits a parameter text into arguments: blanks and tabs separate them,
/// double quotes group blanks into one argument and are removed. Nothing is
/// expanded: "$HOME", "*", ";" and "|" stay as they are.
std::vector<std::string> SplitParameters(const std::string &Text);
