#include "localisation/tolkar2000.h"

#include "platform/atomic_file.h"
#include "platform/streams.h"
#include "support/string_utils.h"

#include <string_view>

#include <exception>
#include <filesystem>
#include <system_error>

namespace {

const std::string kRecordEnd = "|$$";

bool EqualIgnoringAsciiCase(const std::string &a, const std::string &b) {
  return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

} // namespace

TTolkar2000::TTolkar2000(const std::string &AAppName)
    : AppName(AAppName), TemplateFileName(LanguageFileName(ProgramFileName())) {
  // Keys may be changed from outside; the lookup index then follows.
  Keys.OnChange = [this](TObject *) { indexValid_ = false; };
}

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

namespace {

// Where a text longer than MaxLanguageTextBytes ends: not inside a UTF-8
// sequence, and not between the two characters of a "\n".
std::size_t TextCut(std::string_view Text) {
  if (Text.size() <= MaxLanguageTextBytes) return Text.size();
  std::size_t cut = MaxLanguageTextBytes;
  while (cut > 0 && (static_cast<unsigned char>(Text[cut]) & 0xC0) == 0x80)
    --cut;
  if (cut > 0 && Text[cut - 1] == '\\' && Text[cut] == 'n') --cut;
  return cut;
}

} // namespace

std::string TTolkar2000::ProcessText(std::string_view Text) const {
  std::string t(Text.substr(0, TextCut(Text)));
  for (char &c : t)
    if (c == '\r' || c == '\n') c = ' ';
  t = ReplaceAll(t, "\\n", "\r\n", false);
  return ReplaceAll(t, "<%APPNAME%>", AppName, true);
}

namespace {

// The bytes of a stream from its beginning; a memory stream lends its own.
std::string_view StreamBytes(TStream &Stream, std::string &Storage) {
  if (auto *memory = dynamic_cast<TMemoryStream *>(&Stream))
    return std::string_view(memory->Memory(), std::size_t(memory->Size()));
  Stream.SetPosition(0);
  char block[65536];
  for (std::int64_t n; (n = Stream.Read(block, sizeof block)) > 0;)
    Storage.append(block, std::size_t(n));
  return Storage;
}

// Appends Key lower-cased (A-Z) and normalised (see NormaliseKey) to Out.
void AppendLoadedKey(std::string &Out, std::string_view Key) {
  for (char c : Key) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    if (c == ' ' && (Out.empty() || Out.back() == ' ')) continue;
    Out += c;
  }
}

} // namespace

void TTolkar2000::LoadDictionary(TStream &Stream) {
  std::string storage;
  std::string_view bytes = StreamBytes(Stream, storage);
  // Editors on Windows save "Unicode" as UTF-16 with a byte-order mark; such
  // a file is read as the UTF-8 text it holds.
  std::string converted;
  if (HasUtf16Mark(bytes)) {
    converted = Utf16WithMarkToUtf8(bytes);
    bytes = converted;
  }

  Keys.BeginUpdate();
  Texts.BeginUpdate();
  Keys.Clear();
  Texts.Clear();
  index_.Clear();
  // One pass over the records. Every record is kept (the language template
  // lists them all); the index holds each key's first record, the one that
  // lookups find.
  std::string key;
  for (std::size_t start = 0; Keys.Count() < MaxLanguageRecords;) {
    const std::size_t end = bytes.find(kRecordEnd, start);
    if (end == std::string_view::npos) break; // a last record without its end is ignored
    const std::string_view r = bytes.substr(start, end - start);
    start = end + kRecordEnd.size();
    // The key runs from after the first "[" (the record's start when there
    // is none) to the first "]="; a missing "]=", or a first "[" after it,
    // gives an empty key. Without "]=" the text starts at the second character.
    const std::size_t close = r.find("]=");
    key.clear();
    std::string_view text = r.empty() ? r : r.substr(1);
    if (close != std::string_view::npos) {
      const std::size_t open = r.find('[');
      if (open == std::string_view::npos)
        AppendLoadedKey(key, r.substr(0, close));
      else if (open < close)
        AppendLoadedKey(key, r.substr(open + 1, close - open - 1));
      text = r.substr(close + 2);
    }
    Keys.Add(key);
    Texts.Add(ProcessText(text));
    if (index_.Find(Keys.Lines(), key) < 0) index_.AddNew(Keys.Lines(), Keys.Count() - 1);
  }
  Texts.EndUpdate();
  Keys.EndUpdate();
  indexValid_ = true;
}

std::string TTolkar2000::Translate(const std::string &Key, const std::vector<std::string> &Args) {
  const std::string k = LowerAscii(Key);
  if (!indexValid_) {
    index_.Rebuild(Keys.Lines());
    indexValid_ = true;
  }
  const int i = index_.Find(Keys.Lines(), k);
  const bool found = i >= 0 && i < Texts.Count();
  std::string r = found ? Texts.Strings(i) : Key;
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
