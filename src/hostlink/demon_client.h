#pragma once
// The host-connection component. Every program of the e-book family carries
// one on its main window: it owns the program's translator, keeps the
// program's parameter list, loads the language file and translates the window
// when loading ends, and, when configured for a host, asks the host's server
// for named values and files.
//
// The stand-alone program has no host. Everything that would reach one goes
// through a THostTransport; without a transport no message reaches anybody
// and requests get no reply, which is exactly what a missing server means.
#include "platform/component.h"
#include "platform/exceptions.h"
#include "platform/process_info.h"
#include "platform/strings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TMemoryStream;
class TStream;
class TQuorvoMessageStream;
class TTolkar2000;

/// Failures of the host connection.
class EQuorvo : public Exception {
public:
  using Exception::Exception;
};

/// Codes of the messages exchanged with the host's server and other instances.
enum TDemonMessageCode {
  dmQuit = 4096,
  dmReply,
  dmRegister,
  dmUnregister,
  dmFindEntity,
  dmParams,
  dmExecute,
  dmGetFile,
  dmFileName,
  dmQueryText,
  dmGetValue
};

/// The link to the host's server. The window-message link plugs in here; the
/// stand-alone program has none.
class THostTransport {
public:
  virtual ~THostTransport() = default;
  /// Whether the host's server was found.
  virtual bool ServerFound() const = 0;
  /// Handle of this program's own message window (0 when there is none).
  virtual std::uint32_t OwnHandle() const = 0;
  /// Sends a message with Code and Content to the server and returns the
  /// content of the reply that arrived while sending; empty when none came.
  virtual std::string Send(int Code, const std::string &Content) = 0;
};

/// A received message with a code the component does not handle itself.
using TGotAMessageEvent = std::function<void(TObject *Sender, TQuorvoMessageStream &Msg)>;
/// The host asks the program to quit; a handler may refuse with AllowQuit = false.
using TOnQuitMsgReceived = std::function<void(TObject *Sender, bool ServerDown, bool &AllowQuit)>;

/// Common part of the host-connection components: translator, parameter list,
/// the loading steps and the no-host behaviour.
class TkdbCustomDemon : public TComponent {
public:
  /// Creates the translator and fills Params from the process's command line.
  explicit TkdbCustomDemon(TComponent *AOwner);
  /// Releases what BeforeDestruction did not (a bare delete).
  ~TkdbCustomDemon() override;

  /// Withdraws from the host, releases the translator (writing the language
  /// template when AutoCreateItlFile is on; a failure to write it is shown
  /// like any error reaching the event loop) and, when this component belongs
  /// to the main form, asks the application to terminate.
  void BeforeDestruction() override;

  /// Connects to the host, loads the language file, translates the owner
  /// (with AutoTranslate) and checks for another running instance.
  void Loaded() override;

  bool AutoTranslate() const { return autoTranslate_; }
  void SetAutoTranslate(bool Value) { autoTranslate_ = Value; }
  /// The translator's AutoCreate switch: record missing keys and write a
  /// language template when the component goes.
  bool AutoCreateItlFile() const;
  void SetAutoCreateItlFile(bool Value);
  bool MultiStart() const { return multiStart_; }
  void SetMultiStart(bool Value) { multiStart_ = Value; }
  bool UseTavelinServer() const { return useTavelinServer_; }
  void SetUseTavelinServer(bool Value) { useTavelinServer_ = Value; }
  /// The flag of the last quit message from the host.
  bool ServerDown() const { return serverDown_; }

  TGotAMessageEvent OnGotAMessage;
  TOnQuitMsgReceived OnQuitMsgReceived;
  /// Params was replaced by the parameters another start of the program handed over.
  TNotifyEvent OnParamsChange;

  /// The program's translator, owned by this component.
  TTolkar2000 *Translator() const { return translator_; }
  /// Program parameters: entry 0 is the program path, then the arguments.
  TStringList *Params() { return &params_; }

  /// The translation of Key without arguments.
  std::string TranslateText(const std::string &Key);
  /// 0: the program's full path; 1 .. ParamCount: the Params entries. Any
  /// other index raises EQuorvo.
  std::string ParamStr(int Index) const;
  /// Number of Params entries after the program path.
  int ParamCount() const { return params_.Count() - 1; }

