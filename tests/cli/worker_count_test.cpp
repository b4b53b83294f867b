// How many workers a run of many pictures starts: what was asked, within
// the cores, the memory and the pictures there are.

#include "cli/worker_count.h"

#include <gtest/gtest.h>

namespace centrafix {
namespace {

TEST(WorkerCount, AskedWithinCoresMemoryAndPictures)
{
    constexpr std::int64_t kPlenty = std::int64_t{64} << 30;
    EXPECT_EQ(WorkerCount(0, 8, kPlenty, 100), 8) << "one per core by default";
    EXPECT_EQ(WorkerCount(3, 8, kPlenty, 100), 3);
    EXPECT_EQ(WorkerCount(1024, 2, kPlenty, 100), 2);
    EXPECT_EQ(WorkerCount(8, 8, 3 * kWorkerBaseBytes + 1, 100), 3) << "one per worker's memory";
    EXPECT_EQ(WorkerCount(0, 8, 4 * kWorkerBaseBytes, 100), 4);
    EXPECT_EQ(WorkerCount(4, 8, kPlenty, 2), 2) << "no more than pictures";
    // Never none, whatever the machine says.
    EXPECT_EQ(WorkerCount(4, 0, 0, 5), 1);
    const std::optional<std::int64_t> available = AvailableMemory();
    ASSERT_TRUE(available);
    EXPECT_GT(*available, kWorkerBaseBytes);
}

} // namespace
} // namespace centrafix
