#include <gtest/gtest.h>

#include <string>

// Every literal of the program is code page 936: the check-in suffix as GBK bytes.
TEST(Charset, ChineseLiteralIsGbk) {
    const std::string suffix = " 自动签到";
    const std::string gbk = "\x20\xD7\xD4\xB6\xAF\xC7\xA9\xB5\xBD";
    EXPECT_EQ(suffix, gbk);
}
