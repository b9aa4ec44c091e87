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
#include "platform/instance_lock.h"
#include "platform/process_info.h"
#include "platform/strings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "hostlink/message_stream.h"

#include <vector>

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

/// The component's message window as the component sees it: the real one
/// (window_transport.h) or a stand-in in tests.
class THostTransport {
public:
  virtual ~THostTransport() = default;
  /// Handle of this program's own message window (0 when there is none).
  virtual std::uint32_t OwnHandle() const = 0;
  /// The window with this class name and title, or 0.
  virtual std::uint32_t FindWindow(const std::string &ClassName, const std::string &Title) = 0;
  /// Whether Handle names an existing window.
  virtual bool IsWindow(std::uint32_t Handle) = 0;
  /// Sends a transfer block with Code to Target and returns after the
  /// receiver handled it; messages that reach the own window meanwhile go to
  /// OnCopyData before this returns. A handle of 0 or a window that is gone
  /// receives nothing.
  virtual void SendCopyData(std::uint32_t Target, std::int32_t Code, const std::string &Block) = 0;
  /// Receipt of a message at the own window: sender, code, transfer block.
  std::function<void(std::uint32_t Sender, std::int32_t Code, const std::string &Block)> OnCopyData;
};

/// A received message with a code the component does not handle itself.
using TGotAMessageEvent = std::function<void(TObject *Sender, TQuorvoMessageStream &Msg)>;
/// The host asks the program to quit; a handler may refuse with AllowQuit = false.
using TOnQuitMsgReceived = std::function<void(TObject *Sender, bool ServerDown, bool &AllowQuit)>;

/// Common part of the host-connection components: translator, parameter
/// list, message window, the loading steps and the dispatch of received
/// messages.
class TkdbCustomDemon : public TComponent, public TMessageLink {
public:
  /// Creates the translator and fills Params from the process's command line.
  /// The message window comes with the derived class (CreateWindowHandle).
  explicit TkdbCustomDemon(TComponent *AOwner);
  /// Releases what BeforeDestruction did not (a bare delete).
  ~TkdbCustomDemon() override;

  /// Withdraws from the host (unless it is down), releases pending replies,
  /// the message window and the single-instance lock, releases the
  /// translator (writing the language template when AutoCreateItlFile is on;
  /// a failure to write it is shown like any error reaching the event loop)
  /// and, when this component belongs to the main form, asks the application
  /// to terminate.
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
  /// This program: own window, lock handle, program path, application title.
  TEntity *OwnEntity() const { return ownEntity_.get(); }
  /// The host's server window (Handle 0 when no server runs).
  TEntity *ServerEntity() const { return serverEntity_.get(); }
  /// Replies received and not yet collected, oldest first; at most 64 and
  /// 64 MiB of content together (the newest always stays).
  int PendingReplyCount() const { return int(pendingReplies_.size()); }

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

  /// Stamps Msg and sends it to Entity's window, returning after the
  /// receiver handled it; then moves the first pending reply with the same
  /// stamp into Reply (when given). Nothing is sent when the own window does
  /// not exist or Entity names no window; Reply then stays empty.
  void SendTo(TEntity *Entity, TQuorvoMessageStream *Msg, TQuorvoMessageStream *Reply) override;
  /// Dispatch of a received message: quit, reply (kept for SendTo), params,
  /// anything else to OnGotAMessage. Takes Msg over (leaving it null) when it
  /// keeps it.
  virtual void HandleMessage(std::unique_ptr<TQuorvoMessageStream> &Msg);
  /// Receipt at the own window: a block shorter than the 8 stamp bytes is
  /// dropped; anything else becomes a message for HandleMessage.
  void ReceiveCopyData(std::uint32_t Sender, std::int32_t Code, const std::string &Block);

  /// The message window; null once the component went.
  THostTransport *Transport() const { return transport_.get(); }
  /// Replaces the message window (tests use a stand-in) and looks for the
  /// host's server window through it.
  void SetTransport(std::unique_ptr<THostTransport> Value);
  /// Whether Handle names an existing window.
  bool IsWindow(std::uint32_t Handle) const override;

