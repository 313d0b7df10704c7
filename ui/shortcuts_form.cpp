#include "ui/shortcuts_form.h"

namespace wavelith {

std::u16string shortcutPath(std::u16string_view folder, std::u16string_view displayName) {
    if (folder.empty()) return {};
    std::u16string path(folder);
    path += u'\\';
    path += displayName;
    path += u".lnk";
    return path;
}

std::u16string_view shortcutMessage(ShortcutFolder folder, ShortcutMessage id, bool japanese) {
    const bool startup = folder == ShortcutFolder::Startup;
    switch (id) {
        case ShortcutMessage::ConfirmDelete:
            if (japanese)
                return startup ? u"スタートアップのショートカットファイルを削除しますか？"
                               : u"デスクトップのショートカットファイルを削除しますか？";
            return startup ? u"Are you sure you want to delete a startup shortcut file?"
                           : u"Are you sure you want to delete a desktop shortcut file?";
        case ShortcutMessage::ConfirmCreate:
            if (japanese)
                return startup ? u"このソフトをスタートアップフォルダーに登録しますか？"
                               : u"このソフトのショートカットをデスクトップに作成しますか？";
            return startup ? u"Are you sure you want to register this software to your startup folder?"
                           : u"Are you sure you want to register this software to your desktop folder?";
        case ShortcutMessage::Deleted:
            return japanese ? u"ショートカットファイルを削除しました。\n\n%s" : u"Deleted a shortcut file.";
        case ShortcutMessage::CannotDelete:
            return japanese ? u"ショートカットファイルを削除できませんでした。\n\n%s"
                            : u"Cannot delete a shortcut file.\n\n%s";
        case ShortcutMessage::Created:
            return japanese ? u"ショートカットファイルを作成しました。\n\n%s" : u"Created a shortcut file.\n\n%s";
        case ShortcutMessage::CannotCreate:
            return japanese ? u"ショートカットファイルを作成できませんでした。\n\n%s"
                            : u"Cannot create a shortcut file.\n\n%s";
    }
    return u"";
}

std::u16string_view shortcutCaption(ShortcutFolder folder, bool exists, bool afterClick, bool japanese) {
    if (folder == ShortcutFolder::Startup) {
        if (japanese) {
            if (!exists) return u"スタートアップにショートカットを作成(&U)";
            return afterClick ? u"スタートアップの登録を解除(&U)" : u"スタートアップのショートカットを削除(&U)";
        }
        return exists ? u"Delete a shortcut icon for this program on start&up folder"
                      : u"Create a shortcut icon for this program on start&up folder";
    }
    if (japanese)
        return exists ? u"デスクトップのショートカットを削除(&D)" : u"デスクトップにショートカットを作成(&D)";
    if (afterClick) return exists ? u"Delete shortcut in &Desktop folder" : u"Create shortcut in &Desktop folder";
    return exists ? u"Delete a shortcut icon for this program on &desktop folder"
                  : u"Create a shortcut icon for this program on &desktop folder";
}

std::u16string withPath(std::u16string_view pattern, std::u16string_view path) {
    std::u16string text(pattern);
    size_t at = text.find(u"%s");
    if (at != std::u16string::npos) text.replace(at, 2, path);
    return text;
}

}  // namespace wavelith
