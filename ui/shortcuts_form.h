// The shortcuts' portable half: where the .lnk files go, and what the two buttons and their
// message boxes say.
#pragma once

#include <string>
#include <string_view>

namespace wavelith {

enum class ShortcutFolder { Startup, Desktop };

// folder\<display name>.lnk; empty when the folder is unknown, so that nothing is made elsewhere.
std::u16string shortcutPath(std::u16string_view folder, std::u16string_view displayName);

enum class ShortcutMessage {
    ConfirmDelete,
    ConfirmCreate,
    Deleted,       // the success texts hold "%s" for the path where the language shows it
    CannotDelete,  // "%s": the path
    Created,
    CannotCreate,
};
std::u16string_view shortcutMessage(ShortcutFolder folder, ShortcutMessage id, bool japanese);

// The button's caption: what a click will do. `afterClick`: the captions a click leaves differ
// in places from those the settings dialog opens with.
std::u16string_view shortcutCaption(ShortcutFolder folder, bool exists, bool afterClick, bool japanese);

// `pattern` with its "%s" replaced by `path`; a "%" in the path stays as it is.
std::u16string withPath(std::u16string_view pattern, std::u16string_view path);

}  // namespace wavelith
