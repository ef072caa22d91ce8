#pragma once
// The modal-UI service with real dialogs: QMessageBox, QInputDialog, QFileDialog.

#include "vqcore/VQModalUI.h"

class VQWidgetModalUI : public VQModalUI
{
  public:
    VQAlertResponse runAlert(const VQAlert &alert) override;
    std::optional<QString> runTextPrompt(const VQTextPrompt &prompt) override;
    std::optional<QString> runOpenPanel(const VQFilePanel &panel) override;
    std::optional<QString> runSavePanel(const VQFilePanel &panel) override;
    void beep() override;
};

// Shows the folder that holds the log file in the file manager.
void VQSelectDebugLogInFileViewer();
