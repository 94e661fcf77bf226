// The payload travels as the program's one RCDATA resource, id 5001, neutral
// language, holding exactly one gzip member.
#include "common/app_window.h"
#include "resources/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int *>(count);
    return TRUE;
}

TEST(PayloadResource, IsTheOnlyRcdataAndOneGzipMember)
{
    int count = 0;
    EnumResourceNamesA(AppInstance, MAKEINTRESOURCEA(10), CountName, reinterpret_cast<LONG_PTR>(&count));
    EXPECT_EQ(count, 1);

    HRSRC resource = FindResourceExA(AppInstance, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(IDR_PAYLOAD),
                                     MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(resource, nullptr);
    const DWORD size = SizeofResource(AppInstance, resource);
    const auto *bytes = static_cast<const unsigned char *>(LockResource(LoadResource(AppInstance, resource)));
    ASSERT_NE(bytes, nullptr);
    ASSERT_GT(size, 18u);
    EXPECT_EQ(bytes[0], 0x1f);
    EXPECT_EQ(bytes[1], 0x8b);
    EXPECT_EQ(bytes[2], 8); // deflate
}

} // namespace