  /// Takes the program path and fills Params from the arguments, leaving out
  /// every "/serverhandle=" argument (exact lower case; other spellings stay).
  /// The constructor calls it with the process's command line.
  void SetCommandLine(const TCommandLine &CommandLine);
  const std::string &ProgramPath() const { return programPath_; }

  /// Replaces Params by the lines of Text (CR LF, CR or LF end a line) and
  /// raises OnParamsChange: another start of the program handed its
  /// parameters over.
  void ReceiveParams(const std::string &Text);
  /// The host asks the program to quit: records ServerDown, asks
  /// OnQuitMsgReceived and, when quitting is allowed, ends the application.
  /// Returns whether it was allowed.
  bool ReceiveQuit(bool AServerDown);

  /// The link to the host; null in the stand-alone program.
  THostTransport *Transport() const { return transport_.get(); }
  void SetTransport(std::unique_ptr<THostTransport> Value);

  /// Window class and window name of the component's message window.
  virtual std::string WindowClassName() const = 0;
  virtual std::string WindowName() const = 0;
  /// A file from the host, or null when it has none.
  virtual std::unique_ptr<TMemoryStream> GetFile(const std::string &FileName) = 0;
  /// The host's name for a file of the program.
  virtual std::string QueryFileName(const std::string &Name) = 0;
  /// A text the host defines.
  virtual std::string QueryText(const std::string &Text) = 0;
  /// A named value: "TavelinWorkArea" and "TavelinHomeDir".
  virtual std::string GetValue(const std::string &Name) = 0;

protected:
  /// First loading step: announce the program to the host.
  virtual void Connect() {}
  /// Loads the language file into the translator and translates the owner
  /// when AutoTranslate is on. A missing or unreadable file loads nothing.
  virtual void LoadLanguage();
  /// Ends this start when another instance runs. The stand-alone program
  /// does not check yet; the single-instance rule comes with the host link.
  virtual void CheckSingleInstance() {}
  /// Last destruction step towards the host: withdraw the program.
  virtual void Disconnect() {}

  /// The record describing this program to the host: window handle, mutex
  /// handle, program path and application title.
  std::string OwnEntityRecord() const;
  /// Sends a request to the host and returns the reply as a stream at its
  /// start (empty when no reply came or there is no host).
  std::unique_ptr<TMemoryStream> Request(int Code, const std::string &Content);
  /// Sends a message whose reply is not read.
  void Post(int Code, const std::string &Content);

private:
  void ReleaseTranslator();

  TTolkar2000 *translator_ = nullptr;
  TStringList params_;
  std::string programPath_;
  std::unique_ptr<THostTransport> transport_;
  bool autoTranslate_ = true;
  bool multiStart_ = false;
  bool useTavelinServer_ = true;
  bool serverDown_ = false;
  bool shutDown_ = false;
};

/// The client end of the host connection, placed on a program's main window.
class TkdbDemonClient : public TkdbCustomDemon {
public:
  explicit TkdbDemonClient(TComponent *AOwner);

  std::string WindowClassName() const override;
  std::string WindowName() const override;
  std::unique_ptr<TMemoryStream> GetFile(const std::string &FileName) override;
  std::string QueryFileName(const std::string &Name) override;
  std::string QueryText(const std::string &Text) override;
  /// Without the host: the program's own directory (ending in a separator)
  /// for "TavelinWorkArea" and "TavelinHomeDir", empty for other names.
  std::string GetValue(const std::string &Name) override;

protected:
  /// With UseTavelinServer: raises EQuorvo when no server runs, otherwise
  /// registers the program with it.
  void Connect() override;
  void Disconnect() override;
};

/// Writes S in the host's string form: 32-bit little-endian length, then the bytes.
void WriteHostString(std::string &Buffer, const std::string &S);
/// Reads a string in the host's form; a length of 0 or less is an empty
/// string. Raises EReadError when the stream ends early.
std::string ReadHostString(TStream &Stream);

/// Registers the host-connection classes with the class registry (idempotent).
void RegisterHostlinkClasses();
