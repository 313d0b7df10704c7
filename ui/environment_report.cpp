#include "ui/environment_report.h"

#include "platform/message_table.h"

#include <cstdio>
#include <cstdlib>

namespace wavelith {

namespace {

// printf for the report's numbers; every piece formatted here is ASCII.
template <typename... Args>
std::u16string ascii(const char* format, Args... args) {
    char buffer[160];
    int length = std::snprintf(buffer, sizeof(buffer), format, args...);
    if (length < 0) return {};
    if (static_cast<size_t>(length) >= sizeof(buffer)) length = sizeof(buffer) - 1;
    return std::u16string(buffer, buffer + length);
}

bool startsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool isControlCharacter(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// Reads a decimal number at `text[at]`, moving past it; nothing when no digit is there.
std::optional<uint32_t> readNumber(std::u16string_view text, size_t& at) {
    uint64_t value = 0;
    size_t start = at;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        value = value * 10 + static_cast<uint64_t>(text[at] - u'0');
        if (value > UINT32_MAX) value = UINT32_MAX;  // a silly number stays large, not wrapped
        ++at;
    }
    if (at == start) return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::u16string onOff(bool on) { return on ? u"On" : u"Off"; }

std::u16string rectangle(const ScreenRect& r) { return ascii("(%d,%d)-(%d,%d)", r.left, r.top, r.right, r.bottom); }

std::u16string labelled(std::u16string_view label, std::u16string_view value) {
    return std::u16string(label) + std::u16string(value);
}

std::u16string platformLine(uint32_t platformId) {
    static const char* const kNames[] = {" (Win32s)", " (Win9x)", " (NT)"};
    return ascii("%u%s", platformId, platformId < 3 ? kNames[platformId] : "");
}

std::u16string productTypeText(uint8_t type) {
    static const char* const kNames[] = {"", " (Workstation)", " (Domain Controller)", " (Server)"};
    return ascii("%u%s", type, type >= 1 && type <= 3 ? kNames[type] : "");
}

std::u16string safeModeText(int32_t cleanBoot) {
    switch (cleanBoot) {
        case 0: return u"Off";
        case 1: return u"Fail-safe boot";
        case 2: return u"Fail-safe with network boot";
        default: return ascii("%d", cleanBoot);
    }
}

std::u16string uacText(const UacInputs& uac) {
    if (!uac.keyOpened) return {};
    const std::pair<const char*, const std::optional<uint32_t>*> values[] = {
        {"EnableLUA=", &uac.enableLua},
        {", PromptOnSecureDesktop=", &uac.promptOnSecureDesktop},
        {", ConsentPromptBehaviorAdmin=", &uac.consentPromptBehaviorAdmin},
        {", ConsentPromptBehaviorUser=", &uac.consentPromptBehaviorUser},
    };
    std::u16string text;
    for (const auto& [label, value] : values) {
        text += ascii("%s", label);
        if (*value) text += ascii("%u", **value);
    }
    return text;
}

std::u16string dateTimeText(const LocalTimeInputs& time, int32_t biasMinutes) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* day = time.dayOfWeek < 7 ? kDays[time.dayOfWeek] : "???";
    const char* month = time.month >= 1 && time.month <= 12 ? kMonths[time.month - 1] : "???";
    // The bias is what is added to local time to get UTC: a zone east of Greenwich has a
    // negative one.
    const long absolute = std::labs(static_cast<long>(biasMinutes));
    return ascii("%s, %s %d, %d %2d:%02d:%02d", day, month, time.day, time.year, time.hour, time.minute, time.second) +
           ascii("(UTC%c%02ld:%02ld)", biasMinutes < 0 ? '+' : '-', absolute / 60, absolute % 60);
}

std::u16string firstLine(std::u16string_view text, size_t limit) {
    size_t end = 0;
    while (end < text.size() && end < limit && !isControlCharacter(text[end])) ++end;
    return std::u16string(text.substr(0, end));
}

}  // namespace

FileVersion parseFileVersion(std::u16string_view text) {
    uint32_t numbers[4] = {0, 0, 0, 0};
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != u'.') break;
            ++at;
        }
        std::optional<uint32_t> number = readNumber(text, at);
        if (!number) break;
        numbers[i] = *number;
    }
    return FileVersion{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::u16string versionLabel(const FileVersion& version) {
    return ascii("ver.%u.%u%u.%02u", version.major, version.minor, version.build, version.revision);
}

std::u16string versionText(std::u16string_view programName, const std::optional<VersionStrings>& strings,
                           bool japanese) {
    if (!strings) return u"(NULL)";
    std::u16string special = strings->specialBuild;
    if (japanese && special == u"beta") special = u"ベータ版";
    if (japanese && special == u"alpha") special = u"アルファ版";
    std::u16string text = std::u16string(programName) + u" " + versionLabel(parseFileVersion(strings->fileVersion));
    for (std::u16string_view build : {std::u16string_view(special), std::u16string_view(strings->privateBuild)})
        if (!build.empty()) text += u" " + std::u16string(build);
    for (std::u16string_view line : {strings->fileDescription, strings->legalCopyright})
        if (!line.empty()) text += u"\r\n" + std::u16string(line);
    return text;
}

std::u16string clientLine(std::u16string_view versionText) { return firstLine(versionText, 300); }

MakerAddresses makerAddresses() {
    return MakerAddresses{u"" WAVELITH_WEBSITE_URL, u"" WAVELITH_CONTACT_URL, u"" WAVELITH_CONTRIBUTION_URL,
                          u"" WAVELITH_FEEDBACK_URL, u""};
}

bool isEmailAddress(std::u16string_view address) {
    return !startsWith(address, u"http://") && !startsWith(address, u"https://");
}

namespace {

std::u16string contactLinkId(const MakerAddresses& addresses) {
    return (isEmailAddress(addresses.contact) ? u"mailto:" : u"") + addresses.contact;
}

}  // namespace

std::u16string addressLinksText(const MakerAddresses& addresses, bool japanese) {
    const bool email = isEmailAddress(addresses.contact);
    std::u16string text;
    text += addresses.webSite.empty() ? u"" : u"[WebSite]";
    text += u"\r\n  <a id=\"" + addresses.webSite + u"\">" + addresses.webSite + u"</a>\r\n\r\n";
    text += email ? u"[E-Mail]" : u"[Contact]";
    text += u"\r\n  <a id=\"" + contactLinkId(addresses) + u"\">" + addresses.contact + u"</a>\r\n\r\n";
    text += labelled(aboutMessage(AboutMessage::MailFilterNote, japanese), u"\r\n");
    text += addresses.extraNote;
    return text;
}

std::u16string linkTarget(std::u16string_view linkId, const MakerAddresses& addresses) {
    if (linkId == u"kifu") return addresses.contribution;
    if (linkId == u"feedback") return addresses.feedback;
    // An address longer than the control keeps comes back cut: take the one it begins.
    if (linkId.size() >= kLinkIdLimit)
        for (const std::u16string& address : {addresses.webSite, contactLinkId(addresses)})
            if (startsWith(address, linkId)) return address;
    return std::u16string(linkId);
}

std::u16string environmentReport(const EnvironmentInputs& in) {
    std::u16string r = ascii("KTRVLite ver.%u.%02u.%02u [%s]\r\n", 1u, 3u, 1u, "May 13 2026") + u"[Windows]";
    r += labelled(u"\r\n Platform Id\t: ", platformLine(in.platformId));
    r += labelled(u"\r\n OS Version  \t: ", ascii("%u.%u.%u ", in.major, in.minor, in.build) + in.servicePack);
    r += labelled(u"\r\n ServicePack\t: ", ascii("%u.%u ", in.servicePackMajor, in.servicePackMinor));
    r += u"\r\n Architecture\t: x64";
    r += labelled(u"\r\n ProductType\t: ", productTypeText(in.productType));
    if (in.major > 5) r += labelled(u"\r\n ProductInfo.\t: ", ascii("0x%08x", in.productInfo.value_or(0)));
    r += labelled(u"\r\n SuiteMask\t: ", ascii("0x%04x", static_cast<unsigned>(in.suiteMask)));
    r += labelled(u"\r\n SafeMode\t: ", safeModeText(in.cleanBoot));
    r += labelled(u"\r\n Locale Info\t: ", in.country);
    r += labelled(u"\r\n Remote Session \t: ", onOff(in.remoteSession));
    r += labelled(u"\r\n Dark Mode \t: ", onOff(in.darkMode));
    if (in.major > 5) r += labelled(u"\r\n[User Account Control]\r\n ", uacText(in.uac));

    r += u"\r\n[Screen]\r\n " + ascii("%dx%d (%dbpp) ", in.screenWidth, in.screenHeight, in.bitsPerPixel) +
         u"[Work Area " + rectangle(in.workArea) + u"]";
    const ScreenRect virtualScreen{in.virtualLeft, in.virtualTop, in.virtualLeft + in.virtualWidth,
                                   in.virtualTop + in.virtualHeight};
    r += u"\r\n Virtual Screen: " + rectangle(virtualScreen) + ascii(" [Monitors:%d]", in.monitorCount);
    for (const MonitorInputs& monitor : in.monitors) {
        r += u"\r\n Monitor Info : " + rectangle(monitor.monitor) + u" [Workarea " + rectangle(monitor.work) + u"]";
        if (monitor.primary) r += u" *primary";
    }

    r += u"\r\n[Other]";
    r += labelled(u"\r\n Date/Time \t: ", dateTimeText(in.localTime, in.zoneBiasMinutes));
    r += labelled(u"\r\n[Client]\r\n ", in.client);
    return r;
}

std::u16string reportBoxText(std::u16string_view report, bool japanese) {
    return std::u16string(report) + u"\r\n------------------------\r\n" +
           std::u16string(aboutMessage(AboutMessage::ReportRequest, japanese));
}

std::u16string clipboardText(std::u16string_view report) {
    const size_t limit = kClipboardBytes / sizeof(char16_t) - 1;
    if (report.size() <= limit) return std::u16string(report);
    size_t length = limit;
    // A high surrogate whose partner falls off the end would leave half a character.
    if (report[length - 1] >= 0xD800 && report[length - 1] <= 0xDBFF) --length;
    return std::u16string(report.substr(0, length));
}

namespace {

// ORDER AboutMessage
constexpr MessageTexts<AboutMessage> kMessages[] = {
    {AboutMessage::Caption, u"About", u"バージョン情報"},
    {AboutMessage::CloseButton, u"&Close", u"閉じる(&C)"},
    {AboutMessage::EnvironmentButton, u"&Environment Information", u"環境情報(&E)"},
    {AboutMessage::FeedbackLink, u"<a id=\"feedback\">Feedback</a>", u"<a id=\"feedback\">ご意見・ご感想</a>"},
    {AboutMessage::ContributionLink, u"<a id=\"kifu\">Contribution</a>", u"<a id=\"kifu\">寄付について</a>"},
    {AboutMessage::LicenceText,
     u"Wavelith keeps this computer from starting its screen saver, locking the screen or going to sleep: "
     u"now and then it moves the mouse a little (or taps a harmless key), or runs a DO-Rozude script that "
     u"you write.\r\n\r\n"
     u"Wavelith is free software under the MIT licence: you may use, copy, modify and distribute it "
     u"freely, as long as the copyright notice and the licence go with every copy.\r\n\r\n"
     u"It comes without any warranty. The authors are not liable for any damage or loss that comes from "
     u"using it.\r\n\r\n"
     u"The full licence is in the file LICENSE.txt beside the program. Copyright (c) 2026 Harvenlock."
     u"\r\n\r\n"
     u"Keeping a computer awake may go against the rules of your workplace or school (screen locking, "
     u"power saving, attendance). Following those rules is your responsibility: ask your administrator "
     u"if you are not sure.",
     u"ウェーブリスは、マウスを少しだけ動かしたり（または害のないキーを押したり）、利用者が書いた DO-Rozude "
     u"スクリプトを実行したりして、このコンピューターがスクリーンセーバーを始めたり、画面をロックしたり、"
     u"スリープしたりしないようにします。\r\n\r\n"
     u"ウェーブリスは MIT ライセンスのフリーソフトウェアです。著作権表示とライセンスを添えれば、自由に使用、"
     u"複製、改変、配布できます。\r\n\r\n"
     u"このソフトウェアは無保証です。使ったことによって生じたいかなる損害についても、作者は責任を負いません。"
     u"\r\n\r\n"
     u"ライセンスの全文は、プログラムと同じフォルダーの LICENSE.txt にあります。Copyright (c) 2026 Harvenlock"
     u"\r\n\r\n"
     u"コンピューターをスリープさせないことが、職場や学校の決まり（画面ロック、省電力、勤怠管理など）に反する"
     u"場合があります。決まりを守るのは利用者の責任です。わからないときは管理者に確認してください。"},
    {AboutMessage::MailFilterNote, u"",
     u"※お使いのメールの迷惑メールフィルターの設定によっては、作者のドメインからの返信が受信拒否される"
     u"ことがあります。"},
    {AboutMessage::CannotOpenBrowser, u"Cannot open a browser.",
     u"ブラウザーを開けませんでした。\nブラウザーで次のアドレスを直接開いてください:\n"},
    {AboutMessage::ReportCaption, u"KTRVLite", u"環境情報（簡易版）"},
    {AboutMessage::ReportRequest, u"Please click the [OK] button to copy to clipboard.",
     u"[OK] ボタンを押すと、この情報をクリップボードにコピーします。"},
    {AboutMessage::ClipboardDone, u"Writing data to the clipboard is complete.",
     u"クリップボードへの書き込みが完了しました。"},
    {AboutMessage::ClipboardError, u"Clipboard error.", u"クリップボードのエラーです。"},
    {AboutMessage::CannotOpenClipboard, u"Cannot open clipboard.", u"クリップボードを開けません。"},
    {AboutMessage::OutOfMemory, u"Out of memory.", u"メモリが足りません。"},
    {AboutMessage::GlobalLockError, u"GlobalLock error.", u"GlobalLock のエラーです。"},
    {AboutMessage::EmptyClipboardError, u"EmptyClipboard error.", u"EmptyClipboard のエラーです。"},
};

static_assert(isCompleteInIdOrder(kMessages), "every AboutMessage needs its two texts, in id order");

}  // namespace

std::u16string_view aboutMessage(AboutMessage id, bool japanese) { return messageText(kMessages, id, japanese); }

std::u16string cannotOpenBrowserText(std::u16string_view address, bool japanese) {
    std::u16string text(aboutMessage(AboutMessage::CannotOpenBrowser, japanese));
    if (japanese) text += address;
    return text;
}

std::vector<std::pair<int, std::u16string>> aboutTooltips(bool japanese) {
    using namespace about_ids;
    if (!japanese)
        return {
            {kContributionLink, u"About contribution"},
            {kClose, u"Closes this dialog box."},
            {kEnvironmentButton, u"Displays Information of this environment."},
            {kFeedbackLink, u"Opens feedback page."},
        };
    return {
        {kContributionLink, u"寄付について説明したページを開きます。"},
        {kClose, u"このダイアログボックスを閉じます。"},
        {kEnvironmentButton, u"この環境の情報を表示して、クリップボードにコピーできます。"},
        {kFeedbackLink, u"ご意見・ご感想のページを開きます。"},
        {kAddressLinks, u"クリックすると、ブラウザーまたはメールソフトで開きます。"},
    };
}

}  // namespace wavelith
