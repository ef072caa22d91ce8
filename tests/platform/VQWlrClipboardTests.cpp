// How the data-control clipboard answers a reader: all the text, or nothing
// after a bounded wait, and never a process ended by a reader that left.

#include "platform/wlr/VQWlrClipboard.h"

#include <gtest/gtest.h>

#include <ostream>

#include <fcntl.h>
#include <unistd.h>

namespace
{
struct WriteRow {
    const char *name;
    qsizetype bytes;
    enum Reader { Open, Gone } reader;
    bool delivered;
};

void PrintTo(const WriteRow &row, std::ostream *os)
{
    *os << row.name;
}

QByteArray drain(int fd)
{
    QByteArray read;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        read.append(buffer, n);
    return read;
}

class WriteAndCloseTest : public ::testing::TestWithParam<WriteRow>
{
};

TEST_P(WriteAndCloseTest, WritesAllOrGivesUpAndAlwaysCloses)
{
    const WriteRow &row = GetParam();
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    // A small pipe: what does not fit waits for a reader that does not read.
    fcntl(fds[1], F_SETPIPE_SZ, 4096);
    if (row.reader == WriteRow::Gone)
        ::close(fds[0]);
    const QByteArray text(row.bytes, 'a');

    EXPECT_EQ(VQWlrClipboard::writeAndClose(fds[1], text, 50), row.delivered);
    // The writing end is closed either way.
    EXPECT_EQ(fcntl(fds[1], F_GETFD), -1);
    if (row.reader != WriteRow::Gone) {
        const QByteArray read = drain(fds[0]); // ends: the writer is closed
        EXPECT_EQ(read == text, row.delivered);
        ::close(fds[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, WriteAndCloseTest,
                         ::testing::Values(WriteRow{"colour_text", 7, WriteRow::Open, true},
                                           WriteRow{"reader_gone", 7, WriteRow::Gone, false},
                                           WriteRow{"more_than_the_pipe_holds", 1 << 20, WriteRow::Open, false}),
                         [](const auto &info) { return std::string(info.param.name); });
} // namespace
