#pragma once
// The translator: a dictionary from translation keys to the texts of the
// user's language, loaded from a language file, and the walk that translates
// the "TK_" texts of a form and everything on it.
//
// Language file: a sequence of records "[key]=text|$$". Everything before a
// record's first "[" is ignored (line breaks between records included); a text
// may span lines, "\n" in a text is a line break, "<%APPNAME%>" is the
// application name and "<%1%>", "<%2%>" ... are filled from the arguments of a
// lookup. Keys match without regard to the case of A-Z.
#include "platform/persistent.h"
#include "platform/strings.h"
#include "support/string_index.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TComponent;
class TStream;

class TTolkar2000 : public TObject {
public:
  /// Called after a key was found and its placeholders filled; may change Text.
  using TTextTranslatedEvent =
      std::function<void(TObject *Sender, const std::string &Key, std::string &Text)>;
  /// Called before an object's properties are walked; Allow = false skips it.
  using TTranslateObjectEvent =
      std::function<void(TObject *Sender, TPersistent *Instance, bool &Allow)>;

  TTextTranslatedEvent OnTextTranslated;
  TTranslateObjectEvent OnTranslateObject;
  /// Dictionary keys, lower-cased and normalised, in file order. Keys may
  /// repeat; lookups find the first of equal keys.
  TStringList Keys;
  /// Dictionary texts; Texts line i belongs to Keys line i.
  TStringList Texts;
  /// The marker of a translation key in a text property.
  std::string Prefix = "TK_";
  /// Language-file lines recorded for missing keys, written at destruction.
  TStringList PendingLines;
  /// Record missing keys and write the language template at destruction.
  bool AutoCreate = false;
  /// Substituted for "<%APPNAME%>" in loaded texts.
  std::string AppName;
  /// Where the language template is written; initially the program's file
  /// name with the ending ".itl", in the current working directory.
  std::string TemplateFileName;

  explicit TTolkar2000(const std::string &AAppName);
  /// Writes the language template when AutoCreate is on and it has not been
  /// written yet. A destructor cannot report a failure, so owners destroy the
  /// translator with Free, which does; here a failure is only swallowed.
  ~TTolkar2000() override;
  /// Destroys Translator (may be null), writing the language template first
  /// when AutoCreate is on. A write error is raised to the caller after the
  /// translator has been destroyed.
  static void Free(TTolkar2000 *Translator);

  /// Replaces the dictionary by the records of a language file read from the
  /// stream's beginning, in one pass. PendingLines is kept. Malformed records
  /// are taken as they come (see the implementation); nothing is rejected. A
  /// file that starts with a UTF-16 byte-order mark is read as UTF-8.
  void LoadDictionary(TStream &Stream);

  /// The text for Key, with "<%n%>" replaced by Args[n-1]. A missing key
  /// translates to itself and is recorded when AutoCreate is on.
  std::string Translate(const std::string &Key, const std::vector<std::string> &Args = {});

  /// Translates Component and, depth first, every component it owns.
  void TranslateComponent(TComponent *Component);
  /// Translates the published text properties of one object (not its owned
  /// components), entering collections, axis property sets and string lists.
  void TranslateObject(TPersistent *Instance);

  /// Writes PendingLines followed by the whole dictionary to TemplateFileName,
  /// replacing the file atomically (WriteFileAtomic). Raises EStreamError
  /// descendants on failure, leaving any previous file intact. Called by the destructor when AutoCreate is on;
  /// calling it first lets the owner handle errors without a throwing
  /// destructor. The template is written once.
  void WriteTemplate();
  /// The lines WriteTemplate writes, each to be followed by CR LF.
  std::vector<std::string> TemplateLines() const;

  /// Key normalisation of loaded keys: CR, LF and TAB become blanks, runs of
  /// blanks become one, leading blanks go. Trailing blanks stay.
  static std::string NormaliseKey(const std::string &Key);
  /// Text processing of loaded texts: only the first MaxLanguageTextBytes
  /// bytes are taken (see there), CR and LF become blanks, "\n" becomes
  /// CR LF, "<%APPNAME%>" (any case) becomes AppName.
  std::string ProcessText(std::string_view Text) const;

private:
  void TranslateStrings(TStrings *Lines);
  bool templateWritten_ = false;
  /// First entry of each key; rebuilt when Keys changed behind its back.
  TStringIndex index_;
  bool indexValid_ = true;
};

/// The largest language file read: a real one holds a few kilobytes; reading
/// stays linear, so this only bounds memory.
inline constexpr std::int64_t MaxLanguageFileBytes = std::int64_t(256) << 20;

/// The most records a language file gives; later ones are ignored. A real
/// file holds a few dozen. Every record costs two strings and an index slot
/// whatever its size, so without a bound a file of tiny records would cost
/// many times its size.
inline constexpr int MaxLanguageRecords = 16384;

/// The longest text a record gives, in bytes of the file; the rest of a
/// longer one is ignored (never within a UTF-8 sequence or a "\n"). A real
/// text is a caption or a paragraph of a few hundred bytes. The controls pay
/// for every line and character they show, far more than the file does (a
/// memo line costs hundreds of bytes, written "\n" it costs two), so this
/// keeps what a language file can make the window hold small.
inline constexpr std::size_t MaxLanguageTextBytes = 16384;

/// The language file that belongs to a program: its path with the extension
/// replaced by ".itl", or ".itl" appended when it has none
/// ("/opt/x/spectrion" -> "/opt/x/spectrion.itl", "demo.exe" -> "demo.itl").
std::string LanguageFileName(const std::string &ProgramPath);

/// The file name (no directory) of the running program.
std::string ProgramFileName();
