#include "ui/about_dialog.h"

#include "app/application.h"
#include "ui/dark_mode.h"
#include "ui/ktrv_lite.h"

namespace wavelith {

namespace {

HWND openDialog = nullptr;

}  // namespace

void runAboutDialog() {
    Application& application = app();
    KTRVLiteParameters parameters;
    parameters.japanese = application.japanese;
    parameters.instance = application.instance;
    parameters.iconId = IDI_WAVELITH_ON;
    parameters.owner = nullptr;
    parameters.programName = fromWide(application.displayName);
    parameters.addresses = makerAddresses();
    parameters.licenceText = std::u16string(aboutMessage(AboutMessage::LicenceText, application.japanese));
    parameters.windowSlot = &openDialog;
    parameters.messageBox = themedMessageBox;
    KTRVLite(parameters);
}

HWND aboutDialogWindow() { return openDialog; }

}  // namespace wavelith
