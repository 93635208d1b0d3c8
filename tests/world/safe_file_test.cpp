// Whole-file writes that never leave a half-written file, and whole-file reads. Writes cut
// short by a full disk are in safe_save_test.cpp, failures on hostile worlds in
// hostile_world_test.cpp.
#include <gtest/gtest.h>

#include "test_support.h"
#include "world/safe_file.h"

TEST(SafeFile, ReadsWholeFiles) {
    TempDir dir;
    std::string bytes;
    EXPECT_FALSE(readWholeFile(dir / "missing", bytes));
    EXPECT_FALSE(readWholeFile(dir.path, bytes));  // a directory opens but does not read
    std::string big(300000, 'q');
    big[123456] = '\0';
    writeFile(dir / "big", big);
    ASSERT_TRUE(readWholeFile(dir / "big", bytes));
    EXPECT_EQ(bytes, big);
    writeFile(dir / "empty", "");
    ASSERT_TRUE(readWholeFile(dir / "empty", bytes));
    EXPECT_EQ(bytes, "");
}
