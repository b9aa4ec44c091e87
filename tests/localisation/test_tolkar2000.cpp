#include "localisation/tolkar2000.h"

#include "platform/streams.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

void Load(TTolkar2000 &t, const std::string &file) {
  TStringStream stream(file);
  t.LoadDictionary(stream);
}

std::string ReadFile(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh directory per test, removed afterwards.
class TemplateFile : public ::testing::Test {
protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("numlab-tolkar-" +
           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::size_t FilesInDir() const {
    return std::size_t(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  }
  fs::path dir;
};

TEST(Tolkar2000, EmptyDictionaryGivesTheKeyBack) {
  TTolkar2000 t("");
  EXPECT_EQ(t.Translate("Add"), "Add");
  EXPECT_EQ(t.Translate("  Mixed Case "), "  Mixed Case ");
  EXPECT_EQ(t.Prefix, "TK_");
  EXPECT_FALSE(t.AutoCreate);
  EXPECT_EQ(t.PendingLines.Count(), 0); // nothing recorded without AutoCreate
}

TEST(Tolkar2000, KeysFoldCaseAndNormaliseBlanks) {
  TTolkar2000 t("");
  Load(t, "[ADD]=Hinzu|$$\r\n[  Peak \t  at]=x|$$\r\n[Two]=first|$$[two]=second|$$"
          "[trail ]=t|$$");
  ASSERT_EQ(t.Keys.Count(), 5);
  EXPECT_EQ(t.Keys.Strings(1), "peak at");
  EXPECT_EQ(t.Translate("add"), "Hinzu");
  EXPECT_EQ(t.Translate("Add"), "Hinzu");
  EXPECT_EQ(t.Translate("ADD"), "Hinzu");
  EXPECT_EQ(t.Translate("Peak at"), "x");
  EXPECT_EQ(t.Translate("Peak  at"), "Peak  at"); // lookups are not normalised
  EXPECT_EQ(t.Translate("TWO"), "first");         // the first of equal keys wins
  EXPECT_EQ(t.Translate("trail "), "t");          // trailing blanks are significant
  EXPECT_EQ(t.Translate("trail"), "trail");
}

TEST(Tolkar2000, EqualKeysAreAllKeptAndTheFirstIsFound) {
  TTolkar2000 t("");
  Load(t, "[Two]=first|$$[two]=second|$$[x]=y|$$[TWO]=third|$$");
  EXPECT_EQ(t.Keys.Lines(), (std::vector<std::string>{"two", "two", "x", "two"}));
  EXPECT_EQ(t.Texts.Lines(), (std::vector<std::string>{"first", "second", "y", "third"}));
  EXPECT_EQ(t.Translate("two"), "first");
  EXPECT_EQ(t.Translate("Two"), "first");
  // The template lists every loaded record, repeats included.
  EXPECT_EQ(t.TemplateLines(), (std::vector<std::string>{"[two]=first|$$", "[two]=second|$$",
                                                         "[x]=y|$$", "[two]=third|$$"}));
  // An index rebuilt after an outside change still finds the first.
  t.Keys.Put(2, "z");
  EXPECT_EQ(t.Translate("TWO"), "first");
  EXPECT_EQ(t.Translate("z"), "y");
}

TEST(Tolkar2000, TextProcessing) {
  TTolkar2000 t("Demo");
  Load(t, "[a]=line one\\nline two|$$"
          "[b]=broken\r\nover lines|$$"
          "[c]=Welcome to <%appname%>|$$"
          "[d]=not an \\N escape|$$"
          "[e]=brackets [x] and ]= stay|$$");
  EXPECT_EQ(t.Translate("a"), "line one\r\nline two");
  EXPECT_EQ(t.Translate("b"), "broken  over lines");
  EXPECT_EQ(t.Translate("c"), "Welcome to Demo");
  EXPECT_EQ(t.Translate("d"), "not an \\N escape");
  EXPECT_EQ(t.Translate("e"), "brackets [x] and ]= stay");

  TTolkar2000 empty("");
  Load(empty, "[c]=Welcome to <%APPNAME%>|$$");
  EXPECT_EQ(empty.Translate("c"), "Welcome to ");
}

TEST(Tolkar2000, PlaceholdersAndTheHook) {
  TTolkar2000 t("");
  Load(t, "[a]=<%1%> of <%2%>|$$[b]=<%1%><%1%>|$$");
  EXPECT_EQ(t.Translate("a", {"3", "5"}), "3 of 5");
  EXPECT_EQ(t.Translate("a"), "<%1%> of <%2%>");
  EXPECT_EQ(t.Translate("b", {"x"}), "xx");
  // Text inserted for an earlier placeholder is searched by later ones.
  EXPECT_EQ(t.Translate("a", {"<%2%>", "5"}), "5 of 5");
  // A missing key gets the same substitution.
  EXPECT_EQ(t.Translate("Only <%1%>", {"one"}), "Only one");

  std::vector<std::string> seen;
  t.OnTextTranslated = [&](TObject *sender, const std::string &key, std::string &text) {
    EXPECT_EQ(sender, &t);
    seen.push_back(key + "=" + text);
    text += "!";
  };
  EXPECT_EQ(t.Translate("A", {"3", "5"}), "3 of 5!");
  EXPECT_EQ(t.Translate("missing"), "missing"); // not called for a missing key
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "A=3 of 5");
}

TEST(Tolkar2000, AutoCreateRecordsEachMissingKeyOnce) {
  TTolkar2000 t("");
  Load(t, "[known]=k|$$");
  t.AutoCreate = true;
  t.Translate("Some Key");
  t.Translate("Some Key");
  t.Translate("some key");
  t.Translate("known");
  t.Translate("Other");
  ASSERT_EQ(t.PendingLines.Count(), 2);
  EXPECT_EQ(t.PendingLines.Strings(0), "[Some Key]=Some Key|$$");
  EXPECT_EQ(t.PendingLines.Strings(1), "[Other]=Other|$$");
  t.AutoCreate = false; // nothing to write at destruction
}

TEST(Tolkar2000, LoadingReplacesTheDictionaryButKeepsPendingLines) {
  TTolkar2000 t("");
  t.AutoCreate = true;
  TStringStream stream("[a]=1|$$[b]=2|$$[c]=unterminated");
  stream.SetPosition(10); // loading always starts at the beginning
  t.LoadDictionary(stream);
  EXPECT_EQ(t.Keys.Count(), 2); // the last record lacks its end and is ignored
  EXPECT_EQ(t.Translate("c"), "c");
  Load(t, "[b]=3|$$");
  EXPECT_EQ(t.Keys.Count(), 1);
  EXPECT_EQ(t.Texts.Strings(0), "3");
  EXPECT_EQ(t.PendingLines.Count(), 1);
  t.AutoCreate = false;
}

TEST(Tolkar2000, MalformedRecordsAreTakenAsTheyCome) {
  TTolkar2000 t("");
  Load(t, "abc]=def|$$" // no "[": the key starts at the first character
          "[ghi|$$"     // no "]=": empty key, text from the second character
          "x]=y[z|$$"   // "]=" before "[": empty key
          "[]=|$$"      // empty key and text
          "noise only|$$");
  EXPECT_EQ(t.Keys.Lines(), (std::vector<std::string>{"abc", "", "", "", ""}));
  EXPECT_EQ(t.Texts.Lines(), (std::vector<std::string>{"def", "ghi", "y[z", "", "oise only"}));
  EXPECT_EQ(t.Translate(""), "ghi"); // the first of the empty keys
}

TEST(Tolkar2000, HostileFilesNeitherCrashNorHang) {
  TTolkar2000 t("");
  Load(t, "");
  EXPECT_EQ(t.Keys.Count(), 0);
  Load(t, "[a]=no end marker anywhere");
  EXPECT_EQ(t.Keys.Count(), 0);

  const std::string nul("[a\0b]=c\0d|$$", 12);
  Load(t, nul);
  ASSERT_EQ(t.Keys.Count(), 1);
  EXPECT_EQ(t.Keys.Strings(0), std::string("a\0b", 3));
  EXPECT_EQ(t.Translate(std::string("A\0B", 3)), std::string("c\0d", 3));

  Load(t, "[\xff\xfe\xc3]=\xc3\x28\xa0\xa1|$$");
  EXPECT_EQ(t.Translate("\xff\xfe\xc3"), "\xc3\x28\xa0\xa1");

  // Multi-megabyte records: one without an end, one full of escapes and blanks.
  const std::size_t big = 4u << 20;
  Load(t, "[k]=" + std::string(big, 'x'));
  EXPECT_EQ(t.Keys.Count(), 0);
  std::string escapes;
  for (std::size_t i = 0; i < big / 2; ++i)
    escapes += "\\n";
  Load(t,
       "[" + std::string(big, ' ') + "k]=" + escapes + "|$$[j]=" + std::string(big, '\n') + "|$$");
  ASSERT_EQ(t.Keys.Count(), 2);
  EXPECT_EQ(t.Keys.Strings(0), "k");
  // Only the beginning of a long text is taken.
  std::string breaks;
  for (std::size_t i = 0; i < MaxLanguageTextBytes / 2; ++i)
    breaks += "\r\n";
  EXPECT_EQ(t.Texts.Strings(0), breaks);
  EXPECT_EQ(t.Texts.Strings(1), std::string(MaxLanguageTextBytes, ' '));
}

TEST(Tolkar2000, LongTextsAndManyRecordsAreBounded) {
  TTolkar2000 t("");
  const std::string a(MaxLanguageTextBytes - 1, 'a');
  // The cut falls inside a "\n" and inside a UTF-8 sequence: both stay whole
  // or go whole. A text that just fits is kept as it is.
  Load(t, "[e]=" + a + "\\n|$$[u]=" + a + "\xC3\xBC|$$[f]=" + a + "b|$$[k]=" + a + "bc|$$");
  EXPECT_EQ(t.Translate("e"), a);
  EXPECT_EQ(t.Translate("u"), a);
  EXPECT_EQ(t.Translate("f"), a + "b");
  EXPECT_EQ(t.Translate("k"), a + "b");

  std::string many;
  for (int i = 0; i < MaxLanguageRecords + 2; ++i)
    many += "[k" + std::to_string(i) + "]=v|$$";
  Load(t, many);
  ASSERT_EQ(t.Keys.Count(), MaxLanguageRecords);
  EXPECT_EQ(t.Translate("k" + std::to_string(MaxLanguageRecords - 1)), "v");
  EXPECT_EQ(t.Translate("k" + std::to_string(MaxLanguageRecords)),
            "k" + std::to_string(MaxLanguageRecords));
}

TEST(Tolkar2000, ShippedLanguageFileLoads) {
  TTolkar2000 t("");
  TFileStream file(std::string(SPECTRION_SOURCE_DIR) + "/data/lang/spectrion-de.itl", fmOpenRead);
  t.LoadDictionary(file);
  EXPECT_GE(t.Keys.Count(), 20);
  EXPECT_EQ(t.Translate("Add"), "&Hinzuf\xC3\xBCgen");
  EXPECT_EQ(t.Translate("Log. Scale"), "&Log. Skala"); // with its accelerator mark
  EXPECT_EQ(t.Translate("$dlglanguage$"), "lgGerman");
  EXPECT_EQ(t.Translate("%d K"), "%d K");
}

TEST(LanguageFileName, ReplacesOrAppendsTheExtension) {
  EXPECT_EQ(LanguageFileName("spectrion"), "spectrion.itl");
  EXPECT_EQ(LanguageFileName("/usr/bin/spectrion"), "/usr/bin/spectrion.itl");
  EXPECT_EQ(LanguageFileName("/opt/demo.exe"), "/opt/demo.itl");
  EXPECT_EQ(LanguageFileName("/opt/my.apps/demo"), "/opt/my.apps/demo.itl");
  EXPECT_EQ(LanguageFileName("a.b.c"), "a.b.itl");
  // The translator writes its template under the running program's name.
  TTolkar2000 t("");
  EXPECT_EQ(t.TemplateFileName, LanguageFileName(ProgramFileName()));
  EXPECT_EQ(fs::path(t.TemplateFileName).extension(), ".itl");
  EXPECT_FALSE(fs::path(t.TemplateFileName).has_parent_path());
}

TEST_F(TemplateFile, WrittenTemplateReadsBack) {
  const fs::path file = dir / "demo.itl";
  {
    TTolkar2000 t("Demo");
    t.TemplateFileName = file.string();
    Load(t, "[Peak  At]=Maximum\\nbei|$$[App]=<%AppName%>|$$");
    t.AutoCreate = true;
    t.Translate("Missing One");
    t.Translate("Peak at");
  } // destruction writes the template
  EXPECT_EQ(ReadFile(file), "[Missing One]=Missing One|$$\r\n"
                            "[peak at]=Maximum\r\nbei|$$\r\n"
                            "[app]=Demo|$$\r\n");
  EXPECT_EQ(FilesInDir(), 1u);

  TTolkar2000 back("");
  TFileStream in(file.string(), fmOpenRead);
  back.LoadDictionary(in);
  EXPECT_EQ(back.Translate("missing one"), "Missing One");
  EXPECT_EQ(back.Translate("PEAK AT"), "Maximum  bei"); // the real line break reads as blanks
  EXPECT_EQ(back.Translate("app"), "Demo");
}

TEST_F(TemplateFile, NothingIsWrittenWithoutAutoCreate) {
  {
    TTolkar2000 t("");
    t.TemplateFileName = (dir / "x.itl").string();
    t.Translate("missing");
  }
  TTolkar2000::Free(nullptr);
  EXPECT_EQ(FilesInDir(), 0u);
}

TEST_F(TemplateFile, WriteErrorsReachTheCallerAndLeaveNoDebris) {
  // The target name is taken by a directory: the rename fails.
  const fs::path blocked = dir / "blocked.itl";
  fs::create_directory(blocked);
  auto *t = new TTolkar2000("");
  t->TemplateFileName = blocked.string();
  t->AutoCreate = true;
  t->Translate("x");
  EXPECT_THROW(TTolkar2000::Free(t), EStreamError);
  EXPECT_TRUE(fs::is_directory(blocked));
  EXPECT_EQ(FilesInDir(), 1u); // no temporary file left behind

  // A missing directory fails at creation of the temporary file.
  auto *u = new TTolkar2000("");
  u->TemplateFileName = (dir / "no" / "such" / "dir.itl").string();
  u->AutoCreate = true;
  EXPECT_THROW(TTolkar2000::Free(u), EStreamError);
}

TEST_F(TemplateFile, ReplacingAnExistingFileHappensOnce) {
  const fs::path file = dir / "demo.itl";
  std::ofstream(file) << "old contents";
  {
    TTolkar2000 t("");
    t.TemplateFileName = file.string();
    t.AutoCreate = true;
    t.Translate("k");
    t.WriteTemplate();
    EXPECT_EQ(ReadFile(file), "[k]=k|$$\r\n");
    fs::remove(file);
    t.Translate("later");
  }
  EXPECT_FALSE(fs::exists(file)); // destruction did not write a second time
}

} // namespace

TEST(Tolkar2000, Utf16FilesReadAsTheirUtf8Text) {
  // "[Add]=Hinzufügen|$$" with a byte-order mark, both byte orders, and a
  // character outside the basic plane.
  const std::u16string text = u"[Add]=Hinzuf\u00FCgen \U0001F600|$$";
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  for (char16_t c : text) {
    little += char(c & 0xFF);
    little += char(c >> 8);
    big += char(c >> 8);
    big += char(c & 0xFF);
  }
  for (const std::string &file : {little, big}) {
    TTolkar2000 t("");
    Load(t, file);
    EXPECT_EQ(t.Translate("add"), "Hinzuf\xC3\xBCgen \xF0\x9F\x98\x80");
  }
}

TEST(Tolkar2000, LookupsFollowKeysChangedFromOutside) {
  TTolkar2000 t("");
  Load(t, "[a]=1|$$");
  t.Keys.Add("b");
  t.Texts.Add("2");
  t.Keys.Put(0, "c");
  EXPECT_EQ(t.Translate("B"), "2");
  EXPECT_EQ(t.Translate("c"), "1");
  EXPECT_EQ(t.Translate("a"), "a");
}
