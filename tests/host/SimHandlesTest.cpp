// Handles and basic-suite blocks: lifetimes, lock counts, misuse and leaks.
#include "SimTestUtil.h"

using namespace Brelo::Sim;

namespace {

TEST(SimHandles, LifetimeLocksAndLeaks) {
  Session s(nullptr);
  SimTest::Suite<PF_HandleSuite2> hs(s.host(), kPFHandleSuite, 2);
  PF_Handle a = hs->host_new_handle(16);
  PF_Handle b = hs->host_new_handle(4);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(hs->host_get_handle_size(a), 16u);
  void* p = hs->host_lock_handle(a);
  EXPECT_EQ(p, *a);  // the handle points at the memory
  EXPECT_EQ(hs->host_lock_handle(a), p);
  EXPECT_EQ(s.host().handleLockCount(a), 2);
  hs->host_unlock_handle(a);
  hs->host_unlock_handle(a);
  EXPECT_EQ(s.host().handleLockCount(a), 0);
  EXPECT_TRUE(s.host().misuses().empty());
  hs->host_unlock_handle(a);  // one more than locked
  EXPECT_EQ(s.host().misuses().size(), 1u);

  static_cast<char*>(hs->host_lock_handle(b))[3] = 42;
  ASSERT_EQ(hs->host_resize_handle(64, &b), 0);
  EXPECT_EQ(hs->host_get_handle_size(b), 64u);
  EXPECT_EQ((*b)[3], 42);  // contents kept

  Outstanding o = s.host().outstanding();
  EXPECT_EQ(o.handles, 2u);
  EXPECT_NE(o.describe().find("16 bytes"), std::string::npos);
  hs->host_dispose_handle(a);
  hs->host_dispose_handle(b);  // locked handles may go
  EXPECT_FALSE(s.host().isLiveHandle(a));
  EXPECT_EQ(s.host().outstanding().handles, 0u);

  s.host().clearMisuses();
  hs->host_dispose_handle(a);
  EXPECT_EQ(hs->host_lock_handle(a), nullptr);
  hs->host_unlock_handle(a);
  EXPECT_EQ(hs->host_get_handle_size(a), 0u);
  EXPECT_EQ(hs->host_resize_handle(8, &a), PF_Err_BAD_CALLBACK_PARAM);
  char bogus = 0;
  char* bogusPtr = &bogus;
  EXPECT_EQ(hs->host_lock_handle(&bogusPtr), nullptr);
  EXPECT_EQ(s.host().misuses().size(), 6u);
}

TEST(SimHandles, BasicSuiteBlocksAndSuiteBalance) {
  Session s(nullptr);
  SPBasicSuite* b = s.host().basicSuite();
  void* blk = nullptr;
  ASSERT_EQ(b->AllocateBlock(10, &blk), 0);
  ASSERT_EQ(b->ReallocateBlock(blk, 20, &blk), 0);
  EXPECT_EQ(s.host().outstanding().blocks, 1u);
  EXPECT_EQ(b->FreeBlock(blk), 0);
  EXPECT_NE(b->FreeBlock(blk), 0);
  EXPECT_TRUE(b->IsEqual("PF World Suite", kPFWorldSuite));
  EXPECT_FALSE(b->IsEqual("PF World Suite", "PF World"));

  const void* t = nullptr;
  EXPECT_EQ(b->AcquireSuite("No Such Suite", 1, &t), kSPSuiteNotFoundError);
  EXPECT_EQ(t, nullptr);
  EXPECT_EQ(b->AcquireSuite(kPFWorldSuite, 3, &t), kSPSuiteNotFoundError);
  EXPECT_EQ(t, nullptr);
  ASSERT_EQ(b->AcquireSuite(kPFWorldSuite, 2, &t), 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(s.host().suitesHeld(kPFWorldSuite, 2), 1);
  EXPECT_EQ(s.host().outstanding().suites, 1u);
  EXPECT_EQ(b->ReleaseSuite(kPFWorldSuite, 2), 0);
  EXPECT_NE(b->ReleaseSuite(kPFWorldSuite, 2), 0);  // not held any more
  EXPECT_EQ(s.host().suitesHeld(kPFWorldSuite, 2), 0);
  EXPECT_EQ(s.host().suiteAcquisitions(kPFWorldSuite, 2), 1);
  EXPECT_TRUE(s.host().outstanding().none());
}

TEST(SimHandles, OnlyOneHostAtATime) {
  Session s(nullptr);
  EXPECT_EQ(Host::current(), &s.host());
  EXPECT_THROW(Host(), std::logic_error);
  EXPECT_EQ(Host::current(), &s.host());
}

}  // namespace
