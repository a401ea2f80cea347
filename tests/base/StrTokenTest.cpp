// Tokens, character counts, string lists, trimming and hexadecimal forms on the active
// code page (932 as base_cp932, else 1252).
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "TestUtil.h"
#include "base/StrToken.h"
#include "base/HexStr.h"

namespace {

using Strs = std::vector<std::string>;

// The tokenizer, the count and the indexed look-up all find the expected tokens; gives the
// text as the tokenizer left it.
std::string ExpectTokens(const char* text, const char* delims, const Strs& expected)
{
    SCOPED_TRACE(text);
    Strs found;
    std::string copy = text;
    char* next = nullptr;
    for (char* t = StrTokEx(&copy[0], delims, next); t; t = StrTokEx(nullptr, delims, next))
        found.push_back(t);
    EXPECT_EQ(expected, found);
    EXPECT_EQ(static_cast<int>(expected.size()), GetTokenCount(text, delims));
    for (size_t i = 0; i <= expected.size(); i++) {
        const char* token = GetToken(text, delims, static_cast<int>(i));
        EXPECT_EQ(i < expected.size() ? expected[i] : "(none)", token ? token : "(none)");
    }
    return copy;
}

} // namespace

TEST(StrToken, TokensNeverSplitACharacter)
{
    ExpectTokens(";a;;b;", ";", {"a", "b"});
    ExpectTokens(";;;", ";", {});
    // The trail byte of "\x95\x5C" on 932 is the code of "\".
    ExpectTokens("ab\x95\x5C" "cd\\ef", "\\",
                 Dbcs() ? Strs{"ab\x95\x5C" "cd", "ef"} : Strs{"ab\x95", "cd", "ef"});
    // A lone lead byte at the end is no token on a double-byte code page.
    ExpectTokens("a;\x95", ";", Dbcs() ? Strs{"a"} : Strs{"a", "\x95"});
    // "\x81\x40" is the ideographic space on 932, the bytes 0x81 and "@" on 1252: both
    // bytes of a double-byte delimiter are cleared.
    EXPECT_EQ(std::string(Dbcs() ? "a\0\0b" : "a\0@b", 4),
              ExpectTokens("a\x81\x40" "b", "\x81\x40", {"a", "b"}));
    // Tokens past the first bytes are found; a token too long is cut to 259 bytes.
    std::string longList;
    for (int i = 0; i < 40; i++)
        longList += "Set" + std::to_string(i) + ";";
    EXPECT_STREQ("Set39", GetToken(longList.c_str(), ";", 39));
    EXPECT_EQ(259u, strlen(GetToken(std::string(300, 'x').c_str(), ";", 0)));
}

TEST(StrToken, CountsListsAndTrimming)
{
    EXPECT_EQ(Dbcs() ? 1 : 2, StrCharCount("ab\x95\x5C" "cd\\ef", '\\'));
    EXPECT_EQ(Dbcs() ? 0 : 1, StrCharCount("\x83\x61", 'a'));
    // Letter case must not reach into a trail byte.
    const char list[] = "a\0\x83\x61\0\0";
    EXPECT_EQ(1, StrFindInList(list, "\x83\x61", 0));
    EXPECT_EQ(-1, StrFindInList(list, "A", 0));
    EXPECT_EQ(0, StrFindInList(list, "A", 1));
    EXPECT_EQ(Dbcs() ? -1 : 1, StrFindInList(list, "\x83\x41", 1));
    char trimmed[] = " \t\x95\x5C \r\n", blank[] = " \t\r\n";
    TrimStr(trimmed);
    TrimStr(blank);
    EXPECT_STREQ("\x95\x5C", trimmed);
    EXPECT_STREQ("", blank);
}

TEST(HexStr, RoundTrips)
{
    char hex[600], text[300];
    EXPECT_EQ(0, StrToHex(hex, ""));
    EXPECT_STREQ("00", hex);
    // Lower-case digits, a character that is no digit (read as 0) and an odd digit at the end.
    EXPECT_EQ(1, HexToStr(text, "41424a4G4"));
    EXPECT_STREQ("ABJ@@", text);
    // Every non-zero byte value survives text -> hex -> text.
    std::string all;
    for (int b = 1; b < 256; b++)
        all += static_cast<char>(b);
    EXPECT_EQ(1, StrToHex(hex, all.c_str()));
    EXPECT_STREQ("FEFF", hex + 506);
    EXPECT_EQ(1, HexToStr(text, hex));
    EXPECT_EQ(all, std::string(text));
}
