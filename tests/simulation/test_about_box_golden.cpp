// Pictures of the About box in English and German, as it appears at start-up
// (home-page link hidden, the two other links moved down), compared with the
// reviewed pictures in tests/simulation/golden/.
//
// To regenerate them after an intended change of the box's look:
//   SPECTRION_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen
//       build/tests/simulation/simulation_test_about_box_golden
// (one command line) then look at the PNG files before committing them.
#include "helper_golden.h"

#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/streams.h"
#include "simulation/about_box.h"

#include <fstream>
#include <iterator>

namespace {

std::unique_ptr<TBitmap> RenderIn(const std::string &LanguageFile) {
  std::ifstream in(std::filesystem::path(SPECTRION_SOURCE_DIR) / "data/lang" / LanguageFile,
                   std::ios::binary);
  TStringStream text(
      std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  TTolkar2000 translator("Spectrion");
  translator.LoadDictionary(text);
  auto *box = new TFrmAbout(nullptr);
  box->UpdateTexts(translator);
  box->Show();
  Application->ProcessMessages();
  auto picture = std::make_unique<TBitmap>();
  GrabControl(*box, *picture);
  box->Free();
  return picture;
}

TEST(AboutBoxPicture, EnglishAndGerman) {
  const auto english = RenderIn("spectrion.itl");
  ASSERT_EQ(english->Width(), 543);
  ASSERT_EQ(english->Height(), 332);
  golden_test::ExpectLikeGolden(*english, "about_box_english.png");
  const auto german = RenderIn("spectrion-de.itl");
  golden_test::ExpectLikeGolden(*german, "about_box_german.png");
  EXPECT_GT(DifferingPixelShare(*english, *german, golden_test::ChannelTolerance), 0.005);
}

} // namespace
