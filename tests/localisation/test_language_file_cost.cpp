// What a language file costs the program: the growth of the process's peak
// resident memory while a file is loaded and a window with a memo, a label
// and a hint is translated, against the file's size, for files of every kind
// of content a hostile file might hold.
#include "localisation/tolkar2000.h"

#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/property_registry.h"
#include "platform/streams.h"

#include <gtest/gtest.h>

#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

namespace {

// A field of /proc/self/status ("VmRSS:", "VmHWM:") in bytes.
std::size_t StatusBytes(const std::string &Field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(Field, 0) == 0) return std::stoul(line.substr(Field.size())) * 1024;
  return 0;
}

// How far the peak resident memory rises over today's while File is loaded
// and a window is translated with it.
std::size_t PeakGrowth(const std::string &File) {
  RegisterPlatformClasses();
  TForm form(nullptr);
  auto *memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->Lines()->Add("TK_MMExplain");
  auto *label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("TK_Temperature");
  label->SetShowHint(true);
  label->SetHint("TK_adjust range of y-axis");
  TMemoryStream stream;
  stream.WriteBuffer(File.data(), std::int64_t(File.size()));

  malloc_trim(0); // what earlier cases freed must not serve this one unseen
  std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
  const std::size_t before = StatusBytes("VmRSS:");
  {
    TTolkar2000 translator("");
    translator.LoadDictionary(stream);
    translator.TranslateComponent(&form);
    EXPECT_EQ(memo->Lines()->Count(), 1);
    EXPECT_NE(memo->Lines()->Strings(0), "TK_MMExplain");
  }
  const std::size_t peak = StatusBytes("VmHWM:");
  return peak > before ? peak - before : 0;
}

std::string Repeated(const std::string &Piece, std::size_t Size) {
  std::string s;
  s.reserve(Size + Piece.size());
  while (s.size() < Size)
    s += Piece;
  return s;
}

TEST(LanguageFileCost, PeakMemoryStaysAFewTimesTheFileSize) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer keeps freed memory resident";
#endif
  const std::size_t size = std::size_t(2) << 20;
  const std::string tail = "|$$\r\n[Temperature]=T|$$[adjust range of y-axis]=range|$$";
  struct Case {
    const char *What;
    std::string File;
  };
  const std::vector<Case> cases = {
      {"line breaks for the memo", "[MMExplain]=" + Repeated("\\n", size) + tail},
      {"one long line for the memo", "[MMExplain]=" + std::string(size, 'x') + tail},
      {"line breaks for the label and the hint",
       "[MMExplain]=m|$$[Temperature]=" + Repeated("\\n", size / 2) +
           "|$$[adjust range of y-axis]=" + Repeated("\\n", size / 2) + "|$$"},
      {"empty records", "[MMExplain]=m" + Repeated("|$$", size)},
      {"short records", "[MMExplain]=m|$$" + Repeated("[k]=v|$$\n", size)},
  };
  for (const Case &c : cases) {
    const std::size_t growth = PeakGrowth(c.File);
    EXPECT_LE(growth, 4 * c.File.size()) << c.What << ": " << growth / 1024 << " KiB for a file of "
                                         << c.File.size() / 1024 << " KiB";
  }
}

} // namespace
