// Under Wine a planted copy of a system DLL is never loaded (Wine prefers
// its own), so the restriction is shown with a DLL of the test's own that
// lies beside the test program, as a planted one would beside DRIM32.EXE.

#include "platform/DllSearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <type_traits>

namespace {

struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using LoadedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule>;

constexpr char PlantedDll[] = "drimplanted.dll";

TEST(DllSearch, ADllBesideTheProgramLoadsBeforeTheRestrictionAndNotAfter)
{
    HMODULE before = LoadLibraryA(PlantedDll);
    ASSERT_NE(before, nullptr) << "the DLL beside the test is missing: " << GetLastError();
    ASSERT_NE(GetProcAddress(before, "PlantedDllAnswer"), nullptr);
    // Unloaded again, so that the load below searches rather than finds
    // the module already in the process.
    ASSERT_TRUE(FreeLibrary(before));
    ASSERT_EQ(GetModuleHandleA(PlantedDll), nullptr);

    ASSERT_TRUE(RestrictDllSearchToSystemFolder());

    SetLastError(0xdeadbeef);
    const LoadedModule after(LoadLibraryA(PlantedDll));
    EXPECT_EQ(after, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

    // The system's own DLLs still load by their bare names, as the
    // program's delay-loaded ones do.
    for (const char* system : { "comctl32.dll", "mpr.dll", "shell32.dll" })
        EXPECT_NE(LoadedModule(LoadLibraryA(system)), nullptr) << system;
}

} // namespace
