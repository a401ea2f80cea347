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

Strs Tokens(std::string text, const char* delims)
{
    Strs out;
    char* next = nullptr;
    for (char* t = StrTokEx(&text[0], delims, next); t; t = StrTokEx(nullptr, delims, next))
        out.push_back(t);
    return out;
}

} // namespace

TEST(StrToken, EmptyFieldsAreNoTokens)
{
    EXPECT_EQ(2, GetTokenCount("a;;b", ";"));
    EXPECT_STREQ("b", GetToken("a;;b", ";", 1));
    EXPECT_EQ(nullptr, GetToken("a;;b", ";", 2));
    EXPECT_EQ(nullptr, GetToken("a;;b", ";", -1));
    EXPECT_EQ(0, GetTokenCount(";;;", ";"));
    EXPECT_EQ((Strs{"a", "b"}), Tokens(";a;;b;", ";"));

    char text[] = "one;two";
    char* next = nullptr;
    EXPECT_STREQ("one", StrTokEx(text, ";", next));
    EXPECT_EQ(text + 4, next);
    EXPECT_STREQ("two", StrTokEx(nullptr, ";", next));
    EXPECT_EQ(nullptr, next);
    EXPECT_EQ(nullptr, StrTokEx(nullptr, ";", next));

    // Tokens past the first bytes are found; a token too long is cut to 259 bytes.
    std::string longList;
    for (int i = 0; i < 40; i++)
        longList += "Set" + std::to_string(i) + ";";
    EXPECT_STREQ("Set39", GetToken(longList.c_str(), ";", 39));
    char* token = GetToken(std::string(300, 'x').c_str(), ";", 0);
    ASSERT_NE(nullptr, token);
    EXPECT_EQ(259u, strlen(token));
}

TEST(StrToken, DoubleByteCharactersAreNeverSplit)
{
    const char* t = "ab\x95\x5C" "cd\\ef";
    EXPECT_EQ((Dbcs() ? Strs{"ab\x95\x5C" "cd", "ef"} : Strs{"ab\x95", "cd", "ef"}), Tokens(t, "\\"));
    EXPECT_EQ(Dbcs() ? 2 : 3, GetTokenCount(t, "\\"));
    EXPECT_STREQ(Dbcs() ? "ef" : "cd", GetToken(t, "\\", 1));
    EXPECT_EQ(Dbcs() ? 1 : 2, StrCharCount(t, '\\'));
    EXPECT_EQ(Dbcs() ? 0 : 1, StrCharCount("\x83\x61", 'a'));
    // A lone lead byte at the end is no token on a double-byte code page.
    EXPECT_EQ(Dbcs() ? 1 : 2, GetTokenCount("a;\x95", ";"));

    // "\x81\x40" is the ideographic space on 932, the bytes 0x81 and "@" on 1252.
    char text[] = "a\x81\x40" "b";
    char* next = nullptr;
    EXPECT_STREQ("a", StrTokEx(text, "\x81\x40", next));
    EXPECT_EQ(Dbcs() ? '\0' : '@', text[2]);
    EXPECT_STREQ("b", StrTokEx(nullptr, "\x81\x40", next));

    char trimmed[] = " \t\x95\x5C \r\n";
    TrimStr(trimmed);
    EXPECT_STREQ("\x95\x5C", trimmed);
    char blank[] = " \t\r\n";
    TrimStr(blank);
    EXPECT_STREQ("", blank);
}

TEST(StrToken, FindInList)
{
    const char list[] = "a\0b\0\0";
    EXPECT_EQ(1, StrFindInList(list, "b", 0));
    EXPECT_EQ(-1, StrFindInList(list, "B", 0));
    EXPECT_EQ(1, StrFindInList(list, "B", 1));
    EXPECT_EQ(-1, StrFindInList(list, "c", 1));
    EXPECT_EQ(-1, StrFindInList("\0", "", 0));
    const char kana[] = "x\0\x83\x61\0\0";
    EXPECT_EQ(1, StrFindInList(kana, "\x83\x61", 0));
    // Letter case must not reach into a trail byte.
    EXPECT_EQ(Dbcs() ? -1 : 1, StrFindInList(kana, "\x83\x41", 1));
}

TEST(HexStr, RoundTrips)
{
    char hex[600];
    const unsigned char bytes[] = {0x00, 0xAB, 0xFF, 0x5C};
    BinToHex(hex, bytes, 4);
    EXPECT_STREQ("00ABFF5C", hex);
    unsigned char out[300];
    EXPECT_EQ(3u, HexToBin(out, "41424a"));
    EXPECT_EQ(0, memcmp(out, "ABJ", 3));
    EXPECT_EQ(1u, HexToBin(out, "4"));
    EXPECT_EQ(0x40, out[0]);
    EXPECT_EQ(0, HexToCode('G'));
    EXPECT_EQ(0, StrToHex(hex, ""));
    EXPECT_STREQ("00", hex);

    // Every non-zero byte value survives text -> hex -> text.
    std::string all;
    for (int b = 1; b < 256; b++)
        all += static_cast<char>(b);
    char text[300];
    EXPECT_EQ(1, StrToHex(hex, all.c_str()));
    EXPECT_EQ(510u, strlen(hex));
    EXPECT_EQ(1, HexToStr(text, hex));
    EXPECT_EQ(all, std::string(text));
}
