// Multibyte character helpers on the active code page: 932 (double-byte, run as
// base_cp932) or 1252. "\x95\x5C" is one character on 932 (its trail byte is the code of
// "\"), two on 1252.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include "base/Mbcs.h"
#include "base/Cvt.h"

namespace {

bool Dbcs() { return GetACP() == 932; }

} // namespace

TEST(Mbcs, LeadBytesFollowTheCodePage)
{
    UINT acp = GetACP();
    ASSERT_TRUE(acp == 932 || acp == 1252) << acp;
    EXPECT_EQ(Dbcs(), IsMBCS() != 0);
    int leads = 0;
    for (int b = 0; b < 256; b++)
        leads += IsLead(static_cast<char>(b)) ? 1 : 0;
    if (Dbcs()) {
        // 0x81-0x9F and 0xE0-0xFC.
        EXPECT_EQ(31 + 29, leads);
        for (int b : {0x81, 0x95, 0x9F, 0xE0, 0xFC})
            EXPECT_TRUE(IsLead(static_cast<char>(b))) << b;
        for (int b : {0x5C, 0x80, 0xA0, 0xDF, 0xFD, 0x41})
            EXPECT_FALSE(IsLead(static_cast<char>(b))) << b;
    } else {
        EXPECT_EQ(0, leads);
    }
}

TEST(Mbcs, StepsOverTrailBackslashAsOneCharacter)
{
    const char* t = "a\x95\x5C" "b";
    const char* p = t + 1;
    if (Dbcs()) {
        EXPECT_EQ(2, SizeOf(p));
        EXPECT_EQ(0x5C95, CharAt(p));
        EXPECT_EQ(t + 3, IncPsz(p));
        EXPECT_EQ(t + 1, DecPsz(t, p));
        EXPECT_EQ(t + 1, PszInc(p));
        EXPECT_EQ(t + 3, p);
    } else {
        EXPECT_EQ(1, SizeOf(p));
        EXPECT_EQ(0x95, CharAt(p));
        EXPECT_EQ(t + 2, IncPsz(p));
        EXPECT_EQ(t + 1, DecPsz(t, p));
    }
    EXPECT_EQ(4u, _tcssize(t));
    p = t;
    EXPECT_EQ(t, DecPsz(t, p));
    EXPECT_EQ(t, p);
}

TEST(Mbcs, DecPszFindsCharacterStartAfterLeadLookingTrails)
{
    // "\x81\x81" is one character on 932; its trail byte is also a lead-byte value.
    const char* t = "\x81\x81" "a";
    const char* p = t + 3;
    DecPsz(t, p);
    EXPECT_EQ(t + 2, p);
    DecPsz(t, p);
    EXPECT_EQ(Dbcs() ? t : t + 1, p);

    const char* u = "a\x81\x81\x81\x81";
    p = u + 5;
    DecPsz(u, p);
    EXPECT_EQ(Dbcs() ? u + 3 : u + 4, p);
}

TEST(Mbcs, LoneLeadByteAtEndIsOneByte)
{
    const char* t = "ab\x95";
    EXPECT_EQ(1, SizeOf(t + 2));
    EXPECT_EQ(0x95, CharAt(t + 2));
    EXPECT_EQ(3u, _tcssize(t));
    char buf[8];
    memset(buf, 'X', sizeof buf);
    char* d = buf;
    const char* s = t;
    StrCopy(d, s);
    EXPECT_EQ(t + 4, s);
    EXPECT_EQ(buf + 4, d);
    EXPECT_STREQ(t, buf);
    EXPECT_EQ('X', buf[4]);
}

TEST(Mbcs, CopiesMeasureThenWrite)
{
    const char* t = "x\x95\x5C" "y";
    char buf[8];
    memset(buf, 'Z', sizeof buf);

    char* d = buf;
    const char* s = t + 1;
    EXPECT_EQ(1, CharCopy(d, s));
    EXPECT_EQ(Dbcs() ? t + 3 : t + 2, s);
    EXPECT_EQ(buf + (s - t - 1), d);

    unsigned size = 0;
    char* none = nullptr;
    s = t;
    StrCopy(none, s, size);
    EXPECT_EQ(4u, size);
    EXPECT_EQ(t + 4, s);
    EXPECT_EQ(nullptr, none);

    size = 0;
    d = buf;
    CopyStr(d, t, size);
    CharAdd(d, '!', size);
    CharAdd(d, '\0');
    EXPECT_EQ(5u, size);
    EXPECT_STREQ("x\x95\x5Cy!", buf);

    // The terminator is copied by the plain forms and counted by the sized one.
    size = 0;
    d = buf;
    s = "";
    EXPECT_EQ(0, CharCopy(d, s, size));
    EXPECT_EQ(1u, size);
}

