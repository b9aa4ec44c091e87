// Files on Windows: the atomic writer, bounded reading that refuses devices
// and pipes, the file stream, and names beyond ASCII.
#include "platform/atomic_file.h"
#include "platform/file_input.h"
#include "platform/streams.h"
#include "platform/windows/file_handle.h"
#include "platform/windows/wide_string.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// A fresh folder with a non-ASCII name, removed afterwards.
class WindowsFiles : public ::testing::Test {
protected:
  void SetUp() override {
    const fs::path base = fs::temp_directory_path() /
                          (L"spectrion-w\u00E4rme-" + std::to_wstring(::GetCurrentProcessId()));
    fs::remove_all(base);
    fs::create_directories(base);
    dir_ = base;
  }
  void TearDown() override {
    atomic_file_testing::FailAt(atomic_file_testing::stNone, 0);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  // The UTF-8 name of Name in the folder.
  std::string Path(const std::wstring &Name) const { return Utf8FromWide((dir_ / Name).wstring()); }
  std::size_t Entries() const {
    return std::size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
};

} // namespace

TEST_F(WindowsFiles, AtomicWriterCreatesAndReplacesUnderNonAsciiNames) {
  const std::string target = Path(L"Spektrum \u00B0K \u03BB.txt");
  WriteFileAtomic(target, "first");
  EXPECT_EQ(ReadRegularFile(target, 100), "first");
  // A read-only or hidden attribute of the old file is kept by ReplaceFileW.
  const std::wstring wide = WideFromUtf8(target);
  ASSERT_TRUE(::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_ARCHIVE));
  WriteFileAtomic(target, std::string(100000, 'x'));
  EXPECT_EQ(ReadRegularFile(target, 200000), std::string(100000, 'x'));
  EXPECT_TRUE(::GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_ARCHIVE);
  // No temporary is left behind, and a new file is not hidden.
  EXPECT_EQ(Entries(), 1u);
  EXPECT_FALSE(::GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(WindowsFiles, FailedStepsLeaveTheOldContentsAndNoTemporary) {
  const std::string target = Path(L"settings.ini");
  WriteFileAtomic(target, "old");
  for (auto step :
       {atomic_file_testing::stOpen, atomic_file_testing::stWrite, atomic_file_testing::stSync,
        atomic_file_testing::stClose, atomic_file_testing::stRename}) {
    atomic_file_testing::FailAt(step, ERROR_DISK_FULL);
    try {
      WriteFileAtomic(target, "new");
      ADD_FAILURE() << "step " << step << " did not fail";
    } catch (const EFileWriteError &e) {
      const std::string what = e.what();
      EXPECT_NE(what.find("settings.ini"), std::string::npos) << what;
    }
    EXPECT_EQ(ReadRegularFile(target, 100), "old") << "step " << step;
    EXPECT_EQ(Entries(), 1u) << "step " << step;
  }
  atomic_file_testing::FailAt(atomic_file_testing::stNone, 0);
  WriteFileAtomic(target, "new");
  EXPECT_EQ(ReadRegularFile(target, 100), "new");
}

TEST_F(WindowsFiles, WriterRefusesFoldersDevicesAndBadNames) {
  fs::create_directory(dir_ / L"folder");
  EXPECT_THROW(WriteFileAtomic(Path(L"folder"), "x"), EFileWriteError);
  EXPECT_TRUE(fs::is_directory(dir_ / L"folder"));
  EXPECT_THROW(WriteFileAtomic("NUL", "x"), EFileWriteError);
  EXPECT_THROW(WriteFileAtomic(Path(L"con.txt"), "x"), EFileWriteError);
  EXPECT_THROW(WriteFileAtomic("\\\\.\\pipe\\spectrion-test", "x"), EFileWriteError);
  EXPECT_THROW(WriteFileAtomic(Path(L"bad") + "\xFF.txt", "x"), EFileWriteError);
  EXPECT_THROW(WriteFileAtomic("", "x"), EFileWriteError);
}

TEST_F(WindowsFiles, BoundedReadingRefusesPipesDevicesFoldersAndOversizedFiles) {
  // A named pipe with a waiting server: reading it would connect and hang.
  HANDLE pipe = ::CreateNamedPipeW(L"\\\\.\\pipe\\spectrion-read-test", PIPE_ACCESS_DUPLEX,
                                   PIPE_TYPE_BYTE, 1, 512, 512, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  EXPECT_THROW(ReadRegularFile("\\\\.\\pipe\\spectrion-read-test", 100), EFOpenError);
  EXPECT_THROW(ReadRegularFile("//./pipe/spectrion-read-test", 100), EFOpenError);
  ::CloseHandle(pipe);
  for (const char *device : {"NUL", "CON", "conin$", "COM1", "lpt2.txt", "C:\\temp\\aux.dat",
                             "\\\\.\\PhysicalDrive0", "\\\\?\\GLOBALROOT\\Device\\Null"})
    EXPECT_THROW(ReadRegularFile(device, 100), EFOpenError) << device;
  EXPECT_THROW(ReadRegularFile(Utf8FromWide(dir_.wstring()), 100), EFOpenError);
  EXPECT_THROW(ReadRegularFile(Path(L"missing"), 100), EFOpenError);

  const std::string big = Path(L"gro\u00DF.bin");
  WriteFileAtomic(big, std::string(1000, 'b'));
  EXPECT_EQ(ReadRegularFile(big, 1000).size(), 1000u);
  try {
    ReadRegularFile(big, 999);
    ADD_FAILURE() << "an oversized file was read";
  } catch (const EFOpenError &e) {
    EXPECT_NE(std::string(e.what()).find("larger than 999 bytes"), std::string::npos) << e.what();
  }
}

TEST(WindowsFileNames, DeviceNamesAreToldFromFileNames) {
  for (const wchar_t *device : {L"NUL", L"nul.txt", L"C:\\x\\Com9", L"LPT1 .log", L"\\\\.\\C:",
                                L"\\??\\C:\\x", L"\\\\?\\Volume{1}\\x"})
    EXPECT_TRUE(IsDeviceFileName(device)) << Utf8FromWide(device);
  for (const wchar_t *file : {L"C:\\data\\console.txt", L"nullable", L"COM10", L"C:\\lpt\\x.txt",
                              L"\\\\?\\C:\\long\\path.txt", L"\\\\?\\UNC\\server\\share\\f",
                              L"\\\\server\\share\\f", L"relative\\name"})
    EXPECT_FALSE(IsDeviceFileName(file)) << Utf8FromWide(file);
}

TEST_F(WindowsFiles, FileStreamReadsWritesAndRefusesWhatIsNoFile) {
  const std::string name = Path(L"\u6E29\u5EA6.dat");
  {
    TFileStream out(name, fmCreate);
    out.WriteBuffer("0123456789", 10);
    EXPECT_EQ(out.Size(), 10);
    out.SetSize(4);
    EXPECT_EQ(out.Size(), 4);
    EXPECT_EQ(out.Position(), 4);
  }
  {
    TFileStream in(name, fmOpenRead);
    char bytes[8] = {};
    EXPECT_EQ(in.Read(bytes, 8), 4);
    EXPECT_EQ(std::string(bytes), "0123");
    EXPECT_EQ(in.Seek(-2, soEnd), 2);
  }
  EXPECT_THROW(TFileStream(Utf8FromWide(dir_.wstring()), fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream("NUL", fmCreate), EFCreateError);
  EXPECT_THROW(TFileStream(Path(L"missing"), fmOpenRead), EFOpenError);
  // Creating over a folder must not have touched it.
  EXPECT_THROW(TFileStream(Utf8FromWide(dir_.wstring()), fmCreate), EFCreateError);
  EXPECT_TRUE(fs::exists(dir_ / L"\u6E29\u5EA6.dat"));
}
