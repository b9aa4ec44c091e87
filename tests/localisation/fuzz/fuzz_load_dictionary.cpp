// Fuzz target: any byte sequence as a language file.
#include "dictionary_check.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *Data, std::size_t Size) {
  const std::string failure = CheckDictionaryInput(Data, Size);
  if (!failure.empty()) {
    std::fprintf(stderr, "dictionary check failed: %s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
