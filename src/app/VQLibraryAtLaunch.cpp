#include "app/VQLibraryAtLaunch.h"

#include "core/VQSwatchCore.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/VQModalUI.h"
#include "vqcore/VQTermination.h"

std::unique_ptr<VQSwatchCore> VQOpenLibraryAtLaunch(const QString &path)
{
    VQLibraryOpenOptions options;
    options.live = true;
    options.startWhenMissing = true;
    VQLibraryOpenResult opened = VQSwatchCore::open(path, options);
    if (opened.core)
        return std::move(opened.core);

    using Kind = VQLibraryOpenError::Kind;
    const VQLibraryOpenError &error = *opened.error;
    const QString quit = VQLocalizedString("Quit");
    switch (error.kind) {
    case Kind::FolderNotWritable:
        VQModalUI::shared().runAlert(
            {VQLocalizedString("Vellico cannot write to the folder where the library should be saved."),
             VQLocalizedString("Please, hold down the Alt key while launching Vellico to choose a different library."),
             {quit}});
        break;
    case Kind::Unreadable: {
        const VQAlertResponse answer = VQModalUI::shared().runAlert(
            {VQLocalizedString("Vellico couldn't open the swatch library."),
             VQLocalizedString("The library may be corrupted or could be from a future release of Vellico."),
             {quit, VQLocalizedString("Overwrite")}});
        if (answer.button != 1)
            break;
        options.replaceUnreadable = true;
        opened = VQSwatchCore::open(path, options);
        if (opened.core)
            return std::move(opened.core);
        break;
    }
    case Kind::Missing: // not with startWhenMissing; told like the version problems should it happen
    case Kind::NoVersion:
    case Kind::NewerVersion:
        // The message is the reason itself ("It was created by a newer version of Vellico.").
        VQModalUI::shared().runAlert(
            {VQLocalizedString("Vellico couldn't open the swatch library."), error.message, {quit}});
        break;
    }
    VQTermination::terminate(0);
}
