#include "localisation/tolkar2000.h"

#include "platform/atomic_file.h"
#include "platform/streams.h"
#include "support/marker_reader.h"
#include "support/string_utils.h"

#include <exception>
#include <filesystem>
#include <system_error>

namespace {

const std::string kRecordEnd = "|$$";

// 1-based position of the first occurrence of Pattern in Text, 0 if none.
std::size_t Pos(const std::string &Pattern, const std::string &Text) {
  const std::size_t p = Text.find(Pattern);
  return p == std::string::npos ? 0 : p + 1;
}

// Characters From .. To (1-based, inclusive) of Text; empty when To < From.
std::string Slice(const std::string &Text, std::size_t From, std::size_t To) {
  if (From < 1) From = 1;
  if (To > Text.size()) To = Text.size();
  if (To < From) return {};
  return Text.substr(From - 1, To - From + 1);
}

bool EqualIgnoringAsciiCase(const std::string &a, const std::string &b) {
  return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

} // namespace

TTolkar2000::TTolkar2000(const std::string &AAppName)
    : AppName(AAppName), TemplateFileName(LanguageFileName(ProgramFileName())) {}

TTolkar2000::~TTolkar2000() {
  if (!AutoCreate || templateWritten_) return;
  try {
    WriteTemplate();
  } catch (const std::exception &) {
    // Nothing can be reported from here; Free is the way that reports.
  }
}

void TTolkar2000::Free(TTolkar2000 *Translator) {
  if (!Translator) return;
  std::exception_ptr failure;
  if (Translator->AutoCreate && !Translator->templateWritten_) {
    try {
      Translator->WriteTemplate();
    } catch (...) {
      failure = std::current_exception();
    }
  }
  delete Translator;
  if (failure) std::rethrow_exception(failure);
}

std::string TTolkar2000::NormaliseKey(const std::string &Key) {
  std::string out;
  out.reserve(Key.size());
  for (char c : Key) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    // A blank after a blank, or at the start, is dropped; this collapses runs
    // to one blank and removes leading blanks in one pass.
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  return out;
}

std::string TTolkar2000::ProcessText(const std::string &Text) const {
  std::string t = Text;
  for (char &c : t)
    if (c == '\r' || c == '\n') c = ' ';
  t = ReplaceAll(t, "\\n", "\r\n", false);
  return ReplaceAll(t, "<%APPNAME%>", AppName, true);
}

void TTolkar2000::LoadDictionary(TStream &Stream) {
  Keys.Clear();
  Texts.Clear();
  Stream.SetPosition(0);
  for (;;) {
    const TMarkerRead record = ReadUntilMarker(Stream, kRecordEnd);
    if (!record.Found) break;
    const std::string &r = record.Text;
    // A missing "[" counts as position 0, so the key starts at the first
    // character; a missing "]=" gives an empty key and a text from the second
    // character on.
    const std::size_t p1 = Pos("[", r);
    const std::size_t p2 = Pos("]=", r);
    const std::size_t p3 = Pos(kRecordEnd, r);
    const std::string key = p2 == 0 ? std::string() : Slice(r, p1 + 1, p2 - 1);
    Keys.Add(NormaliseKey(LowerAscii(key)));
    Texts.Add(ProcessText(Slice(r, p2 + 2, p3 - 1)));
  }
}

std::string TTolkar2000::Translate(const std::string &Key, const std::vector<std::string> &Args) {
  const std::string k = LowerAscii(Key);
  const std::vector<std::string> &keys = Keys.Lines();
  std::size_t i = 0;
  while (i < keys.size() && keys[i] != k)
    ++i;
  const bool found = i < keys.size();
  std::string r = found ? Texts.Strings(int(i)) : Key;
  for (std::size_t n = 1; n <= Args.size(); ++n)
    r = ReplaceAll(r, "<%" + std::to_string(n) + "%>", Args[n - 1], true);
  if (found) {
    if (OnTextTranslated) OnTextTranslated(this, Key, r);
    return r;
  }
  if (AutoCreate) {
    const std::string line = "[" + Key + "]=" + Key + kRecordEnd;
    bool known = false;
    for (const std::string &pending : PendingLines.Lines())
      if (EqualIgnoringAsciiCase(pending, line)) {
        known = true;
        break;
      }
    if (!known) PendingLines.Add(line);
  }
  return r;
}

std::vector<std::string> TTolkar2000::TemplateLines() const {
  std::vector<std::string> lines = PendingLines.Lines();
  const std::vector<std::string> &keys = Keys.Lines();
  const std::vector<std::string> &texts = Texts.Lines();
  for (std::size_t i = 0; i < keys.size() && i < texts.size(); ++i)
    lines.push_back("[" + keys[i] + "]=" + texts[i] + kRecordEnd);
  return lines;
}

void TTolkar2000::WriteTemplate() {
  templateWritten_ = true;
  std::string contents;
  for (const std::string &line : TemplateLines()) {
    contents += line;
    contents += "\r\n";
  }
  // Replaced as a whole, so the language file is never left half written.
  WriteFileAtomic(TemplateFileName, contents);
}

std::string LanguageFileName(const std::string &ProgramPath) {
  std::filesystem::path p(ProgramPath);
  p.replace_extension(".itl");
  return p.string();
}

std::string ProgramFileName() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.filename().empty()) return "program";
  return exe.filename().string();
}
