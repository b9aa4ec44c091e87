// The main window in the language of the file beside the program, and
// without any language file. One test only: the steps share the language
// file beside this test program, so they must not run side by side.
#include "helper_main_window.h"

#include "chart/rchart.h"
#include "hostlink/demon_client.h"
#include "localisation/tolkar2000.h"
#include "platform/message_box.h"
#include "platform/process_info.h"
#include "platform/streams.h"
#include "simulation/main_window.h"
#include "widgets/num_lab.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

/// The language file beside the program; removed again at the end.
class LanguageFileBeside {
public:
  LanguageFileBeside() : path_(LanguageFileName(ProgramPath())) { Remove(); }
  ~LanguageFileBeside() { Remove(); }
  void CopyFrom(const fs::path &Source) {
    fs::copy_file(Source, path_, fs::copy_options::overwrite_existing);
  }
  void Write(const std::string &Text) { std::ofstream(path_, std::ios::binary) << Text; }
  void Remove() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }

private:
  fs::path path_;
};

/// Texts of the window that come from translation keys.
struct WindowTexts {
  std::string Caption, Exit, About, Band, BandHint, Log, Peak, Snapshot, Add, Clear, TrackHint,
      Temperature, TemperatureLeft, PeakLeft, EnergyAxis, Explanation;
};

WindowTexts TextsOf(TfrmExample &w) {
  return {w.Caption(),
          w.BButExit->Caption(),
          w.BButInfo->Caption(),
          w.CBoxVisRange->Caption(),
          w.CBoxVisRange->Hint(),
          w.CBLogScale->Caption(),
          w.CBPeakCurve->Caption(),
          w.LSnapShots->Caption(),
          w.BButAdd->Caption(),
          w.BButClear->Caption(),
          w.TBScaleY->Hint(),
          w.Label1->Caption(),
          w.NLTemperature->LeftText(),
          w.NLPeakAt->LeftText(),
          w.RCChart->Scale1Y()->Caption(),
          w.MMExplain->Lines()->Strings(0)};
}

/// Text of the band item (the chart's second item with the band on).
std::string BandItemText(TfrmExample &w) {
  w.CBoxVisRange->SetChecked(true);
  const GraphItem &item = w.RCChart->Items(1);
  return item.Kind == ikText ? std::string(item.Text.View()) : std::string("(no text item)");
}

