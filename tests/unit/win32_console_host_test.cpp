// wavelith-script.exe as a user runs it: a Japanese argument and a script whose file name is
// Japanese, the output read from a pipe as the corpus reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::filesystem::path programFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(std::wstring(path, length)).parent_path();
}

// Runs the command line in folder and returns what it wrote to standard output.
std::string runCapturing(std::wstring commandLine, const std::filesystem::path& folder) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return "<no pipe>";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  folder.c_str(), &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) output.append(buffer, read);
        // Bounded: a host that hangs fails the test instead of the suite.
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        output = "<not started: " + std::to_string(GetLastError()) + ">";
    }
    CloseHandle(readEnd);
    return output;
}

}  // namespace

TEST(ConsoleHost, JapaneseArgumentsAndFileNamesArriveWhole) {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("wavelith-console-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / L"日本語.rsc", std::ios::binary) << "MESSAGE(INPUT(\"名前\") + \"|\" + STRLEN(\"日本\"))\n";

    std::wstring program = (programFolder() / L"wavelith-script.exe").wstring();
    std::string output = runCapturing(L"\"" + program + L"\" --json --input 日本 日本語.rsc", folder);
    std::filesystem::remove_all(folder);

    EXPECT_EQ(output,
              "{\"ev\":\"input\",\"prompt\":\"名前\",\"title\":\"Input\",\"result\":\"日本\"}\n"
              "{\"ev\":\"box\",\"text\":\"日本|6\",\"caption\":\"Message\",\"style\":0,\"result\":1}\n"
              "{\"ev\":\"exit\",\"run\":1,\"code\":0}\n");
}
