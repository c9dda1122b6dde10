#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Handles_win.h"

namespace fs = std::filesystem;
using trimwell::UniqueKernelHandle;

namespace {

struct Result {
    DWORD code = 0;
    std::string out;
};

// Runs cfgtool.exe from the test program's own folder and collects its standard output.
Result runCfgTool(const std::wstring& arguments) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring exe = (fs::path(self).parent_path() / L"cfgtool.exe").wstring();
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    UniqueKernelHandle reader(readEnd), writer(writeEnd);
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writer.get();
    si.hStdError = writer.get();
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    Result r;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        r.code = 999;
        return r;
    }
    UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    writer.reset();
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(reader.get(), buffer, sizeof buffer, &n, nullptr) && n > 0) r.out.append(buffer, n);
    WaitForSingleObject(process.get(), 30000);
    GetExitCodeProcess(process.get(), &r.code);
    return r;
}

}  // namespace

TEST(CfgToolOnWindows, TakesUnicodePathsAndAnsiValues) {
    const fs::path folder = fs::temp_directory_path() / L"trimwell-cfgtool-\u2708";
    fs::create_directories(folder);
    const fs::path file = folder / L"aircraft.cfg";
    std::ofstream(file, std::ios::binary) << "[fltsim.0]\r\ntitle=Old\r\n";
    const std::wstring quoted = L"\"" + file.wstring() + L"\"";

    EXPECT_EQ(runCfgTool(L"set " + quoted + L" FLTSIM.0 title \"Caf\u00E9 Skyhawk\"").code, 0u);
    const Result got = runCfgTool(L"get " + quoted + L" fltsim.0 title");
    EXPECT_EQ(got.code, 0u);
    EXPECT_NE(got.out.find("Caf\xE9 Skyhawk"), std::string::npos) << got.out;  // the file's 8-bit text
    EXPECT_EQ(runCfgTool(L"sections").code, 2u);
    EXPECT_EQ(runCfgTool(L"set \"" + (folder / L"missing\\x.cfg").wstring() + L"\" s k v").code, 1u);

    std::error_code ec;
    fs::remove_all(folder, ec);
}

TEST(CfgToolOnWindows, AddsAVariationBesideItsTextureFolder) {
    const fs::path folder = fs::temp_directory_path() / L"trimwell-variation-\u2708";
    fs::create_directories(folder / L"texture.caf\u00E9");
    const fs::path file = folder / L"aircraft.cfg";
    std::ofstream(file, std::ios::binary) << "[fltsim.0]\r\ntitle=Old\r\ntexture=\r\n";
    const std::wstring quoted = L"\"" + file.wstring() + L"\"";

    const Result added = runCfgTool(L"add-variation " + quoted + L" \"Caf\u00E9 Skyhawk\" caf\u00E9");
    EXPECT_EQ(added.code, 0u);
    EXPECT_EQ(added.out.rfind("fltsim.1", 0), 0u) << added.out;
    EXPECT_EQ(added.out.find("no folder"), std::string::npos) << added.out;  // the folder's name is found
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "[fltsim.0]\r\ntitle=Old\r\ntexture=\r\n\r\n[fltsim.1]\r\ntitle=Caf\xE9 Skyhawk\r\ntexture=caf\xE9\r\n");
    EXPECT_EQ(runCfgTool(L"add-variation " + quoted + L" \"CAF\u00E9 skyhawk\" x").code, 1u);

    in.close();
    std::error_code ec;
    fs::remove_all(folder, ec);
}
