#include "OptionsTestUtil.h"
#include <vector>
#include "base/Module.h"

void SettingsKeyTest::SetUp()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    sub = std::string("Software\\VantoraTest\\") + info->test_suite_name() + "_" + info->name() +
          "_" + std::to_string(GetCurrentProcessId());
    root = "HKCU\\" + sub;
    SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
    identity.reset(new AppInfo(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora",
                               "VNT.hlp", 0, 0));
    identity->SetAppRootKey(root.c_str());
    ASSERT_STREQ(root.c_str(), AppInfo::Data().pszRootKey);
}

void SettingsKeyTest::TearDown()
{
    if (sub.empty())
        return; // SetUp skipped the test before choosing a key
    identity.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
}

DWORD SettingsKeyTest::Dword(const char* name, DWORD def) const
{
    RawValue v = Value(name);
    if (v.type != REG_DWORD || v.bytes.size() != sizeof(DWORD))
        return def;
    DWORD d;
    memcpy(&d, v.bytes.data(), sizeof d);
    return d;
}

// One 8 x 8 block whose only coefficient is the DC term: with a quantisation table of
// ones it is 8 x (level - 128), coded with a one-symbol Huffman table for its size
// category, followed by the end-of-block code.
std::string GrayJpeg(int level)
{
    int dc = 8 * (level - 128);
    int magnitude = dc < 0 ? -dc : dc;
    int category = 0;
    while (magnitude >> category)
        category++;
    std::vector<int> bits = {0}; // the DC code
    unsigned value = dc >= 0 ? static_cast<unsigned>(dc) : static_cast<unsigned>(dc + (1 << category) - 1);
    for (int i = category - 1; i >= 0; --i)
        bits.push_back((value >> i) & 1);
    bits.push_back(0); // end of block
    while (bits.size() % 8)
        bits.push_back(1);
    std::string scan;
    for (size_t i = 0; i < bits.size(); i += 8) {
        int byte = 0;
        for (size_t j = 0; j < 8; ++j)
            byte = (byte << 1) | bits[i + j];
        scan += static_cast<char>(byte);
        if (byte == 0xFF)
            scan += '\0';
    }
    std::string j("\xFF\xD8", 2);
    j += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
    j += std::string("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);
    std::string oneCode = std::string("\x01", 1) + std::string(15, '\0');
    j += std::string("\xFF\xC4\x00\x14\x00", 5) + oneCode + static_cast<char>(category);
    j += std::string("\xFF\xC4\x00\x14\x10", 5) + oneCode + std::string(1, '\0');
    j += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    j += scan + std::string("\xFF\xD9", 2);
    return j;
}

bool WriteGrayJpeg(const std::string& path, int level)
{
    std::string bytes = GrayJpeg(level);
    return WriteFileBytes(path, bytes.data(), bytes.size());
}

std::string LibraryFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(GetLibraryModule(), path, sizeof path);
    std::string s(path, n < sizeof path ? n : 0);
    size_t sep = s.find_last_of('\\');
    return sep == std::string::npos ? s : s.substr(0, sep);
}
