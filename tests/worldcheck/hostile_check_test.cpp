// worldcheck on the hostile worlds of tests/support/hostile_worlds.cpp, with a deadline.
#include <gtest/gtest.h>

#include "hostile_worlds.h"

TEST(HostileWorlds, WorldcheckNeitherFollowsHangsNorCrashes) {
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.what);
        HostileWorld w(c);
        ProcessResult result = runProcess(asWorldUser({WORLDCHECK_BINARY, w.world.path}), "", {}, 10000);
        ASSERT_FALSE(result.timedOut) << "hangs";
        EXPECT_EQ(result.status, c.checkStatus) << result.err;
        EXPECT_EQ(result.out, c.checkOut);
        EXPECT_EQ(result.err, w.expand(c.checkErr));
        w.expectIntact(c);
    }
}
