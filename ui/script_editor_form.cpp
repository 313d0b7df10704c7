#include "ui/script_editor_form.h"

#include <string_view>
#include <utility>

namespace wavelith {

namespace {

// The control ids of both templates (resources/resource.h; 1 and 2 are OK and Cancel).
enum class Anchor { Stretch, BottomRight, BottomLeft };
constexpr std::pair<int, Anchor> kAnchors[] = {
    {1062, Anchor::Stretch},     {1, Anchor::BottomRight},   {2, Anchor::BottomRight},  {9, Anchor::BottomRight},
    {10, Anchor::BottomLeft},    {11, Anchor::BottomLeft},   {1063, Anchor::BottomLeft},
};

Anchor anchorOf(int id) {
    for (const auto& [controlId, anchor] : kAnchors)
        if (controlId == id) return anchor;
    return Anchor::BottomLeft;
}

}  // namespace

std::vector<int> ScriptEditorLayout::controlIds() {
    std::vector<int> ids;
    for (const auto& [id, anchor] : kAnchors) ids.push_back(id);
    return ids;
}

ScriptEditorLayout::ScriptEditorLayout(int clientWidth, int clientHeight, int windowWidth, int windowHeight,
                                       std::vector<PlacedControl> controls)
    : clientWidth_(clientWidth), clientHeight_(clientHeight), windowWidth_(windowWidth), windowHeight_(windowHeight),
      controls_(std::move(controls)) {}

std::vector<PlacedControl> ScriptEditorLayout::arrange(int clientWidth, int clientHeight) const {
    // Windows may still report a smaller client area (minimised, or while the frame is
    // created); the controls then keep their opening places.
    if (clientWidth < clientWidth_) clientWidth = clientWidth_;
    if (clientHeight < clientHeight_) clientHeight = clientHeight_;
    const int grownX = clientWidth - clientWidth_, grownY = clientHeight - clientHeight_;
    std::vector<PlacedControl> placed;
    placed.reserve(controls_.size());
    for (PlacedControl control : controls_) {
        LayoutRect& rect = control.rect;
        switch (anchorOf(control.id)) {
            case Anchor::Stretch:
                rect.right += grownX;
                rect.bottom += grownY;
                break;
            case Anchor::BottomRight:
                rect = {rect.left + grownX, rect.top + grownY, rect.right + grownX, rect.bottom + grownY};
                break;
            case Anchor::BottomLeft:
                rect.top += grownY;
                rect.bottom += grownY;
                break;
        }
        placed.push_back(control);
    }
    return placed;
}

std::u16string_view editorText(EditorText id, bool japanese) {
    switch (id) {
        case EditorText::LoadTip: return japanese ? u"ファイルから読み込みます。" : u"Load from a file.";
        case EditorText::SaveTip: return japanese ? u"ファイルに保存します。" : u"Save to a file.";
        case EditorText::OpenTitle: return japanese ? u"ファイルを選択" : u"Choose a file";
        case EditorText::SaveTitle: return japanese ? u"ファイルに保存(UTF-8)" : u"Save to file(UTF-8)";
        case EditorText::TextFilesFilter:
            return japanese ? u"テキスト/スクリプトファイル(*.txt;*.rsc)" : u"Text/Script files(*.txt;*.rsc)";
        case EditorText::AllFilesFilter: return japanese ? u"すべてのファイル(*.*)" : u"All files(*.*)";
    }
    return u"";
}

namespace {

using IconArt = std::array<std::string_view, 16>;

// A page of script with its corner folded.
constexpr IconArt kScriptArt = {
    "..kkkkkkkk......", "..kwwwwwwkk.....", "..kwwwwwwkgk....", "..kwbbbwwkggk...",
    "..kwwwwwwkkkkk..", "..kwwwwwwwwwwk..", "..kwbbbbbbwwwk..", "..kwwwwwwwwwwk..",
    "..kwwwbbbbbwwk..", "..kwwwwwwwwwwk..", "..kwwwbbbbbbwk..", "..kwwwwwwwwwwk..",
    "..kwbbbbwwwwwk..", "..kwwwwwwwwwwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..",
};
// An open folder.
constexpr IconArt kLoadArt = {
    "................", "................", ".kkkk...........", "kyyyyk..........",
    "kyyyyykkkkkkk...", "kyyyyyyyyyyyk...", "kyyykkkkkkkkkkkk", "kyykoooooooooook",
    "kyykooooooooook.", "kykoooooooooook.", "kykooooooooook..", "kkoooooooooook..",
    "kkooooooooook...", "kkkkkkkkkkkkk...", "................", "................",
};
// A diskette.
constexpr IconArt kSaveArt = {
    ".kkkkkkkkkkkkkk.", ".kdsssssssssddk.", ".kdssskkssssddk.", ".kdssskkssssddk.",
    ".kdssskkssssddk.", ".kdsssssssssddk.", ".kddddddddddddk.", ".kddddddddddddk.",
    ".kdwwwwwwwwwwdk.", ".kdwggggggggwdk.", ".kdwwwwwwwwwwdk.", ".kdwggggggggwdk.",
    ".kdwwwwwwwwwwdk.", ".kdwwwwwwwwwwdk.", ".kdwwwwwwwwwwdk.", ".kkkkkkkkkkkkkk.",
};

constexpr bool isSixteenSquare(const IconArt& art) {
    for (std::string_view row : art)
        if (row.size() != 16) return false;
    return true;
}
static_assert(isSixteenSquare(kScriptArt) && isSixteenSquare(kLoadArt) && isSixteenSquare(kSaveArt),
              "every icon row is 16 pixels");

constexpr uint32_t colourOf(char pixel) {
    switch (pixel) {
        case 'k': return 0xFF303030;  // outline
        case 'w': return 0xFFFFFFFF;
        case 'g': return 0xFF9AA4AE;  // folded corner, label lines
        case 'b': return 0xFF2F6FD0;  // lines of script
        case 'y': return 0xFFD9A520;  // folder back
        case 'o': return 0xFFFFD75E;  // folder front
        case 'd': return 0xFF2F5FB3;  // diskette body
        case 's': return 0xFFB8C0C8;  // diskette shutter
        default: return 0x00000000;
    }
}

}  // namespace

std::array<uint32_t, 16 * 16> editorIconPixels(EditorIcon icon) {
    const IconArt& art = icon == EditorIcon::Script ? kScriptArt : icon == EditorIcon::Load ? kLoadArt : kSaveArt;
    std::array<uint32_t, 16 * 16> pixels{};
    for (size_t row = 0; row < 16; ++row)
        for (size_t column = 0; column < 16; ++column) pixels[row * 16 + column] = colourOf(art[row][column]);
    return pixels;
}

}  // namespace wavelith
