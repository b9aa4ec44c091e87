// Finding the host's server window: the suffix from the registry value or
// the command line, and the lookup of the real window by class and title.
#include "hostlink/demon_client.h"
#include "platform/message_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(HostLookup, SuffixComesFromTheRegistryOrTheLastServerHandleArgument) {
  EXPECT_EQ(ServerHandleSuffix("42", {"/serverhandle=abc"}), "42");
  // Empty and "00000000" both mean: look at the command line.
  for (const std::string none : {"", "00000000"}) {
    EXPECT_EQ(ServerHandleSuffix(none, {"/ServerHandle=00AB12CD"}), "00ab12cd");
    EXPECT_EQ(ServerHandleSuffix(none, {"/serverhandle=1", "x", "/SERVERHANDLE=Two"}), "two");
    EXPECT_EQ(ServerHandleSuffix(none, {"serverhandle=1", "/serverhandle"}), none);
  }
}

TEST(HostLookup, TheServerWindowNamedByTheRegistryIsFound) {
  const fs::path root = fs::temp_directory_path() / ("spectrion-registry-" + std::to_string(::getpid()));
  fs::create_directories(root / "HKEY_LOCAL_MACHINE/Software/Vorlant/tavelin");
  std::ofstream(root / "HKEY_LOCAL_MACHINE/Software/Vorlant/tavelin/demon.key") << "ViewerHandle=77x\n";
  ::setenv("SPECTRION_REGISTRY_ROOT", root.c_str(), 1);
  {
    TkdbDemonClient none(nullptr);
    EXPECT_EQ(none.ServerEntity()->Handle, 0u);
  }
  TMessageWindow server("ThisIsTheQuorvoServerComponentWindowClass77x",
                        "ThisIsTheQuorvoServerComponentWindow77x");
  TMessageWindow wrongTitle("ThisIsTheQuorvoServerComponentWindowClass77x", "other");
  auto *demon = new TkdbDemonClient(nullptr);
  EXPECT_EQ(demon->ServerEntity()->Handle, server.Handle());
  EXPECT_NE(demon->OwnEntity()->Handle, 0u);
  EXPECT_EQ(FindMessageWindow("ThisIsTheQuorvoClientComponentWindowClass", ""),
            demon->OwnEntity()->Handle);
  int withdrawals = 0;
  server.OnCopyData = [&](TMessageWindowHandle, std::int32_t Code, const std::string &) {
    withdrawals += Code == dmUnregister;
  };
  demon->Free();
  EXPECT_EQ(withdrawals, 1);
  ::unsetenv("SPECTRION_REGISTRY_ROOT");
  fs::remove_all(root);
}

TEST(HostLookup, WindowNamesMatchWithoutRegardToCase) {
  // "/ServerHandle=00AB12CD" gives the suffix "00ab12cd"; a host whose names
  // end in upper case is found all the same, as is one in lower case.
  const fs::path root = fs::temp_directory_path() / ("spectrion-case-" + std::to_string(::getpid()));
  fs::create_directories(root / "HKEY_LOCAL_MACHINE/Software/Vorlant/tavelin");
  std::ofstream(root / "HKEY_LOCAL_MACHINE/Software/Vorlant/tavelin/demon.key")
      << "ViewerHandle=" << ServerHandleSuffix("", {"/ServerHandle=00AB12CD"}) << "\n";
  ::setenv("SPECTRION_REGISTRY_ROOT", root.c_str(), 1);
  for (const std::string suffix : {"00AB12CD", "00ab12cd"}) {
    TMessageWindow server("ThisIsTheQuorvoServerComponentWindowClass" + suffix,
                          "ThisIsTheQuorvoServerComponentWindow" + suffix);
    TMessageWindow other("ThisIsTheQuorvoServerComponentWindowClass00AB12CE",
                         "ThisIsTheQuorvoServerComponentWindow00AB12CE");
    auto *demon = new TkdbDemonClient(nullptr);
    EXPECT_EQ(demon->ServerEntity()->Handle, server.Handle()) << suffix;
    demon->Free();
  }
  ::unsetenv("SPECTRION_REGISTRY_ROOT");
  fs::remove_all(root);
}