  /// Window class and window name of the component's message window.
  virtual std::string WindowClassName() const = 0;
  virtual std::string WindowName() const = 0;
  /// The host's record of the program with this title, or null.
  virtual std::unique_ptr<TEntity> FindEntityByTitle(const std::string &Title) = 0;
  /// The host's record of the program with this window, or null.
  std::unique_ptr<TEntity> FindEntityByHandle(std::uint32_t Handle) override = 0;
  /// Has the host start a program; returns its process id.
  virtual std::int32_t Execute(const std::string &FileName, const std::string &Parameters,
                               bool Wait, std::int32_t Extra) = 0;
  /// A file from the host, or null when it has none.
  virtual std::unique_ptr<TMemoryStream> GetFile(const std::string &FileName) = 0;
  /// The host's name for a file of the program.
  virtual std::string QueryFileName(const std::string &Name) = 0;
  /// A text the host defines.
  virtual std::string QueryText(const std::string &Text) = 0;
  /// A named value: "TavelinWorkArea" and "TavelinHomeDir".
  virtual std::string GetValue(const std::string &Name) = 0;

protected:
  /// Creates the message window named WindowClassName / WindowName and
  /// looks for the host's server; raises EQuorvo "Could not create window
  /// handle" when the window cannot be made.
  void CreateWindowHandle();
  /// First loading step: announce the program to the host.
  virtual void Connect() {}
  /// Loads the language file into the translator and translates the owner
  /// when AutoTranslate is on. A missing or unreadable file loads nothing.
  virtual void LoadLanguage();
  /// Takes the single-instance lock "QV_" + program file name, or, when
  /// another instance holds it, hands Params over to that instance and ends
  /// this start (EndSecondStart). With a host the running instance is the
  /// host's answer for the application title; without one it is the window
  /// the running instance recorded beside its lock.
  virtual void CheckSingleInstance();
  /// Ends a start that lost the single-instance check: exit status 0 at once.
  virtual void EndSecondStart();
  /// Last destruction step towards the host: withdraw the program.
  virtual void Disconnect() {}

  /// A message with Code whose content Write fills, sent to the server; the
  /// reply (empty when none came) positioned at 0.
  std::unique_ptr<TQuorvoMessageStream>
  Request(std::int32_t Code, const std::function<void(TQuorvoMessageStream &)> &Write);
  /// Sends a message with the own entity record to the server, reply unread.
  void PostOwnEntity(std::int32_t Code);

private:
  void ReleaseTranslator();
  void FindServerWindow();
  /// The running instance to hand the parameters to, or null.
  std::unique_ptr<TEntity> FindRunningInstance(const std::string &LockName);

  TTolkar2000 *translator_ = nullptr;
  TStringList params_;
  std::string programPath_;
  std::vector<std::string> arguments_;
  std::unique_ptr<TEntity> ownEntity_;
  std::unique_ptr<TEntity> serverEntity_;
  std::vector<std::unique_ptr<TQuorvoMessageStream>> pendingReplies_;
  std::unique_ptr<THostTransport> transport_;
  TInstanceLock lock_;
  bool autoTranslate_ = true;
  bool multiStart_ = false;
  bool useTavelinServer_ = true;
  bool serverDown_ = false;
  bool shutDown_ = false;
};

/// The client end of the host connection, placed on a program's main window.
class TkdbDemonClient : public TkdbCustomDemon {
public:
  /// Creates the component with its message window.
  explicit TkdbDemonClient(TComponent *AOwner);
  /// Creates the component on Transport instead of a message window of its own.
  TkdbDemonClient(TComponent *AOwner, std::unique_ptr<THostTransport> Transport);

  std::string WindowClassName() const override;
  std::string WindowName() const override;
  std::unique_ptr<TEntity> FindEntityByTitle(const std::string &Title) override;
  std::unique_ptr<TEntity> FindEntityByHandle(std::uint32_t Handle) override;
  /// Raises EQuorvo when the host started nothing, and with Wait, because
  /// the exit code of a program the host started cannot be read here.
  std::int32_t Execute(const std::string &FileName, const std::string &Parameters, bool Wait,
                       std::int32_t Extra) override;
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

/// The suffix of the host's server window names: the registry value
/// "ViewerHandle", or, when that is empty or "00000000", the rest of the last
/// argument that begins with "/serverhandle=" in any case, lower-cased.
std::string ServerHandleSuffix(const std::string &RegistryValue,
                               const std::vector<std::string> &Arguments);

/// Writes S in the host's string form: 32-bit little-endian length, then the bytes.
void WriteHostString(std::string &Buffer, const std::string &S);
/// Reads a string in the host's form; a length of 0 or less is an empty
/// string. Raises EReadError when the stream ends early.
std::string ReadHostString(TStream &Stream);

/// Registers the host-connection classes with the class registry (idempotent).
void RegisterHostlinkClasses();
