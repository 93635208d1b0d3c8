// Whole-file writes that never leave a half-written file, and whole-file reads.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include "test_support.h"
#include "world/safe_file.h"

TEST(SafeFile, WritesNewFilesAndReplacesOldOnes) {
    TempDir dir;
    std::string path = dir / "a.def";
    ASSERT_TRUE(writeFileAtomically(path, "first\n"));
    ASSERT_TRUE(writeFileAtomically(path, std::string("a\0b", 3)));
    EXPECT_EQ(readFile(path), std::string("a\0b", 3));
    ASSERT_TRUE(writeFileAtomically(path, ""));
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(readFile(path), "");
    EXPECT_FALSE(fileExists(path + ".tmp"));
}

TEST(SafeFile, FailureLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    std::string path = dir / "a.def";
    writeFile(path, "old\n");
    makeDirs(path + ".tmp");  // the temporary cannot be created
    {
        CaptureOutput capture;
        EXPECT_FALSE(writeFileAtomically(path, "new\n"));
        EXPECT_EQ(capture.err(), "***WARNING*** could not write " + path + "\n");
    }
    EXPECT_EQ(readFile(path), "old\n");

    // Written whole, but the rename over a directory fails: the temporary goes again.
    std::string blocked = dir / "blocked";
    makeDirs(blocked);
    CaptureOutput capture;
    EXPECT_FALSE(writeFileAtomically(blocked, "new\n"));
    EXPECT_EQ(capture.err(), "***WARNING*** could not write " + blocked + "\n");
    EXPECT_FALSE(fileExists(blocked + ".tmp"));
}

// A write cut short (here by a file size limit, as a full disk would) must not reach path.
TEST(SafeFile, ShortWriteLeavesTheOldFile) {
    TempDir dir;
    std::string path = dir / "map.dat";
    writeFile(path, "old\n");
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1000;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    CaptureOutput capture;
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = writeFileAtomically(path, std::string(5000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(capture.err(), "***WARNING*** could not write " + path + "\n");
    EXPECT_EQ(readFile(path), "old\n");
    EXPECT_FALSE(fileExists(path + ".tmp"));
}

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
