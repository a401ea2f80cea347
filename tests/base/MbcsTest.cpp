// Multibyte helpers, tokens, string lists, hexadecimal forms and bounded formatting on the
// active code page. "\x95\x5C" is one character on 932 (its trail byte is "\"), two on 1252.
#include <gtest/gtest.h>
#include <stdarg.h>
#include <cstring>
#include <vector>
#include "TestUtil.h"
#include "base/HexStr.h"
#include "base/Mbcs.h"
#include "base/RegKey.h"
#include "base/ResStr.h"
#include "base/StrToken.h"

TEST(Mbcs, LeadBytesFollowTheCodePageAndStepsKeepCharactersWhole)
{
    ASSERT_EQ(RunCodePage(), GetACP());
    EXPECT_EQ(Dbcs(), IsMBCS() != 0);
    EXPECT_EQ(Dbcs(), IsLead('\x95') && IsLead('\xFC'));
    EXPECT_FALSE(IsLead('\x5C') || IsLead('\xA0'));
    const char* t = "a\x95\x5C" "b";
    const char* p = t + 1;
    EXPECT_EQ(Dbcs() ? 0x5C95 : 0x95, CharAt(p));
    EXPECT_EQ(Dbcs() ? t + 3 : t + 2, IncPsz(p));
    EXPECT_EQ(t + 1, DecPsz(t, p));
    EXPECT_EQ(4u, _tcssize(t));
    EXPECT_EQ(t, DecPsz(t, p = t)); // stepping back from the start stays there
    // "\x81\x81" is one character on 932: a trail byte that is also a lead-byte value.
    const char* u = "a\x81\x81\x5C";
    EXPECT_EQ(u + 3, DecPsz(u, p = u + 4));
}

TEST(Mbcs, CopiesKeepWholeCharactersAndLoneLeadBytes)
{
    // A lone lead byte at the end is one byte and the terminator stays a terminator.
    const char* t = "ab\x95";
    EXPECT_EQ(1, SizeOf(t + 2));
    char buf[8] = "XXXXXXX";
    char* d = buf;
    const char* s = t;
    StrCopy(d, s);
    EXPECT_EQ(t + 4, s);
    EXPECT_STREQ(t, buf);
    EXPECT_EQ('X', buf[4]);
    // Bounded copies never cut a character in two.
    char small[6] = "ZZZZZ";
    EXPECT_EQ(Dbcs() ? 2u : 3u, StrCopyN(small, "ab\x95\x5C", 4));
    EXPECT_STREQ(Dbcs() ? "ab" : "ab\x95", small);
    EXPECT_EQ('Z', small[4]);
    EXPECT_EQ(0u, StrCopyN(small, "abc", 1));
    EXPECT_STREQ("", small);
}

TEST(Mbcs, CaseMappingAndComparisonKeepDoubleByteCharactersWhole)
{
    // Katakana "\x83\x61" has the trail byte of "a": mapping it alone would change it.
    char k[] = "\x83\x61", w[] = "\x82\x81"; // and full-width a
    for (char* p = k; *p; IncPsz(p))
        CharToUpper(p);
    EXPECT_STREQ(Dbcs() ? "\x83\x61" : "\x83\x41", k);
    CharToUpper(w);
    EXPECT_STREQ(Dbcs() ? "\x82\x60" : "\x82\x81", w);
    EXPECT_EQ(0xE0, CharToLower(static_cast<unsigned short>(Dbcs() ? 0xE0 : 0xC0)));
    EXPECT_EQ(0, StrCompare("AbC", "aBc", 1));
    EXPECT_NE(0, StrCompare("AbC", "aBc", 0));
    EXPECT_LT(StrCompare("ab", "abc", 0), 0);
    EXPECT_EQ(Dbcs() ? 1 : 0, StrCompare("\x83\x61", "\x83\x41", 1) != 0);
    EXPECT_EQ(0, StrCompareN("HKCU\\x", "hkcu\\y", 5, 1));
}

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

int CutFormat(char* buf, unsigned size, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    int n = FormatBuf(buf, size, fmt, args);
    va_end(args);
    return n;
}

} // namespace

TEST(StrToken, TokensNeverSplitACharacter)
{
    ExpectTokens(";a;;b;", ";", {"a", "b"});
    ExpectTokens(";;;", ";", {});
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

TEST(StrToken, CountsListsAndHexDigits)
{
    EXPECT_EQ(Dbcs() ? 1 : 2, StrCharCount("ab\x95\x5C" "cd\\ef", '\\'));
    EXPECT_EQ(Dbcs() ? 0 : 1, StrCharCount("\x83\x61", 'a'));
    // Letter case must not reach into a trail byte.
    const char list[] = "a\0\x83\x61\0\0";
    EXPECT_EQ(1, StrFindInList(list, "\x83\x61", 0));
    EXPECT_EQ(-1, StrFindInList(list, "A", 0));
    EXPECT_EQ(0, StrFindInList(list, "A", 1));
    EXPECT_EQ(Dbcs() ? -1 : 1, StrFindInList(list, "\x83\x41", 1));
    // Upper- and lower-case digits, a character that is no digit (read as 0) and an odd
    // digit at the end.
    char text[16];
    EXPECT_EQ(1, HexToStr(text, "414a4G4F4"));
    EXPECT_STREQ("AJ@O@", text);
}

TEST(Format, CutTextsKeepWholeCharactersAndPathsAreWholeOrEmpty)
{
    // "\x95\x5C" cut after its first byte: a lead byte on 932 (dropped), a character on 1252.
    // The text FormatBuf leaves, and whether FormatPath takes the whole argument.
    const struct { unsigned size; const char *arg, *cut; bool whole; } rows[] = {
        {6, "abcde", "abcde", true},
        {6, "abcdef", "abcde", false},
        {5, "abc\x95\x5C", Dbcs() ? "abc" : "abc\x95", false},
        {6, "abc\x95\x5C", "abc\x95\x5C", true},
        {1, "a", "", false},
    };
    for (const auto& r : rows) {
        char buf[8];
        memset(buf, 'X', sizeof buf);
        EXPECT_EQ(static_cast<int>(strlen(r.cut)), CutFormat(buf, r.size, "%s", r.arg)) << r.arg;
        EXPECT_STREQ(r.cut, buf) << r.arg;
        memset(buf, 'X', sizeof buf);
        EXPECT_EQ(r.whole ? 1 : 0, RegKey::FormatPath(buf, r.size, "%s", r.arg)) << r.arg;
        EXPECT_STREQ(r.whole ? r.arg : "", buf) << r.arg;
    }
    EXPECT_EQ(0, CutFormat(nullptr, 8, "%s", "a"));
    EXPECT_EQ(0, RegKey::FormatPath(nullptr, 8, "%s", "a"));
}
