#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "base/fatal.h"
#include "base/fatal_testing.h"
#include "base/values.h"

namespace {

// exit(-1) reaches a Windows parent as 0xFFFFFFFF and a POSIX parent as its low byte.
#ifdef _WIN32
constexpr int kFatalExitStatus = -1;
#else
constexpr int kFatalExitStatus = 255;
#endif

constexpr int kCleanupRanTwice = 3;

int cleanup_runs = 0;

// Leaves a marker the death tests look for, and fails loudly when run a second time.
void cleanup_marker() {
    if (++cleanup_runs > 1) std::_Exit(kCleanupRanTwice);
    std::fputs("cleanup ran\n", stderr);
    std::fflush(stderr);
}

// Runs in the child process: no message box may wait there for someone to close it.
void prepare_child() {
    report_fatal_errors_on_stderr();
    register_cleanup(cleanup_marker);
}

TEST(FatalDeathTest, IndexErrorRunsCleanupAndExitsMinusOne) {
    const TextList list = {"a", "b", "c"};
    struct Row { const char* name; std::int32_t index; };
    const Row rows[] = {{"index 0", 0}, {"index above count", 4}, {"negative index", -1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EXIT(
            {
                prepare_child();
                item_at(list, row.index);
                std::exit(0);
            },
            ::testing::ExitedWithCode(kFatalExitStatus), "cleanup ran");
    }
}

TEST(FatalDeathTest, ExhaustedMemoryIsFatal) {
    EXPECT_EXIT(
        {
            prepare_child();
            volatile std::size_t impossible = std::size_t{1} << 62;
            std::vector<char> huge(impossible);
            std::printf("%d", huge[impossible / 2]);
            std::exit(0);
        },
        ::testing::ExitedWithCode(kFatalExitStatus), "cleanup ran");
}

TEST(FatalDeathTest, CleanupRunsOnceAtNormalEnd) {
    EXPECT_EXIT(
        {
            prepare_child();
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "cleanup ran");
}

}  // namespace
