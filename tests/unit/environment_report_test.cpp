#include "ui/environment_report.h"

#include <gtest/gtest.h>

namespace wavelith {

namespace {

// A Windows 10 workstation in Japan with two monitors, the second to the left.
EnvironmentInputs windows10() {
    EnvironmentInputs in;
    in.platformId = 2;
    in.major = 10;
    in.minor = 0;
    in.build = 19045;
    in.productType = 1;
    in.productInfo = 0x30;
    in.suiteMask = 0x100;
    in.country = u"Japan";
    in.darkMode = true;
    in.uac = UacInputs{true, 1u, 1u, 5u, 3u};
    in.screenWidth = 1920;
    in.screenHeight = 1080;
    in.bitsPerPixel = 32;
    in.workArea = ScreenRect{0, 0, 1920, 1040};
    in.virtualLeft = -1280;
    in.virtualTop = 0;
    in.virtualWidth = 3200;
    in.virtualHeight = 1080;
    in.monitorCount = 2;
    in.monitors = {MonitorInputs{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true},
                   MonitorInputs{{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, false}};
    in.localTime = LocalTimeInputs{2026, 5, 3, 13, 9, 5, 7};
    in.zoneBiasMinutes = -540;
    in.client = u"Wavelith ver.0.10.00";
    return in;
}

bool contains(const std::u16string& text, std::u16string_view part) { return text.find(part) != std::u16string::npos; }

}  // namespace

TEST(EnvironmentReport, CompleteReportOfWindows10) {
    EXPECT_EQ(environmentReport(windows10()),
              u"KTRVLite ver.1.03.01 [May 13 2026]\r\n[Windows]"
              u"\r\n Platform Id\t: 2 (NT)"
              u"\r\n OS Version  \t: 10.0.19045 "
              u"\r\n ServicePack\t: 0.0 "
              u"\r\n Architecture\t: x64"
              u"\r\n ProductType\t: 1 (Workstation)"
              u"\r\n ProductInfo.\t: 0x00000030"
              u"\r\n SuiteMask\t: 0x0100"
              u"\r\n SafeMode\t: Off"
              u"\r\n Locale Info\t: Japan"
              u"\r\n Remote Session \t: Off"
              u"\r\n Dark Mode \t: On"
              u"\r\n[User Account Control]\r\n EnableLUA=1, PromptOnSecureDesktop=1, ConsentPromptBehaviorAdmin=5, "
              u"ConsentPromptBehaviorUser=3"
              u"\r\n[Screen]\r\n 1920x1080 (32bpp) [Work Area (0,0)-(1920,1040)]"
              u"\r\n Virtual Screen: (-1280,0)-(1920,1080) [Monitors:2]"
              u"\r\n Monitor Info : (0,0)-(1920,1080) [Workarea (0,0)-(1920,1040)] *primary"
              u"\r\n Monitor Info : (-1280,0)-(0,1024) [Workarea (-1280,0)-(0,984)]"
              u"\r\n[Other]"
              u"\r\n Date/Time \t: Wed, May 13, 2026  9:05:07(UTC+09:00)"
              u"\r\n[Client]\r\n Wavelith ver.0.10.00");
}

TEST(EnvironmentReport, OlderWindowsHasNeitherProductInfoNorUserAccountControl) {
    EnvironmentInputs in = windows10();
    in.major = 5;
    in.minor = 1;
    in.servicePack = u"Service Pack 3";
    in.servicePackMajor = 3;
    in.productType = 7;
    in.cleanBoot = 2;
    std::u16string report = environmentReport(in);
    EXPECT_FALSE(contains(report, u"ProductInfo"));
    EXPECT_FALSE(contains(report, u"User Account Control"));
    EXPECT_TRUE(contains(report, u"\r\n OS Version  \t: 5.1.19045 Service Pack 3\r\n ServicePack\t: 3.0 \r\n"));
    EXPECT_TRUE(contains(report, u"\r\n ProductType\t: 7\r\n"));
    EXPECT_TRUE(contains(report, u"\r\n SafeMode\t: Fail-safe with network boot\r\n"));
}

TEST(EnvironmentReport, UserAccountControlValuesThatAreMissingLeaveTheirLabelBare) {
    EnvironmentInputs in = windows10();
    in.uac = UacInputs{true, 1u, std::nullopt, std::nullopt, 0u};
    EXPECT_TRUE(contains(environmentReport(in),
                         u"\r\n[User Account Control]\r\n EnableLUA=1, PromptOnSecureDesktop=, "
                         u"ConsentPromptBehaviorAdmin=, ConsentPromptBehaviorUser=0\r\n[Screen]"));
    in.uac = UacInputs{};  // the key could not be opened
    EXPECT_TRUE(contains(environmentReport(in), u"\r\n[User Account Control]\r\n \r\n[Screen]"));
}

TEST(EnvironmentReport, ZoneEastOfGreenwichIsPlusAndGreenwichItselfMinus) {
    EnvironmentInputs in = windows10();
    in.client.clear();
    in.zoneBiasMinutes = -330;
    EXPECT_TRUE(contains(environmentReport(in), u"(UTC+05:30)\r\n[Client]"));
    in.zoneBiasMinutes = 0;
    EXPECT_TRUE(contains(environmentReport(in), u"(UTC-00:00)\r\n[Client]"));
    in.zoneBiasMinutes = 300;
    in.localTime = LocalTimeInputs{2026, 12, 0, 6, 23, 59, 0};
    EXPECT_TRUE(contains(environmentReport(in), u": Sun, Dec 6, 2026 23:59:00(UTC-05:00)"));
}

TEST(EnvironmentReport, VersionTextFromTheVersionTable) {
    EXPECT_EQ(versionLabel(parseFileVersion(u"3.1.4.0")), u"ver.3.14.00");
    EXPECT_EQ(versionLabel(parseFileVersion(u"0.1.0.0")), u"ver.0.10.00");
    EXPECT_EQ(versionLabel(parseFileVersion(u"2.5")), u"ver.2.50.00");
    EXPECT_EQ(versionLabel(parseFileVersion(u"1.2.x.9")), u"ver.1.20.00");
    EXPECT_EQ(versionLabel(parseFileVersion(u"")), u"ver.0.00.00");

    VersionStrings strings{u"3.1.4.12", u"Keeps the computer awake", u"beta", u"Copyright (C) 2026 Harvenlock", u""};
    EXPECT_EQ(versionText(u"Wavelith", strings, false),
              u"Wavelith ver.3.14.12 beta\r\nKeeps the computer awake\r\nCopyright (C) 2026 Harvenlock");
    EXPECT_EQ(clientLine(versionText(u"Wavelith", strings, false)), u"Wavelith ver.3.14.12 beta");
    EXPECT_EQ(clientLine(versionText(u"ウェーブリス", strings, true)), u"ウェーブリス ver.3.14.12 ベータ版");
    EXPECT_EQ(versionText(u"Wavelith", std::nullopt, false), u"(NULL)");

    EXPECT_EQ(clientLine(u"tab\tcut"), u"tab");
    EXPECT_EQ(clientLine(std::u16string(400, u'x')).size(), 300u);
}

TEST(EnvironmentReport, AddressLinksAndWhatEachLinkOpens) {
    MakerAddresses web{u"https://harvenlock.example/", u"https://harvenlock.example/mail.html",
                       u"https://harvenlock.example/kifu.html", u"https://harvenlock.example/ifa.php?QUELLIX", u""};
    EXPECT_EQ(addressLinksText(web, false),
              u"[WebSite]\r\n  <a id=\"https://harvenlock.example/\">https://harvenlock.example/</a>\r\n\r\n"
              u"[Contact]\r\n  <a id=\"https://harvenlock.example/mail.html\">https://harvenlock.example/mail.html</a>"
              u"\r\n\r\n\r\n");
    EXPECT_TRUE(contains(addressLinksText(web, true), u"</a>\r\n\r\n※"));

    MakerAddresses mail = web;
    mail.contact = u"help@harvenlock.example";
    mail.extraNote = u"Thanks.";
    EXPECT_TRUE(contains(addressLinksText(mail, false),
                         u"[E-Mail]\r\n  <a id=\"mailto:help@harvenlock.example\">help@harvenlock.example</a>"
                         u"\r\n\r\n\r\nThanks."));

    EXPECT_EQ(linkTarget(u"kifu", web), web.contribution);
    EXPECT_EQ(linkTarget(u"feedback", web), web.feedback);
    EXPECT_EQ(linkTarget(u"mailto:help@harvenlock.example", mail), u"mailto:help@harvenlock.example");
    // The link control hands back only the first 47 characters of a long id.
    MakerAddresses longer = web;
    longer.webSite = u"https://harvenlock.example/a/rather/long/path/to/the/start/page.html";
    EXPECT_EQ(linkTarget(longer.webSite.substr(0, kLinkIdLimit), longer), longer.webSite);
}

TEST(EnvironmentReport, ClipboardTextFitsItsBlockWithTheZeroAndWholeCharacters) {
    const size_t room = kClipboardBytes / 2 - 1;
    EXPECT_EQ(clipboardText(u"short"), u"short");
    EXPECT_EQ(clipboardText(std::u16string(room + 10, u'a')).size(), room);
    std::u16string pairAtTheEdge = std::u16string(room - 1, u'a') + u"😀";
    EXPECT_EQ(clipboardText(pairAtTheEdge), std::u16string(room - 1, u'a'));

    EXPECT_EQ(reportBoxText(u"R", false),
              u"R\r\n------------------------\r\nPlease click the [OK] button to copy to clipboard.");
    EXPECT_EQ(cannotOpenBrowserText(u"https://x.example/", false), u"Cannot open a browser.");
    EXPECT_TRUE(contains(cannotOpenBrowserText(u"https://x.example/", true), u"\nhttps://x.example/"));
}

}  // namespace wavelith
