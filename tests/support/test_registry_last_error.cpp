// The file-backed registry substitute and the last-error text.
#include "support/last_error.h"
#include "support/registry.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Registry : public ::testing::Test {
protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("spectrion_reg_" + std::to_string(::getpid()));
    fs::create_directories(root_ / "HKEY_LOCAL_MACHINE" / "Software" / "Vorlant" / "tavelin");
    std::ofstream(root_ / "HKEY_LOCAL_MACHINE" / "Software" / "Vorlant" / "tavelin" / "demon.key")
        << "# comment\r\nViewerHandle=4711\r\nEmpty=\r\n@=default\r\nWith=equals=sign\n";
    fs::create_directories(root_ / "HKEY_CURRENT_USER" / "Env");
    std::ofstream(root_ / "HKEY_CURRENT_USER" / "Env.key") << "Who=me\n";
    setenv("SPECTRION_REGISTRY_ROOT", root_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("SPECTRION_REGISTRY_ROOT");
    fs::remove_all(root_);
  }
  fs::path root_;
};

TEST_F(Registry, ReadsValuesOfAKey) {
  const std::string key = "\\Software\\Vorlant\\tavelin\\demon";
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, key, "ViewerHandle"), "4711");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, key, "viewerhandle"), "4711");
  EXPECT_EQ(
      ReadRegistryString(HKEY_LOCAL_MACHINE, "software\\VORLANT\\Tavelin\\Demon", "ViewerHandle"),
      "4711");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, key, ""), "default");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, key, "With"), "equals=sign");
  EXPECT_EQ(ReadRegistryString(0, "Env", "Who"), "me"); // 0 means the current user
}

TEST_F(Registry, MissingRootKeyOrValueGivesEmptyText) {
  const std::string key = "\\Software\\Vorlant\\tavelin\\demon";
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, key, "Missing"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, key, "Empty"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, "\\Software\\Nope", "ViewerHandle"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_USERS, key, "ViewerHandle"), "");
  EXPECT_EQ(ReadRegistryString(12345, key, "ViewerHandle"), "");
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, "", "ViewerHandle"), "");
  // Paths cannot climb out of the tree.
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, "..\\HKEY_CURRENT_USER\\Env", "Who"), "");
  fs::remove_all(root_);
  EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, key, "ViewerHandle"), "");
}

TEST_F(Registry, SpecialKeyFilesCountAsMissing) {
  // A FIFO would block a reader for good, a link to /dev/zero would never
  // end; both read as a missing key at once (a hang fails by the ctest
  // timeout).
  const fs::path keys = root_ / "HKEY_CURRENT_USER";
  ASSERT_EQ(::mkfifo((keys / "Fifo.key").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", keys / "Zero.key");
  std::ofstream(keys / "Huge.key") << "Who=" << std::string(2u << 20, 'x') << "\n";
  for (const char *key : {"Fifo", "Zero", "Huge"})
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key, "Who"), "") << key;
}

TEST(LastError, SystemTextOrFailureMarker) {
  errno = ENOENT;
  EXPECT_EQ(GetLastErrorString(), "No such file or directory");
  errno = 0;
  EXPECT_EQ(GetLastErrorString(), "(GetLastErrorString failed)");
}

} // namespace
