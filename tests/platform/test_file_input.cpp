// Inputs from outside the program: FIFOs, devices and oversized files are
// refused at once instead of blocking or flooding memory.
#include "platform/bitmap.h"
#include "platform/file_input.h"
#include "platform/icon.h"
#include "platform/streams.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs Load against a FIFO with a time limit. A reader stuck in open is
// released by opening the FIFO for writing, so a failure never hangs.
bool RefusedWithoutBlocking(const std::string &Fifo, const std::function<void()> &Load) {
  auto result = std::async(std::launch::async, [&] {
    try {
      Load();
    } catch (const EStreamError &) {
      return true;
    }
    return false;
  });
  if (result.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return result.get();
  const int w = ::open(Fifo.c_str(), O_WRONLY | O_NONBLOCK);
  if (w >= 0) ::close(w);
  result.wait();
  return false;
}

} // namespace

TEST(FileInput, FifosAreRefusedWithoutBlocking) {
  const fs::path dir = fs::temp_directory_path() / ("spectrion-input-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string fifo = (dir / "input").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(RefusedWithoutBlocking(fifo, [&] { TMemoryStream().LoadFromFile(fifo); }));
  EXPECT_TRUE(RefusedWithoutBlocking(fifo, [&] { TBitmap().LoadFromFile(fifo); }));
  EXPECT_TRUE(RefusedWithoutBlocking(fifo, [&] { TIcon().LoadFromFile(fifo); }));
  EXPECT_TRUE(RefusedWithoutBlocking(fifo, [&] { TFileStream(fifo, fmOpenRead); }));
  EXPECT_TRUE(RefusedWithoutBlocking(fifo, [&] { TFileStream(fifo, fmCreate); }));
  EXPECT_TRUE(fs::is_fifo(fifo));
  fs::remove_all(dir);
}

TEST(FileInput, DevicesAndOversizedFilesAreRefusedUnread) {
  const fs::path dir = fs::temp_directory_path() / ("spectrion-caps-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::create_symlink("/dev/zero", dir / "zero.ico");
  try {
    TIcon().LoadFromFile((dir / "zero.ico").string());
    ADD_FAILURE();
  } catch (const EFOpenError &e) {
    EXPECT_NE(e.Message().find("not a regular file"), std::string::npos) << e.Message();
  }
  // A sparse file beyond the icon cap costs no reading at all.
  const std::string big = (dir / "big.ico").string();
  { TFileStream(big, fmCreate).SetSize(MaxIconFileBytes + 1); }
  try {
    TIcon().LoadFromFile(big);
    ADD_FAILURE();
  } catch (const EFOpenError &e) {
    EXPECT_NE(e.Message().find("larger than"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(ReadRegularFile(big, MaxIconFileBytes + 1).size(), std::size_t(MaxIconFileBytes + 1));
  fs::remove_all(dir);
}
