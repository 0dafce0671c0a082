// What the built programs carry, read back from the executables of this build's
// architecture and from its distribution medium: the manifest (elevation,
// supported systems, DPI awareness, Common Controls 6), the version resource,
// and the medium's copies stripped and of this build's machine type.
#include <windows.h>

#include <lzexpand.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/win32/utf16.h"
#include "vx_version.h"

namespace {

using vx::win32::Narrow;
using vx::win32::Widen;

std::wstring WindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + Widen(unixPath);
    for (wchar_t& c : path) c = c == L'/' ? L'\\' : c;
    return path;
}

struct Program {
    const char* name;
    std::wstring built;
    std::wstring onMedium;  // as installed: expanded when compressed
    const char* executionLevel;
    const wchar_t* originalName;
};

const std::wstring kMedium = WindowsPath(VX_MEDIUM_DIR);

std::vector<Program> Programs() {
    return {
        {"QLV3906", WindowsPath(VX_QLV3906_EXE), kMedium + L"\\DISK1\\QLV3906.EX_", "asInvoker",
         L"QLV3906.EXE"},
        {"VXInst", WindowsPath(VX_VXINST_EXE), kMedium + L"\\VXInst.exe", "requireAdministrator",
         L"VXInst.exe"},
    };
}

std::string Manifest(const std::wstring& path) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        if (data) text.assign(data, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return text;
}

// The text of an element or attribute value: what stands between `before` and the next `after`.
std::string Between(const std::string& text, const std::string& before, const std::string& after) {
    const auto at = text.find(before);
    if (at == std::string::npos) return "<missing>";
    const auto from = at + before.size();
    return text.substr(from, text.find(after, from) - from);
}

TEST(Executables, ManifestsAskForTheirElevationAndTheSystemsTheyKnow) {
    for (const Program& p : Programs()) {
        SCOPED_TRACE(p.name);
        const std::string m = Manifest(p.built);
        ASSERT_FALSE(m.empty()) << "no manifest in " << Narrow(p.built);
        EXPECT_EQ(Between(m, "<requestedExecutionLevel level=\"", "\""), p.executionLevel);
        EXPECT_EQ(Between(m, "uiAccess=\"", "\""), "false");
        // Windows 7, 8, 8.1 and 10/11.
        for (const char* os :
             {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
              "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
            EXPECT_NE(m.find(std::string("<supportedOS Id=\"{") + os + "}\"/>"), std::string::npos)
                << os;
        }
        EXPECT_EQ(
            Between(m, "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">",
                    "<"),
            "true");
        EXPECT_EQ(Between(m, "name=\"Microsoft.Windows.Common-Controls\" version=\"", "\""),
                  "6.0.0.0");
        EXPECT_EQ(Between(m, "<assemblyIdentity type=\"win32\" name=\"Veltrix.", "\""), p.name);
        EXPECT_EQ(Between(Between(m, "name=\"Veltrix.", "/>"), "version=\"", "\""),
                  VX_VERSION_TEXT);
    }
}

std::wstring VersionString(const std::vector<BYTE>& info, const std::wstring& name) {
    void* value = nullptr;
    UINT size = 0;
    const std::wstring key = L"\\StringFileInfo\\041104B0\\" + name;
    if (!VerQueryValueW(info.data(), key.c_str(), &value, &size) || !value) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

// The about box's "Version 1.000": the major number, a dot, then the other three.
std::wstring AboutBoxVersion(const std::wstring& path) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return L"<no module>";
    std::wstring text = L"<missing>";
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(100), MAKEINTRESOURCEW(5))) {
        const auto* data = static_cast<const wchar_t*>(LockResource(LoadResource(module, found)));
        const std::wstring all(data, SizeofResource(module, found) / sizeof(wchar_t));
        const auto at = all.find(L"Version ");
        if (at != std::wstring::npos) text = all.c_str() + at;  // up to the terminating zero
    }
    FreeLibrary(module);
    return text;
}

