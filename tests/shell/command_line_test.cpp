#include "setup/shell/command_line.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(CommandLineTest, ThePrefixIsEverythingAfterTheNameAndItsSpaces) {
    EXPECT_EQ(settingsPrefixFromCommandLine("orvsetup.exe"), "");
    EXPECT_EQ(settingsPrefixFromCommandLine("orvsetup.exe data/"), "data/");
    EXPECT_EQ(settingsPrefixFromCommandLine("orvsetup.exe \t  data"), "data");
    EXPECT_EQ(settingsPrefixFromCommandLine("\"C:\\Game Dir\\orvsetup.exe\"  C:\\x y\\ "), "C:\\x y\\ ");
    EXPECT_EQ(settingsPrefixFromCommandLine("\"C:\\orvsetup.exe\"\"q\\\""), "\"q\\\"");  // quotes stay
    EXPECT_EQ(settingsPrefixFromCommandLine("\"unterminated name"), "");
    EXPECT_EQ(settingsPrefixFromCommandLine(""), "");
}

}  // namespace
}  // namespace setup
