#pragma once
// Messages between the host's server and its client programs, and the
// records describing the programs taking part. All integers on the wire are
// little-endian; a string is a signed 32-bit length and that many bytes, no
// terminator, and a length of 0 or less is an empty string with nothing
// after it. A message travels as a transfer block: the 8 stamp bytes (Time,
// then Date), then the content; its code and its sender travel beside the
// block.
#include "platform/streams.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TEntity;
class TQuorvoMessageStream;

/// What messages and entities ask of the component that carries them:
/// sending a message, the host's record of a window and whether a window
/// exists. The host-connection component implements it; messages and
/// entities never see the component itself.
class TMessageLink {
public:
  /// Sends Msg to Entity's window and fills Reply (when given) with the answer.
  virtual void SendTo(TEntity *Entity, TQuorvoMessageStream *Msg, TQuorvoMessageStream *Reply) = 0;
  /// The host's record of the program with this window, or null.
  virtual std::unique_ptr<TEntity> FindEntityByHandle(std::uint32_t Handle) = 0;
  /// Whether Handle names an existing window.
  virtual bool IsWindow(std::uint32_t Handle) const = 0;

protected:
  ~TMessageLink() = default;
};

/// A moment as the messages carry it: milliseconds since midnight and days
/// since 1 January of year 1 plus 1 (that day is 1).
struct TTimeStamp {
  std::int32_t Time = 0;
  std::int32_t Date = 0;
  bool operator==(const TTimeStamp &) const = default;
};

/// The stamp of a local calendar date and time of day.
TTimeStamp DateTimeToTimeStamp(int Year, int Month, int Day, int Hour, int Minute, int Second,
                               int Millisecond);
/// The current local time as a stamp, strictly later than every stamp this
/// process handed out before (a stamp not later than the last becomes the
/// last plus 1 ms, carried into the next day past midnight), so a late reply
/// can never pair with a newer request.
TTimeStamp NextMessageStamp();
/// Now when it is later than Last, else Last plus 1 ms (carried into the
/// next day past midnight): the rule NextMessageStamp applies.
TTimeStamp LaterStamp(TTimeStamp Now, TTimeStamp Last);

/// A parameter list in the wire form: each entry followed by CR LF.
std::string ParamListText(const std::vector<std::string> &Entries);

/// Writes a 32-bit little-endian integer.
void WriteInt32(TStream &Stream, std::int32_t Value);
/// Reads a 32-bit little-endian integer; EReadError when fewer bytes are left.
std::int32_t ReadInt32(TStream &Stream);
/// Writes S in the wire string form.
void WriteWireString(TStream &Stream, const std::string &S);
/// Reads a wire string. A length above the bytes left is a read error
/// raised before anything is allocated.
std::string ReadWireString(TStream &Stream);

/// A message: code, stamp, sender and content (the stream's bytes).
class TQuorvoMessageStream : public TMemoryStream {
public:
  explicit TQuorvoMessageStream(TMessageLink *ADemon);
  ~TQuorvoMessageStream() override;
  TQuorvoMessageStream(const TQuorvoMessageStream &) = delete;
  TQuorvoMessageStream &operator=(const TQuorvoMessageStream &) = delete;

  TTimeStamp Stamp;
  /// For a received message, the window it came from; owned.
  TEntity *SenderEntity() const { return senderEntity_.get(); }
  /// The link the message is sent through (null: SendTo does nothing).
  TMessageLink *Demon = nullptr;
  std::int32_t Code = 0;

  void WriteString(const std::string &S) { WriteWireString(*this, S); }
  std::string ReadString() { return ReadWireString(*this); }
  /// The component's SendTo(Entity, this message, Reply).
  void SendTo(TEntity *Entity, TQuorvoMessageStream *Reply);
  /// Copies stamp, sender, code and the whole content; positioned at 0.
  void Assign(const TQuorvoMessageStream &Source);
  /// The content as bytes.
  std::string Content() const { return std::string(Memory(), std::size_t(Size())); }

  /// The transfer block: stamp bytes, then the content.
  std::string TransferBlock() const;
  /// Fills code, stamp, sender handle and content from a received block.
  /// Returns false (and changes nothing) for a block shorter than 8 bytes.
  bool LoadTransferBlock(std::uint32_t Sender, std::int32_t ACode, const std::string &Block);

private:
  std::unique_ptr<TEntity> senderEntity_;
};

/// A program taking part in the exchange: its window, single-instance lock
/// handle, program file and title.
class TEntity {
public:
  explicit TEntity(TMessageLink *ADemon) : Demon(ADemon) {}

  /// The link that answers Refresh and IsValid (null: neither asks anybody).
  TMessageLink *Demon = nullptr;
  std::uint32_t Handle = 0;
  std::uint32_t MutexHandle = 0;

  /// The program file; asks the host (Refresh) while it is not known.
  std::string ExeName();
  /// The title; asks the host (Refresh) while it is not known.
  std::string Title();
  void SetExeName(const std::string &Value) { exeName_ = Value; }
  void SetTitle(const std::string &Value) { title_ = Value; }

  /// Fills the fields from the host's record of Handle (unchanged when the
  /// host knows none).
  void Refresh();
  /// Copies the four data fields of Other when it is given.
  void Assign(const TEntity *Other);
  /// Handle, MutexHandle, ExeName, Title in the wire form.
  void WriteTo(TStream &Stream);
  /// Reads the four fields. A truncated record is a read error that leaves
  /// the entity as it was.
  void ReadFrom(TStream &Stream);
  /// Name of the single-instance lock: "QV_" and the file-name part of
  /// ExeName, every "\" replaced by "_".
  std::string MutexName();
  /// Whether Handle names an existing window.
  bool IsValid() const;

private:
  std::string exeName_;
  std::string title_;
};
