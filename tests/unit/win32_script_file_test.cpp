// Script files against the real file system and code-page services.
#include "ui/win32_script_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace wavelith {

namespace {

class ScriptFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("wavelith-script-file-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::wstring write(const char* name, const std::string& bytes) {
        std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.wstring();
    }
    std::wstring path(const char* name) const { return (folder_ / name).wstring(); }

    std::filesystem::path folder_;
};

}  // namespace

TEST_F(ScriptFileOnDisk, ShiftJisWithoutAMarkLoadsWithAndWithoutTheMultiLanguageObject) {
    const std::wstring file = write("sjis.txt", "\x93\xFA\x96\x7B\x8C\xEA\n");
    // Without COM there is no MLang: MultiByteToWideChar alone.
    EXPECT_EQ(readScriptFile(file).text, u"日本語\r\n");
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    DecodedScript withMultiLanguage = readScriptFile(file);
    CoUninitialize();
    EXPECT_EQ(withMultiLanguage.result, ScriptReadResult::Ok);
    EXPECT_EQ(withMultiLanguage.text, u"日本語\r\n");
}

TEST_F(ScriptFileOnDisk, FilesThatAreNoScriptGiveTheirCode) {
    EXPECT_EQ(readScriptFile(path("missing.txt")).result, ScriptReadResult::CannotOpen);
    EXPECT_EQ(readScriptFile(folder_.wstring()).result, ScriptReadResult::CannotOpen);
    EXPECT_EQ(readScriptFile(write("empty.txt", "")).result, ScriptReadResult::CannotRead);
    // Far too large to be a script: refused before anything is read.
    const std::wstring huge = path("huge.txt");
    HANDLE file = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(kMaxScriptFileBytes) + 1;
    EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
    CloseHandle(file);
    EXPECT_EQ(readScriptFile(huge).result, ScriptReadResult::OutOfMemory);
}

TEST_F(ScriptFileOnDisk, SavedFilesLoadBack) {
    const std::wstring file = path("saved.rsc");
    ASSERT_EQ(saveScriptFile(file, u"MOVEMOUSE(1, 0)\r\n' 日本語\r\n"), ScriptSaveResult::Ok);
    EXPECT_EQ(readScriptFile(file).text, u"MOVEMOUSE(1, 0)\r\n' 日本語\r\n");
    ASSERT_EQ(saveScriptFile(file, u""), ScriptSaveResult::Ok);
    EXPECT_EQ(std::filesystem::file_size(file), 3u);
    EXPECT_EQ(saveScriptFile(path("no such folder\\x.txt"), u"x"), ScriptSaveResult::CannotOpenForWrite);
}

}  // namespace wavelith
