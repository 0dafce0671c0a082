// What the tests know of the settings program from outside: where it is built,
// how its main window and its save-as dialog are found.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "harness/program.h"

namespace vx::e2e {

inline const std::wstring kMainTitle = L"ZAM QX-K480/330 ベルトリクス";

// QLV3906.EXE as built by this tree, as a Windows path.
std::wstring Qlv3906Path();

// Starts the settings program (this tree's, or a copy at `path`) and waits for its
// main window: a visible dialog of the program titled exactly kMainTitle.
testing::AssertionResult StartQlv3906(const StartOptions& options, Program* app, HWND* main,
                                      const std::wstring& path = Qlv3906Path());

// A value written under `root`\`path` in the prefix's registry, the key made if need be.
bool SetRegistryValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
                      const void* data, DWORD size);
bool SetRegistryText(HKEY root, const std::wstring& path, const wchar_t* name,
                     const std::wstring& v);
bool SetRegistryNumber(HKEY root, const std::wstring& path, const wchar_t* name, DWORD v);

// Another printer of the model (`driver` one of its two driver names) in the prefix's
// spooler, printing to `port`; the program lists it from its next start on.
bool AddModelPrinter(const std::wstring& name, const std::wstring& driver,
                     const std::wstring& port);

// The screen's DPI (LogPixels) for the programs started from now on; 96 is 100 %.
bool SetScreenDpi(DWORD dpi);

// A save-as dialog of the program other than its main window, once it shows within
// kReactTimeout; nullptr when none did.
HWND WaitForSaveDialog(const Program& app, HWND main);

}  // namespace vx::e2e
