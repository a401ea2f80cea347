// Multibyte character helpers on the active code page, 932 (as base_cp932) or 1252.
// "\x95\x5C" is one character on 932 (its trail byte is the code of "\"), two on 1252.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include "TestUtil.h"
#include "base/Mbcs.h"
#include "base/Cvt.h"

TEST(Mbcs, LeadBytesFollowTheCodePage)
{
    ASSERT_EQ(RunCodePage(), GetACP());
    EXPECT_EQ(Dbcs(), IsMBCS() != 0);
    EXPECT_EQ(Dbcs(), IsLead('\x95') && IsLead('\xFC'));
    EXPECT_FALSE(IsLead('\x5C') || IsLead('\xA0'));
}

TEST(Mbcs, StepsOverTrailBackslashAsOneCharacter)
{
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
    // Measuring without a destination, then writing.
    for (char* dst : {static_cast<char*>(nullptr), buf}) {
        unsigned size = 0;
        d = dst;
        CopyStr(d, "x\x95\x5C" "y", size);
        CharAdd(d, '!', size);
        EXPECT_EQ(5u, size);
    }
    CharAdd(d, '\0');
    EXPECT_STREQ("x\x95\x5Cy!", buf);
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

TEST(Mbcs, ConversionToAndFromWide)
{
    unsigned short w[8];
    char back[8], out[520];
    EXPECT_EQ(Dbcs() ? 2 : 3, mb2wc("\x95\x5C", w, 8));
    EXPECT_EQ(3, wc2mb(w, back, 8));
    EXPECT_STREQ("\x95\x5C", back);
    // Too small: terminated after the last whole character.
    EXPECT_EQ(0, wc2mb(w, back, 2));
    EXPECT_STREQ(Dbcs() ? "" : "\x95", back);
    CVT cvt;
    cvt.T2W("Photo \x95\x5C.jpg");
    EXPECT_STREQ("Photo \x95\x5C.jpg", cvt.W2T(out));
}
