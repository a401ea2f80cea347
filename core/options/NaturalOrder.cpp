#include "options/NaturalOrder.h"
#include <cstring>
#include "base/Mbcs.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Compares the digit runs at a and b by value and moves both past them.
int CompareNumbers(const char*& a, const char*& b)
{
    while (*a == '0' && IsDigit(a[1]))
        ++a;
    while (*b == '0' && IsDigit(b[1]))
        ++b;
    const char* startA = a;
    const char* startB = b;
    while (IsDigit(*a))
        ++a;
    while (IsDigit(*b))
        ++b;
    size_t lenA = a - startA, lenB = b - startB;
    if (lenA != lenB)
        return lenA < lenB ? -1 : 1;
    return memcmp(startA, startB, lenA);
}

} // namespace

int NaturalCompare(const char* a, const char* b)
{
    const char* p = a;
    const char* q = b;
    while (*p && *q) {
        if (IsDigit(*p) && IsDigit(*q)) {
            int r = CompareNumbers(p, q);
            if (r)
                return r;
            continue;
        }
        unsigned short cp = CharToLower(CharAt(p)), cq = CharToLower(CharAt(q));
        if (cp != cq)
            return cp < cq ? -1 : 1;
        IncPsz(p);
        IncPsz(q);
    }
    if (*p || *q)
        return *p ? 1 : -1;
    int r = strcmp(a, b);
    return r < 0 ? -1 : r > 0;
}
