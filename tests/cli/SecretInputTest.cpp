// The master password is read from the descriptor itself: nothing past its
// line is taken, so no stream buffer holds the password or what follows.
#include <gtest/gtest.h>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <string>

#include "cli/SecretInput.h"

namespace kv {
namespace {

// A pipe that already holds `text`, its writing end closed.
int PipeHolding(const std::string& text) {
    int ends[2] = {-1, -1};
#ifdef _WIN32
    EXPECT_EQ(_pipe(ends, 4096, _O_BINARY), 0);
    EXPECT_EQ(_write(ends[1], text.data(), static_cast<unsigned>(text.size())), static_cast<int>(text.size()));
#else
    EXPECT_EQ(pipe(ends), 0);
    EXPECT_EQ(write(ends[1], text.data(), text.size()), static_cast<ssize_t>(text.size()));
#endif
    CloseDescriptor(ends[1]);
    return ends[0];
}

TEST(SecretInputTest, ALineIsReadWithoutTakingWhatFollowsIt) {
    const int fd = PipeHolding("s3cret pass\r\nnext line\n");
    SecretString line;
    ASSERT_TRUE(ReadSecretLine(fd, line));
    EXPECT_EQ(line.view(), "s3cret pass");
    SecretString rest;
    ASSERT_TRUE(ReadSecretAll(fd, rest));
    EXPECT_EQ(rest.view(), "next line\n");
    CloseDescriptor(fd);
}

TEST(SecretInputTest, AnEmptyLineIsAPasswordButNoInputIsNone) {
    const int empty = PipeHolding("\n");
    SecretString line;
    EXPECT_TRUE(ReadSecretLine(empty, line));
    EXPECT_TRUE(line.empty());
    EXPECT_FALSE(ReadSecretLine(empty, line));
    CloseDescriptor(empty);

    const int last = PipeHolding("no line feed");
    EXPECT_TRUE(ReadSecretLine(last, line));
    EXPECT_EQ(line.view(), "no line feed");
    CloseDescriptor(last);
}

}  // namespace
}  // namespace kv
