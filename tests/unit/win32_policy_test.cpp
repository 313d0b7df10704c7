#include "settings/win32_policy.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace wavelith {

namespace {

constexpr const wchar_t* kUserPolicyKey = L"SOFTWARE\\Policies\\Harvenlock\\QUELLIX";

}  // namespace

TEST(Win32Policy, OnlyDwordValuesCount) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kUserPolicyKey);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kUserPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD one = 1;
    const wchar_t text[] = L"1";
    const unsigned long long wide = 1;
    RegSetValueExW(key, L"DisableScripts", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    RegSetValueExW(key, L"Disabled", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    RegSetValueExW(key, L"DisableShutdownBlock", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide), sizeof wide);
    RegCloseKey(key);

    Policy policy = readSystemPolicy();
    RegDeleteTreeW(HKEY_CURRENT_USER, kUserPolicyKey);
    EXPECT_TRUE(policy.DisableScripts);
    EXPECT_FALSE(policy.Disabled) << "text is not a policy value";
    EXPECT_FALSE(policy.DisableShutdownBlock) << "nor is a 64-bit number";
    EXPECT_FALSE(readSystemPolicy().DisableScripts) << "no key, no policy";
}

}  // namespace wavelith
