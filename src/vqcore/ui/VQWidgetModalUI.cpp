#include "vqcore/ui/VQWidgetModalUI.h"

#include "vqcore/VQLog.h"
#include "vqcore/VQLocalizedString.h"
#include "vqcore/ui/VQDesktopOpen.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

namespace
{
// Dialogs belong to the window the user is working in, so that the window
// manager keeps them above it.
QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

// Gives the keyboard back to the window a dialog belonged to when the dialog
// ends: window managers otherwise hand it to whatever window had it before.
class VQDialogOwner
{
  public:
    VQDialogOwner() : _window(dialogParent()) {}
    ~VQDialogOwner()
    {
        if (_window && _window->isVisible()) {
            _window->raise();
            _window->activateWindow();
        }
    }
    QWidget *window() const { return _window; }

  private:
    QPointer<QWidget> _window;
};
} // namespace

VQAlertResponse VQWidgetModalUI::runAlert(const VQAlert &alert)
{
    const VQDialogOwner owner;
    QMessageBox box(owner.window());
    box.setIcon(alert.style == VQAlertStyle::Informational ? QMessageBox::Information : QMessageBox::Warning);
    box.setWindowTitle(QStringLiteral("Vellico")); // untranslated: the program's name
    box.setText(alert.messageText);
    box.setInformativeText(alert.informativeText);
    const QStringList titles = alert.buttons.isEmpty() ? QStringList{VQLocalizedString("OK")} : alert.buttons;
    QList<QAbstractButton *> buttons;
    for (int i = 0; i < titles.size(); ++i) {
        // Roles only decide placement; the answer is the index of the clicked button.
        const auto role = i == 0 ? QMessageBox::AcceptRole : QMessageBox::ActionRole;
        buttons.append(box.addButton(titles[i], role));
    }
    box.setDefaultButton(static_cast<QPushButton *>(buttons.first()));
    if (const int cancel = VQAlertCancelButton(alert); cancel >= 0)
        box.setEscapeButton(buttons[cancel]);
    QCheckBox *suppression = nullptr;
    if (alert.showsSuppressionButton) {
        suppression =
            new QCheckBox(alert.suppressionText.isEmpty() ? VQLocalizedString("Do not show this message again")
                                                          : alert.suppressionText);
        box.setCheckBox(suppression);
    }
    box.exec();
    const int index = int(buttons.indexOf(box.clickedButton()));
    return {index < 0 ? 0 : index, suppression && suppression->isChecked()};
}

std::optional<QString> VQWidgetModalUI::runTextPrompt(const VQTextPrompt &prompt)
{
    const VQDialogOwner owner;
    QInputDialog dialog(owner.window());
    dialog.setWindowTitle(QStringLiteral("Vellico")); // untranslated: the program's name
    dialog.setLabelText(prompt.informativeText.isEmpty()
                            ? prompt.messageText
                            : prompt.messageText + QStringLiteral("\n\n") + prompt.informativeText);
    dialog.setTextValue(prompt.text);
    if (prompt.buttons.size() > 0)
        dialog.setOkButtonText(prompt.buttons[0]);
    if (prompt.buttons.size() > 1)
        dialog.setCancelButtonText(prompt.buttons[1]);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

namespace
{
QString nameFilter(const VQFilePanel &panel)
{
    if (panel.allowedExtensions.isEmpty())
        return {};
    QStringList patterns;
    for (const QString &ext : panel.allowedExtensions)
        patterns << QStringLiteral("*.") + ext;
    const QString joined = patterns.join(QLatin1Char(' '));
    return (panel.fileKind.isEmpty() ? joined : panel.fileKind) + QStringLiteral(" (") + joined + QLatin1Char(')');
}
} // namespace

std::optional<QString> VQWidgetModalUI::runOpenPanel(const VQFilePanel &panel)
{
    const VQDialogOwner owner;
    // Not the process's working folder, which means nothing to the user.
    const QString start = panel.directory.isEmpty() ? QDir::homePath() : panel.directory;
    const QString path = panel.choosesFolders
                             ? QFileDialog::getExistingDirectory(owner.window(), panel.title, start)
                             : QFileDialog::getOpenFileName(owner.window(), panel.title, start, nameFilter(panel));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> VQWidgetModalUI::runSavePanel(const VQFilePanel &panel)
{
    QString start = panel.directory.isEmpty() ? QDir::homePath() : panel.directory;
    if (!panel.proposedName.isEmpty()) {
        QString name = panel.proposedName;
        if (!panel.allowedExtensions.isEmpty() && QFileInfo(name).suffix().isEmpty())
            name += QLatin1Char('.') + panel.allowedExtensions.first();
        start = QDir(start).filePath(name);
    }
    const VQDialogOwner owner;
    QString path = QFileDialog::getSaveFileName(owner.window(), panel.title, start, nameFilter(panel));
    if (path.isEmpty())
        return std::nullopt;
    if (!panel.allowedExtensions.isEmpty() &&
        !panel.allowedExtensions.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive))
        path += QLatin1Char('.') + panel.allowedExtensions.first();
    return path;
}

void VQWidgetModalUI::beep()
{
    QApplication::beep();
}

void VQSelectDebugLogInFileViewer()
{
    const QString path = VQDebugLog::logFilePath();
    VQOpenWithDesktop(
        QUrl::fromLocalFile(QFileInfo(path).absolutePath()),
        {VQLocalizedString("Vellico couldn't show the log file: no file manager is set up on this desktop."), path,
         VQLocalizedString("Copy Path")});
}
