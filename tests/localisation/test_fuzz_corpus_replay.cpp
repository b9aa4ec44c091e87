// Replays every input of the language-file fuzz corpus (seeds and inputs that
// once failed) through the same checks as the fuzz target.
#include "fuzz/dictionary_check.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace fs = std::filesystem;

TEST(DictionaryFuzzCorpus, EveryInputPassesTheChecks) {
  const fs::path corpus = fs::path(SPECTRION_SOURCE_DIR) / "tests/localisation/fuzz/corpus";
  int replayed = 0;
  for (const auto &entry : fs::directory_iterator(corpus)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(
        CheckDictionaryInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()),
        "")
        << entry.path();
    ++replayed;
  }
  EXPECT_GE(replayed, 8);
}
