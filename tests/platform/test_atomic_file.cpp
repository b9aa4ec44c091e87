// Atomic file replacement: a failure at any step keeps the old file and
// leaves no temporary file; standard output failures are reported.
#include "platform/atomic_file.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace atomic_file_testing;

namespace {

struct AtomicFile : ::testing::Test {
  fs::path dir;
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("spectrion-atomic-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    FailAt(stNone, 0);
    fs::remove_all(dir);
  }
  static std::string Read(const fs::path &p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  int Entries() const { return int(std::distance(fs::directory_iterator(dir), {})); }
};

TEST_F(AtomicFile, ReplacesKeepingPermissionBitsAndLeavesNothingElse) {
  const std::string file = (dir / "a.csv").string();
  WriteFileAtomic(file, "first");
  ::chmod(file.c_str(), 0640);
  WriteFileAtomic(file, "second");
  EXPECT_EQ(Read(file), "second");
  struct stat st {};
  ::stat(file.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(), 1);

  // A link keeps pointing at the file it names, which gets the new bytes.
  fs::create_symlink("a.csv", dir / "link.csv");
  WriteFileAtomic((dir / "link.csv").string(), "third");
  EXPECT_TRUE(fs::is_symlink(dir / "link.csv"));
  EXPECT_EQ(Read(file), "third");
}

TEST_F(AtomicFile, FailureAtEveryStepKeepsTheOldFile) {
  const std::string file = (dir / "picture.png").string();
  WriteFileAtomic(file, "old contents");
  for (TStep step : {stOpen, stWrite, stSync, stClose, stRename}) {
    FailAt(step, EIO);
    try {
      WriteFileAtomic(file, "new contents");
      ADD_FAILURE() << "step " << step << " reported success";
    } catch (const EFileWriteError &e) {
      EXPECT_NE(e.Message().find(file), std::string::npos) << e.Message();
      EXPECT_NE(e.Message().find(std::strerror(EIO)), std::string::npos) << e.Message();
    }
    EXPECT_EQ(Read(file), "old contents") << "step " << step;
    EXPECT_EQ(Entries(), 1) << "step " << step;
  }
  // After the rename only the directory flush can fail: the new file is in
  // place and the failure is still reported.
  FailAt(stSyncDirectory, EIO);
  EXPECT_THROW(WriteFileAtomic(file, "new contents"), EFileWriteError);
  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFile, FullDiskIsReportedAndCostsNothing) {
  const std::string file = (dir / "big.csv").string();
  WriteFileAtomic(file, "old");
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  auto *previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  std::string message;
  try {
    WriteFileAtomic(file, std::string(100000, 'x'));
  } catch (const EFileWriteError &e) {
    message = e.Message();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_NE(message.find(std::strerror(EFBIG)), std::string::npos) << message;
  EXPECT_EQ(Read(file), "old");
  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFile, SpecialTargetsAreRefusedWithoutBlocking) {
  const std::string fifo = (dir / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(WriteFileAtomic(fifo, "x"), EFileWriteError);
  EXPECT_THROW(WriteFileAtomic("/dev/full", "x"), EFileWriteError);
  EXPECT_THROW(WriteFileAtomic(dir.string(), "x"), EFileWriteError);
  EXPECT_THROW(WriteFileAtomic((dir / "missing/x").string(), "x"), EFileWriteError);
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(Entries(), 1);
}

TEST_F(AtomicFile, LinksOfOtherUsersInSharedDirectoriesAreNeverWrittenThrough) {
  // A shared sticky directory like /tmp, a file of ours elsewhere, and a
  // link to it that "another user" planted under the name we write.
  const fs::path shared = dir / "shared";
  fs::create_directories(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const fs::path victim = dir / "victim";
  std::ofstream(victim) << "precious";
  const fs::path planted = shared / "spectrion.itl";
  fs::create_symlink(victim, planted);
  if (::geteuid() != 0 || ::lchown(planted.c_str(), 65534, 65534) != 0)
    GTEST_SKIP() << "needs root to give the link to another user";
  try {
    WriteFileAtomic(planted.string(), "template");
    ADD_FAILURE() << "wrote through the planted link";
  } catch (const EFileWriteError &e) {
    EXPECT_NE(std::string(e.Message()).find("symbolic link of another user"), std::string::npos)
        << e.Message();
  }
  EXPECT_EQ(Read(victim), "precious");
  EXPECT_TRUE(fs::is_symlink(planted));

  // The user's own link there, and any link outside a shared directory, is followed.
  ASSERT_EQ(::lchown(planted.c_str(), ::geteuid(), ::getegid()), 0);
  WriteFileAtomic(planted.string(), "mine");
  EXPECT_EQ(Read(victim), "mine");
  ASSERT_EQ(::chmod(shared.c_str(), 0755), 0);
  ASSERT_EQ(::lchown(planted.c_str(), 65534, 65534), 0);
  WriteFileAtomic(planted.string(), "again");
  EXPECT_EQ(Read(victim), "again");
}

TEST_F(AtomicFile, CrashLeftoversAreTakenOverAndLongNamesWork) {
  const std::string file = (dir / "lang.itl").string();
  // What a write killed half-way leaves behind.
  std::ofstream(AtomicTemporaryName(file)) << "partial";
  WriteFileAtomic(file, "complete");
  EXPECT_EQ(Read(file), "complete");
  EXPECT_EQ(Entries(), 1);

  const std::string longName = (dir / (std::string(246, 'n') + ".itl")).string();
  EXPECT_LE(fs::path(AtomicTemporaryName(longName)).filename().string().size(), 255u);
  EXPECT_NE(AtomicTemporaryName(longName), AtomicTemporaryName(longName + "x"));
  WriteFileAtomic(longName, "long");
  EXPECT_EQ(Read(longName), "long");
  EXPECT_EQ(Entries(), 2);
}

TEST(StandardOutput, FullOrClosedOutputIsAnError) {
  std::fflush(stdout);
  const int saved = ::dup(STDOUT_FILENO);
  const int full = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  ::dup2(full, STDOUT_FILENO);
  bool fullFailed = false;
  try {
    WriteStandardOutput("x");
  } catch (const EFileWriteError &e) {
    fullFailed = std::string(e.Message()).find(std::strerror(ENOSPC)) != std::string::npos;
  }
  ::close(STDOUT_FILENO);
  bool closedFailed = false;
  try {
    WriteStandardOutput("x");
  } catch (const EFileWriteError &) {
    closedFailed = true;
  }
  ::dup2(saved, STDOUT_FILENO);
  ::close(saved);
  ::close(full);
  EXPECT_TRUE(fullFailed);
  EXPECT_TRUE(closedFailed);
}

} // namespace