TEST(Executables, VersionResourceInTheJapaneseBlockMatchesTheAboutBox) {
    for (const Program& p : Programs()) {
        SCOPED_TRACE(p.name);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(p.built.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        std::vector<BYTE> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(p.built.c_str(), 0, size, info.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        const DWORD ms = MAKELONG(VX_VERSION_MINOR, VX_VERSION_MAJOR);
        const DWORD ls = MAKELONG(VX_VERSION_TWEAK, VX_VERSION_PATCH);
        EXPECT_EQ(fixed->dwFileVersionMS, ms);
        EXPECT_EQ(fixed->dwFileVersionLS, ls);
        EXPECT_EQ(fixed->dwProductVersionMS, ms);
        EXPECT_EQ(fixed->dwProductVersionLS, ls);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

        const WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(const_cast<WORD**>(&translation)),
                                   &length));
        ASSERT_GE(length, 4u);
        EXPECT_EQ(translation[0], 0x0411);
        EXPECT_EQ(translation[1], 1200);

        const std::wstring version = Widen(VX_VERSION_TEXT);
        EXPECT_EQ(VersionString(info, L"CompanyName"), L"ZAM");
        EXPECT_EQ(VersionString(info, L"FileVersion"), version);
        EXPECT_EQ(VersionString(info, L"ProductVersion"), version);
        EXPECT_EQ(VersionString(info, L"ProductName"), L"ZAM QX-K480/330 ベルトリクス");
        EXPECT_EQ(VersionString(info, L"OriginalFilename"), p.originalName);
        EXPECT_EQ(
            VersionString(info, L"FileDescription").rfind(L"ZAM QX-K480/330 ベルトリクス ", 0), 0u);
    }
    // 1.0.0.0 reads "Version 1.000" in the about box.
    EXPECT_EQ(AboutBoxVersion(Programs()[0].built),
              L"Version " + std::to_wstring(VX_VERSION_MAJOR) + L"." +
                  std::to_wstring(VX_VERSION_MINOR) + std::to_wstring(VX_VERSION_PATCH) +
                  std::to_wstring(VX_VERSION_TWEAK));
}

std::vector<BYTE> ReadAll(const std::wstring& path) {
    std::vector<BYTE> bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(f, nullptr));
    DWORD got = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    CloseHandle(f);
    return bytes;
}

// A file of the medium as the install puts it on the disk: compressed ones expanded.
std::vector<BYTE> Installed(const std::wstring& onMedium) {
    wchar_t temp[MAX_PATH] = L"", expanded[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    GetTempFileNameW(temp, L"vx", 0, expanded);
    std::wstring from = onMedium;
    OFSTRUCT in{}, out{};
    const INT source = LZOpenFileW(from.data(), &in, OF_READ);
    const INT target = LZOpenFileW(expanded, &out, OF_CREATE);
    const bool copied = source >= 0 && target >= 0 && LZCopy(source, target) >= 0;
    if (source >= 0) LZClose(source);
    if (target >= 0) LZClose(target);
    std::vector<BYTE> bytes = copied ? ReadAll(expanded) : std::vector<BYTE>();
    DeleteFileW(expanded);
    return bytes;
}

TEST(Executables, TheMediumHoldsStrippedProgramsOfThisArchitecture) {
#ifdef _WIN64
    const WORD machine = IMAGE_FILE_MACHINE_AMD64;
#else
    const WORD machine = IMAGE_FILE_MACHINE_I386;
#endif
    for (const Program& p : Programs()) {
        SCOPED_TRACE(p.name);
        const std::vector<BYTE> image = Installed(p.onMedium);
        ASSERT_GT(image.size(), 0x400u) << Narrow(p.onMedium);
        EXPECT_EQ(image, ReadAll(p.built)) << "the medium holds this build's program";
        IMAGE_DOS_HEADER dos;
        std::memcpy(&dos, image.data(), sizeof dos);
        ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
        IMAGE_FILE_HEADER file;
        std::memcpy(&file, image.data() + dos.e_lfanew + 4, sizeof file);
        EXPECT_EQ(file.Machine, machine);
        EXPECT_EQ(file.PointerToSymbolTable, 0u) << "symbol table present";
        EXPECT_EQ(file.NumberOfSymbols, 0u);
        // No debugging sections either.
        const BYTE* sections =
            image.data() + dos.e_lfanew + 4 + sizeof file + file.SizeOfOptionalHeader;
        for (WORD i = 0; i < file.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section;
            std::memcpy(&section, sections + i * sizeof section, sizeof section);
            const std::string name(reinterpret_cast<const char*>(section.Name),
                                   strnlen(reinterpret_cast<const char*>(section.Name), 8));
            EXPECT_NE(name.rfind(".debug", 0), 0u) << name;
        }
    }
}

}  // namespace
