// KTRVLite's portable half: the About dialog's version and address texts, which link opens
// what, the environment report built from plain values that the Win32 side gathers, and the
// module's texts in English and Japanese.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wavelith {

namespace about_ids {
constexpr int kVersionText = 2002;
constexpr int kAddressLinks = 2003;
constexpr int kLicenceText = 2004;
constexpr int kEnvironmentButton = 2005;
constexpr int kContributionLink = 2006;
constexpr int kIcon = 2007;
constexpr int kLinkLockTimer = 2008;  // a timer, not a control
constexpr int kFeedbackLink = 2009;
constexpr int kClose = 2;  // IDCANCEL, so that Esc closes too
}  // namespace about_ids

// ---- the version text (2002) ----

// The strings of the program's "041104b0" version table; absent ones are empty.
struct VersionStrings {
    std::u16string fileVersion;
    std::u16string fileDescription;
    std::u16string specialBuild;
    std::u16string legalCopyright;
    std::u16string privateBuild;
};

struct FileVersion {
    uint32_t major = 0, minor = 0, build = 0, revision = 0;
};
// "a.b.c.d"; the numbers after the first that is missing or not a number read as 0.
FileVersion parseFileVersion(std::u16string_view text);
// "ver.3.14.00" for 3.1.4.0: the minor and build numbers side by side, the revision in two digits.
std::u16string versionLabel(const FileVersion& version);

// The program's name and version on the first line, then the description and the copyright.
// Without a version resource: "(NULL)".
std::u16string versionText(std::u16string_view programName, const std::optional<VersionStrings>& strings,
                           bool japanese);
// The report's [Client] line: the first line of the version text, at most 300 characters.
std::u16string clientLine(std::u16string_view versionText);

// ---- the address links (2003) and the links' targets ----

struct MakerAddresses {
    std::u16string webSite;
    std::u16string contact;  // a web page, or an e-mail address when it is not http(s)
    std::u16string contribution;
    std::u16string feedback;
    std::u16string extraNote;
};

// The maker's pages as the build was configured (WAVELITH_*_URL in CMakeLists.txt); no extra note.
MakerAddresses makerAddresses();

bool isEmailAddress(std::u16string_view address);
// The link control's markup of the web site and contact links, each under its heading.
// Without a version resource the dialog shows "(NULL)" here as well.
std::u16string addressLinksText(const MakerAddresses& addresses, bool japanese);
// What a click on the link with this id opens: "kifu" the contribution page, "feedback" the
// feedback page, any other id is the address itself.
std::u16string linkTarget(std::u16string_view linkId, const MakerAddresses& addresses);
// The link control hands back at most this many characters of an id.
constexpr size_t kLinkIdLimit = 47;

// ---- the environment report ----

struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct MonitorInputs {
    ScreenRect monitor;
    ScreenRect work;
    bool primary = false;
};

// The User Account Control values under HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Policies\System;
// a value that is missing or not a REG_DWORD is absent.
struct UacInputs {
    bool keyOpened = false;
    std::optional<uint32_t> enableLua;
    std::optional<uint32_t> promptOnSecureDesktop;
    std::optional<uint32_t> consentPromptBehaviorAdmin;
    std::optional<uint32_t> consentPromptBehaviorUser;
};

struct LocalTimeInputs {
    uint16_t year = 0, month = 1, dayOfWeek = 0, day = 1, hour = 0, minute = 0, second = 0;
};

// Everything the report says, as Windows reported it.
struct EnvironmentInputs {
    uint32_t platformId = 2;
    uint32_t major = 0, minor = 0, build = 0;
    std::u16string servicePack;  // the service pack's name, often empty
    uint16_t servicePackMajor = 0, servicePackMinor = 0;
    uint8_t productType = 1;
    std::optional<uint32_t> productInfo;  // absent: GetProductInfo is missing or failed
    uint16_t suiteMask = 0;
    int32_t cleanBoot = 0;  // SM_CLEANBOOT
    std::u16string country;
    bool remoteSession = false;
    bool darkMode = false;
    UacInputs uac;
    int32_t screenWidth = 0, screenHeight = 0, bitsPerPixel = 0;
    ScreenRect workArea;
    int32_t virtualLeft = 0, virtualTop = 0, virtualWidth = 0, virtualHeight = 0;
    int32_t monitorCount = 0;
    std::vector<MonitorInputs> monitors;
    LocalTimeInputs localTime;
    int32_t zoneBiasMinutes = 0;  // UTC = local time + bias
    std::u16string client;        // clientLine() of the version text
};

std::u16string environmentReport(const EnvironmentInputs& inputs);
// What the OK/Cancel box shows: the report, a separator and the request to press OK.
std::u16string reportBoxText(std::u16string_view report, bool japanese);

// The clipboard gets a zero-filled block of this size; the report is cut to leave its
// terminating zero, never between the halves of a surrogate pair.
constexpr size_t kClipboardBytes = 16384;
std::u16string clipboardText(std::u16string_view report);

// ---- texts ----

enum class AboutMessage {
    Caption,
    CloseButton,
    EnvironmentButton,
    FeedbackLink,
    ContributionLink,
    LicenceText,
    MailFilterNote,
    CannotOpenBrowser,  // the Japanese text is followed by the address
    ReportCaption,
    ReportRequest,
    ClipboardDone,
    ClipboardError,
    CannotOpenClipboard,
    OutOfMemory,
    GlobalLockError,
    EmptyClipboardError,
    Count  // ORDER AboutMessage: keep last
};
std::u16string_view aboutMessage(AboutMessage id, bool japanese);
// "Cannot open a browser."; the Japanese text names the address to open by hand.
std::u16string cannotOpenBrowserText(std::u16string_view address, bool japanese);
// The caption of the clipboard's result boxes, in both languages.
constexpr std::u16string_view kResultCaption = u"KTRVLite";

std::vector<std::pair<int, std::u16string>> aboutTooltips(bool japanese);

}  // namespace wavelith
