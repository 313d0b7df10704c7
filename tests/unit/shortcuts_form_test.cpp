#include "ui/shortcuts_form.h"

#include <gtest/gtest.h>

namespace wavelith {

TEST(Shortcuts, PathIsFolderDisplayNameAndLnk) {
    EXPECT_EQ(shortcutPath(u"C:\\Users\\me\\Desktop", u"Wavelith"), u"C:\\Users\\me\\Desktop\\Wavelith.lnk");
    EXPECT_EQ(shortcutPath(u"C:\\Startup", u"ウェーブリス"), u"C:\\Startup\\ウェーブリス.lnk");
    // No folder: no path, rather than a shortcut in the current drive's root.
    EXPECT_EQ(shortcutPath(u"", u"Wavelith"), u"");
}

TEST(Shortcuts, ResultTextsShowThePathWhereTheLanguageDoes) {
    const std::u16string path = u"C:\\100%s\\Wavelith.lnk";
    EXPECT_EQ(withPath(shortcutMessage(ShortcutFolder::Startup, ShortcutMessage::CannotCreate, false), path),
              u"Cannot create a shortcut file.\n\nC:\\100%s\\Wavelith.lnk");
    EXPECT_EQ(withPath(shortcutMessage(ShortcutFolder::Desktop, ShortcutMessage::Deleted, false), path),
              u"Deleted a shortcut file.");
    for (ShortcutMessage id : {ShortcutMessage::Deleted, ShortcutMessage::Created, ShortcutMessage::CannotDelete,
                               ShortcutMessage::CannotCreate}) {
        std::u16string japanese = withPath(shortcutMessage(ShortcutFolder::Startup, id, true), path);
        EXPECT_NE(japanese.find(u"\n\n" + path), std::u16string::npos) << static_cast<int>(id);
    }
    EXPECT_EQ(shortcutMessage(ShortcutFolder::Desktop, ShortcutMessage::ConfirmCreate, false),
              u"Are you sure you want to register this software to your desktop folder?");
}

TEST(Shortcuts, CaptionsSayWhatAClickWillDo) {
    using F = ShortcutFolder;
    EXPECT_EQ(shortcutCaption(F::Startup, true, false, false),
              u"Delete a shortcut icon for this program on start&up folder");
    EXPECT_EQ(shortcutCaption(F::Startup, true, true, false), shortcutCaption(F::Startup, true, false, false));
    EXPECT_EQ(shortcutCaption(F::Startup, false, true, false),
              u"Create a shortcut icon for this program on start&up folder");
    EXPECT_EQ(shortcutCaption(F::Desktop, false, false, false),
              u"Create a shortcut icon for this program on &desktop folder");
    EXPECT_EQ(shortcutCaption(F::Desktop, true, true, false), u"Delete shortcut in &Desktop folder");
    EXPECT_EQ(shortcutCaption(F::Desktop, false, true, false), u"Create shortcut in &Desktop folder");
    // Japanese: only the Startup button's delete caption changes with a click.
    EXPECT_NE(shortcutCaption(F::Startup, true, true, true), shortcutCaption(F::Startup, true, false, true));
    EXPECT_EQ(shortcutCaption(F::Startup, false, true, true), shortcutCaption(F::Startup, false, false, true));
    EXPECT_NE(shortcutCaption(F::Startup, true, false, true), shortcutCaption(F::Startup, false, false, true));
}

}  // namespace wavelith
