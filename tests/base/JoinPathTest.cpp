// Joining a folder and a name into a fixed path buffer: cut never, refused
// (and the buffer left empty) when the whole does not fit.
#include "base/BoundedText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

using ostrivan::JoinPath;

TEST(JoinPath, JoinsWithOneBackslash) {
    char path[32];
    ASSERT_TRUE(JoinPath(path, sizeof(path), "C:\\windows", "Ostrivan.bff"));
    EXPECT_STREQ("C:\\windows\\Ostrivan.bff", path);
}

TEST(JoinPath, RefusesWhatDoesNotFitAndLeavesTheBufferEmpty) {
    const std::string folder(10, 'f');
    const std::string name(5, 'n');
    char path[17];  // folder, backslash, name and the terminator
    ASSERT_TRUE(JoinPath(path, sizeof(path), folder.c_str(), name.c_str()));
    EXPECT_EQ(folder + "\\" + name, path);
    char shorter[16];
    std::fill(std::begin(shorter), std::end(shorter), 'x');
    EXPECT_FALSE(JoinPath(shorter, sizeof(shorter), folder.c_str(), name.c_str()));
    EXPECT_STREQ("", shorter);
}

TEST(JoinPath, RefusesMissingParts) {
    char path[8] = "x";
    EXPECT_FALSE(JoinPath(path, sizeof(path), nullptr, "a"));
    EXPECT_STREQ("", path);
    EXPECT_FALSE(JoinPath(path, sizeof(path), "a", nullptr));
    EXPECT_FALSE(JoinPath(path, 0, "a", "b"));
}