TEST(Mbcs, BoundedCopyKeepsWholeCharacters)
{
    char buf[6];
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(Dbcs() ? 2u : 3u, StrCopyN(buf, "ab\x95\x5C", 4));
    EXPECT_STREQ(Dbcs() ? "ab" : "ab\x95", buf);
    EXPECT_EQ('\0', buf[3]);
    EXPECT_EQ('Z', buf[4]);
    EXPECT_EQ(3u, StrCopyN(buf, "abc", 6));
    EXPECT_EQ('\0', buf[5]);
    EXPECT_EQ(0u, StrCopyN(buf, "abc", 1));
    EXPECT_STREQ("", buf);
}

TEST(Mbcs, CaseMappingKeepsDoubleByteCharactersWhole)
{
    EXPECT_EQ('a', CharToLower(static_cast<unsigned short>('A')));
    EXPECT_EQ('Q', CharToUpper(static_cast<unsigned short>('q')));
    EXPECT_EQ('1', CharToUpper(static_cast<unsigned short>('1')));
    // Katakana "\x83\x61" has the trail byte of "a": mapping it alone would change the
    // character.
    char k[] = "\x83\x61";
    for (char* p = k; *p; IncPsz(p))
        CharToUpper(p);
    EXPECT_STREQ(Dbcs() ? "\x83\x61" : "\x83\x41", k);
    if (Dbcs()) {
        // Full-width A and a.
        EXPECT_EQ(0x8182, CharToLower(static_cast<unsigned short>(0x6082)));
        char w[] = "\x82\x81";
        CharToUpper(w);
        EXPECT_STREQ("\x82\x60", w);
    } else {
        EXPECT_EQ(0xE0, CharToLower(static_cast<unsigned short>(0xC0)));
    }
    EXPECT_EQ(0, StrCompare("AbC", "aBc", 1));
    EXPECT_NE(0, StrCompare("AbC", "aBc", 0));
    EXPECT_LT(StrCompare("ab", "abc", 0), 0);
    EXPECT_EQ(Dbcs() ? 1 : 0, StrCompare("\x83\x61", "\x83\x41", 1) != 0);
    EXPECT_EQ(0, StrCompareN("HKCU\\x", "hkcu\\y", 5, 1));
}

TEST(Mbcs, ClassesOfCharacters)
{
    for (char c : {' ', '\t', '\r', '\n'})
        EXPECT_TRUE(IsWhiteChar(c));
    EXPECT_FALSE(IsWhiteChar('\v'));
    EXPECT_TRUE(IsAlphaChar('z') && IsAlphaChar('A') && !IsAlphaChar('1'));
    EXPECT_FALSE(IsAlphaChar('\xC0'));
    EXPECT_TRUE(IsNumChar('0') && IsNumChar('9') && !IsNumChar('a'));
    EXPECT_TRUE(IsAlphaNumChar('7') && IsAlphaNumChar('g') && !IsAlphaNumChar('_'));
    EXPECT_TRUE(IsSep('\\') && IsSep('/') && !IsSep(':'));
}

TEST(Mbcs, ConversionToAndFromWide)
{
    unsigned short w[8];
    int n = mb2wc("\x95\x5C", w, 8);
    if (Dbcs()) {
        EXPECT_EQ(2, n);
        EXPECT_EQ(0x8868, w[0]);
    } else {
        EXPECT_EQ(3, n);
        EXPECT_EQ(0x2022, w[0]);
        EXPECT_EQ('\\', w[1]);
    }
    char back[8];
    EXPECT_EQ(3, wc2mb(w, back, 8));
    EXPECT_STREQ("\x95\x5C", back);

    // Too small: terminated after the last whole character.
    memset(back, 'Z', sizeof back);
    EXPECT_EQ(0, wc2mb(w, back, 2));
    EXPECT_STREQ(Dbcs() ? "" : "\x95", back);
    EXPECT_EQ(0, mb2wc("abcdef", w, 3));
    EXPECT_EQ(0, w[2]);

    CVT cvt;
    const wchar_t* wide = cvt.T2W("Photo \x95\x5C.jpg");
    ASSERT_NE(nullptr, wide);
    EXPECT_EQ(Dbcs() ? 11u : 12u, wcslen(wide));
    char out[520];
    EXPECT_STREQ("Photo \x95\x5C.jpg", cvt.W2T(out));

    CVT small(4);
    EXPECT_EQ(4u, wcslen(small.T2W("abcdefgh")));
    EXPECT_STREQ("abc", small.W2T(out));
    char t[] = "same";
    EXPECT_EQ(t, small.T2A(t));
    EXPECT_EQ(t, small.A2T(t));
}
