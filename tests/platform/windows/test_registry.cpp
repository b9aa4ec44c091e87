// The configuration registry on Windows is the system's: values written
// with the system's own reg.exe are read back through ReadRegistryString.
#include "helper_system.h"
#include "platform/windows/wide_string.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A key of its own under HKEY_LOCAL_MACHINE\Software for this test program,
// removed again afterwards.
class SystemRegistry : public ::testing::Test {
protected:
  void SetUp() override {
    key_ = L"Software\\SpectrionTest" + std::to_wstring(ProcessId());
    Remove();
  }
  void TearDown() override { Remove(); }
  void Add(const std::wstring &Value, const std::wstring &Type, const std::wstring &Data) {
    ASSERT_EQ(RunProgram(L"reg.exe add \"HKLM\\" + key_ + L"\" /v \"" + Value + L"\" /t " + Type +
                         L" /d \"" + Data + L"\" /f"),
              0);
  }
  void Remove() { RunProgram(L"reg.exe delete \"HKLM\\" + key_ + L"\" /f"); }
  std::string Key() const { return Utf8FromWide(key_); }
  std::wstring key_;
};

} // namespace

TEST_F(SystemRegistry, ReadsStringValuesOfTheLocalMachine) {
  Add(L"InstallDir", L"REG_SZ", L"C:\\Program Files\\Spectrion");
  Add(L"Titel", L"REG_SZ", L"Schwarzk\u00F6rper \u03BB");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key(), "InstallDir"),
            "C:\\Program Files\\Spectrion");
  // Names match without regard to case, as the registry matches them.
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key(), "installdir"),
            "C:\\Program Files\\Spectrion");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key(), "Titel"),
            "Schwarzk\xC3\xB6rper \xCE\xBB");
  // Slashes and a leading separator are accepted in the key path.
  std::string slashed = Key();
  slashed.insert(slashed.begin(), '/');
  for (char &c : slashed)
    if (c == '\\') c = '/';
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, slashed, "InstallDir"),
            "C:\\Program Files\\Spectrion");
}

TEST_F(SystemRegistry, MissingOrNonStringValuesReadAsEmpty) {
  Add(L"Count", L"REG_DWORD", L"7");
  Add(L"Empty", L"REG_SZ", L"");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key(), "Count"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key(), "Empty"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key(), "Absent"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key() + "\\Sub", "Count"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, "", "Count"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key() + "\xFF", "Count"), "");
  EXPECT_EQ(ReadRegistryString(0x12345, Key(), "Count"), "");
}

TEST_F(SystemRegistry, ExpandableStringsComeExpandedAndLongValuesWhole) {
  ASSERT_TRUE(SetEnvironment(L"SPECTRION_TEST_DIR", L"D:\\Daten"));
  Add(L"Path", L"REG_EXPAND_SZ", L"%SPECTRION_TEST_DIR%\\lang");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key(), "Path"), "D:\\Daten\\lang");
  // Longer than the first read buffer, so the value is read a second time.
  const std::wstring longValue(3000, L'\u00E9');
  Add(L"Long", L"REG_SZ", longValue);
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, Key(), "Long"), Utf8FromWide(longValue));
}
