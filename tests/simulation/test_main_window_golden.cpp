// Pictures of the whole main window, rendered offscreen at 800 x 600 and
// compared with the reviewed pictures in tests/simulation/golden/. Text is
// drawn by the system's fonts, so a small share of differing pixels is
// accepted; a moved curve, axis or control changes far more.
//
// To regenerate the pictures after an intended change of the window's look:
//   SPECTRION_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen
//       build/tests/simulation/simulation_test_main_window_golden
// (one command line)
// then look at the PNG files before committing them.
#include "helper_golden.h"
#include "helper_main_window.h"

#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/process_info.h"
#include "simulation/main_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

// A screen larger than the window, so the window keeps its described size.
const char *TestScreenDescription() {
  return SPECTRION_TEST_DATA "/screen_1920x1080.json";
}

namespace {

namespace fs = std::filesystem;

using golden_test::ChannelTolerance;
using golden_test::ExpectLikeGolden;

/// The window as it stands on screen after it has been shown.
std::unique_ptr<TBitmap> Render(TfrmExample &w) {
  w.Show();
  Application->ProcessMessages();
  auto picture = std::make_unique<TBitmap>();
  GrabControl(w, *picture);
  return picture;
}

/// Puts the English language file beside this test program for the window
/// to load, and removes it afterwards.
class EnglishBeside {
public:
  EnglishBeside() : path_(LanguageFileName(ProgramPath())) {
    fs::copy_file(fs::path(SPECTRION_SOURCE_DIR) / "data/lang/spectrion.itl", path_,
                  fs::copy_options::overwrite_existing);
  }
  ~EnglishBeside() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }

private:
  fs::path path_;
};

// One test: both pictures use the language file beside the program.
TEST(MainWindowPicture, StartUpAndLogarithmicWithBandPeakCurveAndSnapshots) {
  EnglishBeside language;
  auto *w = new TfrmExample(nullptr);
  ASSERT_EQ(w->Width(), 800);
  ASSERT_EQ(w->Height(), 600);
  const auto start = Render(*w);
  ASSERT_EQ(start->Width(), 800);
  ASSERT_EQ(start->Height(), 600);
  ExpectLikeGolden(*start, "main_window_start.png");

  for (int T : {2000, 3500, 5000})
    window_test::SnapshotAt(*w, T);
  w->SBTemperature->SetPosition(6500);
  w->CBLogScale->SetChecked(true);
  w->CBoxVisRange->SetChecked(true);
  w->CBPeakCurve->SetChecked(true);
  const auto log = Render(*w);
  ExpectLikeGolden(*log, "main_window_log_band_peak_snapshots.png");
  // The two states look clearly different.
  EXPECT_GT(DifferingPixelShare(*start, *log, ChannelTolerance), 0.02);
  w->Free();
}

} // namespace