TEST(MainWindowLanguage, KeysWithoutAFileThenTheGermanFileThenOwnFormats) {
  LanguageFileBeside file;

  // Without a language file every key shows without its prefix, and the
  // texts the code looks up are the keys themselves.
  {
    auto *w = new TfrmExample(nullptr);
    WindowTexts t = TextsOf(*w);
    EXPECT_EQ(t.Caption, "Spectrion");
    EXPECT_EQ(t.Exit, "Exit");
    EXPECT_EQ(t.About, "About");
    EXPECT_EQ(t.Band, "Visible Light");
    EXPECT_EQ(t.BandHint, "show visible light region");
    EXPECT_EQ(t.Log, "Log. Scale");
    EXPECT_EQ(t.Peak, "Peak Curve");
    EXPECT_EQ(t.Snapshot, "Snapshot");
    EXPECT_EQ(t.Add, "Add");
    EXPECT_EQ(t.Clear, "Clear");
    EXPECT_EQ(t.TrackHint, "adjust range of y-axis");
    EXPECT_EQ(t.Temperature, "Temperature");
    EXPECT_EQ(t.TemperatureLeft, "Temperature");
    EXPECT_EQ(t.PeakLeft, "Peak at");
    EXPECT_EQ(t.EnergyAxis, "Energy Density");
    EXPECT_EQ(t.Explanation, "MMExplain");
    EXPECT_EQ(w->RCChart->Scale1X()->Caption(), "Wavelength");
    EXPECT_EQ(BandItemText(*w), "visible light");
    window_test::SnapshotAt(*w, 1500);
    EXPECT_EQ(w->RCChart->TextLabels(1)->Caption(), "1500 K");
    w->Free();

    // Both shipped language files define every key the program uses.
    std::vector<std::string> keys{t.Caption,  t.Exit,        t.About,       t.Band,
                                  t.BandHint, t.Log,         t.Peak,        t.Snapshot,
                                  t.Add,      t.Clear,       t.TrackHint,   t.Temperature,
                                  t.PeakLeft, t.EnergyAxis,  t.Explanation, "visible light",
                                  "%d K",     "AppIconName", "HomePageURL", "$dlglanguage$"};
    for (const char *name : {"spectrion.itl", "spectrion-de.itl"}) {
      TFileStream in((fs::path(SPECTRION_SOURCE_DIR) / "data/lang" / name).string(), fmOpenRead);
      TTolkar2000 dictionary("Spectrion");
      dictionary.LoadDictionary(in);
      for (std::string key : keys) {
        for (char &c : key)
          if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        EXPECT_GE(dictionary.Keys.IndexOf(key), 0) << name << ": " << key;
      }
    }
  }

  // The German file translates every text of the window.
  file.CopyFrom(fs::path(SPECTRION_SOURCE_DIR) / "data/lang/spectrion-de.itl");
  {
    auto *w = new TfrmExample(nullptr);
    WindowTexts t = TextsOf(*w);
    EXPECT_EQ(t.Caption, "Spectrion - Schwarzkörperstrahlung");
    EXPECT_EQ(t.Exit, "&Beenden");
    EXPECT_EQ(t.About, "&Info");
    EXPECT_EQ(t.Band, "&Sichtb. Licht");
    EXPECT_EQ(t.Log, "&Log. Skala");
    EXPECT_EQ(t.Peak, "&Maximakurve");
    EXPECT_EQ(t.Snapshot, "Momentaufnahmen");
    EXPECT_EQ(t.Add, "&Hinzufügen");
    EXPECT_EQ(t.Clear, "Lös&chen");
    EXPECT_EQ(t.TemperatureLeft, "Temperatur");
    EXPECT_EQ(t.PeakLeft, "Maximum bei");
    EXPECT_EQ(t.EnergyAxis, "Energiedichte [J/m⁴]");
    EXPECT_EQ(t.Explanation.rfind("Die schwarze Kurve", 0), 0u) << t.Explanation;
    EXPECT_NE(t.BandHint.find("sichtbaren Lichts"), std::string::npos);
    EXPECT_NE(t.TrackHint.find("Energiedichte"), std::string::npos);
    EXPECT_EQ(w->RCChart->Scale1X()->Caption(), "Wellenlänge [nm]");
    // The band text shares the check box's entry, without its accelerator mark.
    EXPECT_EQ(BandItemText(*w), "Sichtb. Licht");
    EXPECT_EQ(w->cliDemon->Translator()->Translate("$dlglanguage$"), "lgGerman");
    w->Free();
  }

  // The band text and the snapshot caption follow the file's formats.
  file.Write("[visible light]=light|$$\r\n[%d K]=T = %d kelvin|$$\r\n");
  {
    auto *w = new TfrmExample(nullptr);
    EXPECT_EQ(BandItemText(*w), "light");
    window_test::SnapshotAt(*w, 2500);
    EXPECT_EQ(w->RCChart->TextLabels(1)->Caption(), "T = 2500 kelvin");
    // Keys the file lacks show without their prefix.
    EXPECT_EQ(w->BButExit->Caption(), "Exit");
    w->Free();
  }

  // A snapshot format the window cannot use is reported when it is needed,
  // and the window goes on working.
  file.Write("[%d K]=%s K|$$\r\n");
  {
    auto *w = new TfrmExample(nullptr);
    TMessageBoxRecorder boxes;
    w->BButAdd->PerformClick();
    ASSERT_EQ(boxes.Messages.size(), 1u);
    EXPECT_NE(boxes.Messages[0].Text.find("%s K"), std::string::npos) << boxes.Messages[0].Text;
    EXPECT_EQ(w->Snapshots.size(), 1u);
    w->BButClear->PerformClick();
    EXPECT_EQ(boxes.Messages.size(), 1u);
    EXPECT_EQ(w->RCChart->ItemCount(), 201);
    w->Free();
  }
}

} // namespace
