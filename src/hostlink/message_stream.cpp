#include "hostlink/message_stream.h"

#include "platform/local_time.h"

#include <algorithm>

namespace {

constexpr std::int32_t kMsPerDay = 86400000;

// Days from 1 January of year 1 to the given date, that day counting as 1.
std::int32_t DayNumber(int Year, int Month, int Day) {
  // Days before the year, then before the month, in the proleptic Gregorian calendar.
  const long y = Year - 1;
  long days = y * 365 + y / 4 - y / 100 + y / 400;
  static const int before[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  days += before[(Month - 1) % 12];
  const bool leap = (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0;
  if (leap && Month > 2) ++days;
  return static_cast<std::int32_t>(days + Day);
}

TTimeStamp g_lastStamp;

} // namespace

TTimeStamp DateTimeToTimeStamp(int Year, int Month, int Day, int Hour, int Minute, int Second,
                               int Millisecond) {
  TTimeStamp s;
  s.Date = DayNumber(Year, Month, Day);
  s.Time = ((Hour * 60 + Minute) * 60 + Second) * 1000 + Millisecond;
  return s;
}

TTimeStamp NextMessageStamp() {
  const TLocalTime now = LocalTimeNow();
  TTimeStamp s = DateTimeToTimeStamp(now.Year, now.Month, now.Day, now.Hour, now.Minute,
                                     std::min(now.Second, 59), now.Millisecond);
  g_lastStamp = LaterStamp(s, g_lastStamp);
  return g_lastStamp;
}

TTimeStamp LaterStamp(TTimeStamp Now, TTimeStamp Last) {
  if (Now.Date > Last.Date || (Now.Date == Last.Date && Now.Time > Last.Time)) return Now;
  TTimeStamp s = Last;
  if (++s.Time >= kMsPerDay) {
    s.Time = 0;
    ++s.Date;
  }
  return s;
}

std::string ParamListText(const std::vector<std::string> &Entries) {
  std::string text;
  for (const std::string &e : Entries) {
    text += e;
    text += "\r\n";
  }
  return text;
}

void WriteInt32(TStream &Stream, std::int32_t Value) {
  const auto u = static_cast<std::uint32_t>(Value);
  const unsigned char bytes[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                                  static_cast<unsigned char>(u >> 16),
                                  static_cast<unsigned char>(u >> 24)};
  Stream.WriteBuffer(bytes, 4);
}

std::int32_t ReadInt32(TStream &Stream) {
  unsigned char b[4];
  Stream.ReadBuffer(b, 4);
  return static_cast<std::int32_t>(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 |
                                   std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24);
}

void WriteWireString(TStream &Stream, const std::string &S) {
  WriteInt32(Stream, static_cast<std::int32_t>(S.size()));
  if (!S.empty()) Stream.WriteBuffer(S.data(), std::int64_t(S.size()));
}

std::string ReadWireString(TStream &Stream) {
  const std::int32_t n = ReadInt32(Stream);
  if (n <= 0) return {};
  if (n > Stream.Size() - Stream.Position()) throw EReadError("Stream read error");
  std::string s(static_cast<std::size_t>(n), '\0');
  Stream.ReadBuffer(s.data(), n);
  return s;
}

// ---------------------------------------------------------------------------

TQuorvoMessageStream::TQuorvoMessageStream(TMessageLink *ADemon)
    : Demon(ADemon), senderEntity_(std::make_unique<TEntity>(ADemon)) {}

TQuorvoMessageStream::~TQuorvoMessageStream() = default;

void TQuorvoMessageStream::SendTo(TEntity *Entity, TQuorvoMessageStream *Reply) {
  if (Demon) Demon->SendTo(Entity, this, Reply);
}

void TQuorvoMessageStream::Assign(const TQuorvoMessageStream &Source) {
  if (&Source == this) return;
  Stamp = Source.Stamp;
  senderEntity_->Assign(Source.senderEntity_.get());
  Code = Source.Code;
  Clear();
  if (Source.Size() > 0) WriteBuffer(Source.Memory(), Source.Size());
  SetPosition(0);
}

std::string TQuorvoMessageStream::TransferBlock() const {
  TMemoryStream block;
  WriteInt32(block, Stamp.Time);
  WriteInt32(block, Stamp.Date);
  std::string bytes(block.Memory(), 8);
  bytes.append(Memory(), std::size_t(Size()));
  return bytes;
}

bool TQuorvoMessageStream::LoadTransferBlock(std::uint32_t Sender, std::int32_t ACode,
                                             const std::string &Block) {
  if (Block.size() < 8) return false;
  TStringStream head(Block.substr(0, 8));
  Stamp.Time = ReadInt32(head);
  Stamp.Date = ReadInt32(head);
  Code = ACode;
  senderEntity_->Handle = Sender;
  Clear();
  if (Block.size() > 8) WriteBuffer(Block.data() + 8, std::int64_t(Block.size() - 8));
  SetPosition(0);
  return true;
}

// ---------------------------------------------------------------------------

std::string TEntity::ExeName() {
  if (exeName_.empty()) Refresh();
  return exeName_;
}

std::string TEntity::Title() {
  if (title_.empty()) Refresh();
  return title_;
}

void TEntity::Refresh() {
  if (!Demon) return;
  std::unique_ptr<TEntity> e = Demon->FindEntityByHandle(Handle);
  Assign(e.get());
}

void TEntity::Assign(const TEntity *Other) {
  if (!Other || Other == this) return;
  Handle = Other->Handle;
  MutexHandle = Other->MutexHandle;
  exeName_ = Other->exeName_;
  title_ = Other->title_;
}

void TEntity::WriteTo(TStream &Stream) {
  WriteInt32(Stream, static_cast<std::int32_t>(Handle));
  WriteInt32(Stream, static_cast<std::int32_t>(MutexHandle));
  WriteWireString(Stream, ExeName());
  WriteWireString(Stream, Title());
}

void TEntity::ReadFrom(TStream &Stream) {
  const auto handle = static_cast<std::uint32_t>(ReadInt32(Stream));
  const auto mutex = static_cast<std::uint32_t>(ReadInt32(Stream));
  std::string exe = ReadWireString(Stream);
  std::string title = ReadWireString(Stream);
  Handle = handle;
  MutexHandle = mutex;
  exeName_ = std::move(exe);
  title_ = std::move(title);
}

std::string TEntity::MutexName() {
  std::string name = ExeName();
  const std::size_t slash = name.find_last_of('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  for (char &c : name)
    if (c == '\\') c = '_';
  return "QV_" + name;
}

bool TEntity::IsValid() const {
  return Demon && Demon->IsWindow(Handle);
}
