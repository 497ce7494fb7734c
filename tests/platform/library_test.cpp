// Dynamic libraries: a module named the way a Windows program names it is
// found as a shared object, its functions are callable, and references count.
#include <gtest/gtest.h>

#include "tuikit/win32.h"

TEST(DynamicLibrary, AModuleIsFoundByItsDllNameAndCountsReferences)
{
    HMODULE module = LoadLibraryA("TestMod32.DLL");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(LoadLibraryA("testmod32"), module) << "same module, second reference";

    auto answer = reinterpret_cast<INT_PTR (*)(void)>(GetProcAddress(module, "TestModAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);

    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(module, MAKEINTRESOURCEA(1)), nullptr) << "ordinals are not supported";

    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_NE(GetProcAddress(module, "TestModAnswer"), nullptr) << "one reference is left";
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetProcAddress(module, "TestModAnswer"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FreeLibrary(module)) << "a freed module is a stale handle";
}

TEST(DynamicLibrary, PathsUnknownNamesAndBogusHandlesAreRefused)
{
    for (const char *name : {"./libtestmod32.so", "/lib/x86_64-linux-gnu/libc.so.6", "dir\\testmod32.dll",
                             "c:testmod32.dll", ".dll", "", "no-such-module-here.dll"}) {
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA(name), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << name;
    }
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(0x1234), "TestModAnswer"), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, nullptr), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}
