// The shipped language files: they hold the same keys, and in German both
// windows show no text left as a key and no English text the German file
// translates. One test program of its own: the language file beside the
// program is replaced while it runs.
#include "helper_main_window.h"

#include "chart/rchart.h"
#include "hostlink/demon_client.h"
#include "localisation/tolkar2000.h"
#include "platform/collection.h"
#include "platform/process_info.h"
#include "platform/property_registry.h"
#include "platform/streams.h"
#include "simulation/about_box.h"
#include "simulation/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace {

namespace fs = std::filesystem;

const fs::path LangDir = fs::path(SPECTRION_SOURCE_DIR) / "data/lang";

std::map<std::string, std::string> Dictionary(const fs::path &File) {
  TFileStream in(File.string(), fmOpenRead);
  TTolkar2000 t("Spectrion");
  t.LoadDictionary(in);
  std::map<std::string, std::string> out;
  for (int i = 0; i < t.Keys.Count(); ++i)
    out[t.Keys.Strings(i)] = t.Texts.Strings(i);
  return out;
}

/// One text a user can see and where it was found.
struct Seen {
  std::string Where, Text;
};

/// The published texts of Instance that a user can see, entering string
/// lists, collections and axis property sets as the form translation does.
void PublishedTexts(TPersistent *Instance, const std::string &Where, std::vector<Seen> &Out) {
  const TClassInfo *cls = ClassOf(Instance);
  if (!cls) return;
  for (const TPropInfo *prop : cls->Properties()) {
    const std::string at = Where + "." + prop->Name();
    if (prop->Kind() == pkText) {
      // Names and addresses are not read as texts.
      if (prop->Name() == "Name" || prop->Name() == "URL") continue;
      Out.push_back({at, prop->GetText(Instance)});
    } else if (prop->Kind() == pkObject) {
      TObject *ref = prop->GetObject(Instance);
      if (auto *lines = dynamic_cast<TStrings *>(ref)) {
        for (int i = 0; i < lines->Count(); ++i)
          Out.push_back({at, lines->Strings(i)});
      } else if (auto *items = dynamic_cast<TCollection *>(ref)) {
        for (int i = 0; i < items->Count(); ++i)
          PublishedTexts(items->Items(i), at, Out);
      } else if (ref && ref->InheritsFrom("TScaleProps")) {
        PublishedTexts(dynamic_cast<TPersistent *>(ref), at, Out);
      }
    }
  }
}

/// Every text of the components Root owns that shows now: controls that are
/// showing, the chart's shown labels and the texts in its picture.
void VisibleTexts(TComponent *Root, std::vector<Seen> &Out) {
  auto *control = dynamic_cast<TControl *>(Root);
  if (control && !control->Visible()) return;
  PublishedTexts(Root, Root->Name(), Out);
  if (auto *chart = dynamic_cast<TRChart *>(Root)) {
    for (int k = 1; k <= 30; ++k)
      if (chart->TextLabels(k)->Mode() != tlOff)
        Out.push_back({"label " + std::to_string(k), chart->TextLabels(k)->Caption()});
    for (int i = 0; i < chart->ItemCount(); ++i)
      if (chart->Items(i).Kind == ikText)
        Out.push_back({"chart text", std::string(chart->Items(i).Text.View())});
  }
  for (int i = 0; i < Root->ComponentCount(); ++i)
    VisibleTexts(Root->Components(i), Out);
}

TEST(LanguageFiles, EveryShippedFileHoldsTheSameKeys) {
  std::map<std::string, std::set<std::string>> keys;
  for (const fs::directory_entry &e : fs::directory_iterator(LangDir))
    if (e.path().extension() == ".itl")
      for (const auto &[key, text] : Dictionary(e.path()))
        keys[e.path().filename().string()].insert(key);
  ASSERT_GE(keys.size(), 2u);
  const auto &[firstName, first] = *keys.begin();
  for (const auto &[name, set] : keys) {
    std::vector<std::string> missing, extra;
    std::set_difference(first.begin(), first.end(), set.begin(), set.end(),
                        std::back_inserter(missing));
    std::set_difference(set.begin(), set.end(), first.begin(), first.end(),
                        std::back_inserter(extra));
    EXPECT_TRUE(missing.empty()) << name << " lacks " << ::testing::PrintToString(missing)
                                 << " of " << firstName;
    EXPECT_TRUE(extra.empty()) << name << " has " << ::testing::PrintToString(extra)
                               << " that " << firstName << " lacks";
  }
}

TEST(LanguageFiles, GermanWindowsShowNoKeyAndNoEnglishText) {
  // English texts the German file translates differently, compared without
  // accelerator marks (the band text shares a caption's entry without it).
  const auto english = Dictionary(LangDir / "spectrion.itl");
  const auto german = Dictionary(LangDir / "spectrion-de.itl");
  std::set<std::string> untranslated;
  for (const auto &[key, text] : english)
    if (auto it = german.find(key); it != german.end() && it->second != text)
      untranslated.insert(StripAccelChars(text));

  const fs::path beside = LanguageFileName(ProgramPath());
  fs::copy_file(LangDir / "spectrion-de.itl", beside, fs::copy_options::overwrite_existing);
  auto *w = new TfrmExample(nullptr);
  auto *about = new TFrmAbout(nullptr);
  about->UpdateTexts(*w->cliDemon->Translator());
  about->Show();
  w->Show();
  // Everything the chart can show: the band, a snapshot, both axes.
  w->CBoxVisRange->SetChecked(true);
  w->CBPeakCurve->SetChecked(true);
  window_test::SnapshotAt(*w, 3000);
  std::vector<Seen> seen;
  VisibleTexts(w, seen);
  w->CBLogScale->SetChecked(true);
  VisibleTexts(w->RCChart, seen);
  VisibleTexts(about, seen);
  fs::remove(beside);

  // The walk reaches the texts the issue was about.
  auto shown = [&seen](const std::string &Text) {
    return std::any_of(seen.begin(), seen.end(), [&](const Seen &s) { return s.Text == Text; });
  };
  EXPECT_TRUE(shown("Wellenlänge [nm]"));
  EXPECT_TRUE(shown("Schwarzkörperstrahlung (Wikipedia)"));
  EXPECT_TRUE(shown("3000 K"));
  for (const Seen &s : seen) {
    EXPECT_EQ(s.Text.find("TK_"), std::string::npos) << s.Where << ": " << s.Text;
    EXPECT_EQ(untranslated.count(StripAccelChars(s.Text)), 0u)
        << s.Where << " shows English: " << s.Text;
  }
  about->Free();
  w->Free();
}

} // namespace
