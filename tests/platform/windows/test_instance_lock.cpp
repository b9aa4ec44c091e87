#include "platform/instance_lock.h"

#include "helper_peer.h"
#include "helper_system.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string UniqueName(const char *Stem) {
  return std::string("QV_") + Stem + "_" + std::to_string(ProcessId()) + ".exe";
}

TEST(InstanceLock, OneHolderAtATimeWithinTheProcessAndAcrossProcesses) {
  const std::string name = UniqueName("one");
  const std::wstring wname(name.begin(), name.end());
  TInstanceLock first, second;
  ASSERT_EQ(first.TryAcquire(name), TInstanceLock::lrAcquired);
  EXPECT_TRUE(first.Held());
  EXPECT_NE(first.Handle(), 0u);
  EXPECT_EQ(second.TryAcquire(name), TInstanceLock::lrBusy);
  EXPECT_FALSE(second.Held());
  EXPECT_EQ(RunPeer(L"lock " + wname + L" 0"), 1); // busy for another process too
  first.Release();
  EXPECT_FALSE(first.Held());
  EXPECT_EQ(first.Handle(), 0u);
  // Free again, for us and for another start.
  EXPECT_EQ(RunPeer(L"lock " + wname + L" 0"), 0);
  EXPECT_EQ(second.TryAcquire(name), TInstanceLock::lrAcquired);
}

TEST(InstanceLock, SecondStartFindsTheOwnersWindowAndNothingOnceTheOwnerIsGone) {
  const std::string name = UniqueName("owner");
  const std::wstring wname(name.begin(), name.end());
  EXPECT_EQ(TInstanceLock::OwnerWindow(name), 0u);
  {
    TInstanceLock lock;
    ASSERT_EQ(lock.TryAcquire(name), TInstanceLock::lrAcquired);
    EXPECT_EQ(TInstanceLock::OwnerWindow(name), 0u); // none recorded yet
    lock.SetOwnerWindow(0x00ab12cdu);
    EXPECT_EQ(TInstanceLock::OwnerWindow(name), 0x00ab12cdu);
    EXPECT_EQ(RunPeer(L"owner " + wname + L" ab12cd"), 0);
  }
  EXPECT_EQ(TInstanceLock::OwnerWindow(name), 0u);
  // A peer that held the lock and ended leaves neither lock nor record behind.
  EXPECT_EQ(RunPeer(L"lock " + wname + L" 10"), 0);
  EXPECT_EQ(TInstanceLock::OwnerWindow(name), 0u);
  TInstanceLock again;
  EXPECT_EQ(again.TryAcquire(name), TInstanceLock::lrAcquired);
}

TEST(InstanceLock, BadNamesFailWithAReasonAndANewLockReplacesTheOld) {
  TInstanceLock lock;
  for (const std::string &bad :
       {std::string(), std::string("QV_a\\b.exe"), std::string("QV_\xff")}) {
    std::string why;
    EXPECT_EQ(lock.TryAcquire(bad, &why), TInstanceLock::lrFailed) << bad;
    EXPECT_NE(why.find("invalid lock name"), std::string::npos) << why;
    EXPECT_FALSE(lock.Held());
  }
  // Taking a lock lets go of the one held before.
  const std::string first = UniqueName("first"), second = UniqueName("second");
  ASSERT_EQ(lock.TryAcquire(first), TInstanceLock::lrAcquired);
  ASSERT_EQ(lock.TryAcquire(second), TInstanceLock::lrAcquired);
  TInstanceLock other;
  EXPECT_EQ(other.TryAcquire(first), TInstanceLock::lrAcquired);
  EXPECT_EQ(other.TryAcquire(second), TInstanceLock::lrBusy);
}

} // namespace
