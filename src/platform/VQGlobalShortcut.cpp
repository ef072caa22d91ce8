#include "platform/VQGlobalShortcut.h"

#include "platform/VQKeyCode.h"
#include "vqcore/VQLog.h"

VQGlobalShortcut::VQGlobalShortcut(VQGlobalShortcutService &service, std::function<void(const QString &)> tellUser)
    : _service(service), _tellUser(std::move(tellUser))
{
    _connection = QObject::connect(&_service, &VQGlobalShortcutService::bindingChanged,
                                   [this](const VQShortcutBinding &binding) { bindingChanged(binding); });
}

VQGlobalShortcut::~VQGlobalShortcut()
{
    QObject::disconnect(_connection);
    _service.unbind();
}

VQKeyCombo VQGlobalShortcut::registeredCombo() const
{
    return _service.boundCombo().value_or(VQKeyCombo{});
}

void VQGlobalShortcut::bindingChanged(const VQShortcutBinding &binding)
{
    if (binding.status != VQShortcutBinding::Status::Taken)
        return;
    const VQKeyCombo &combo = binding.combo;
    VQLog(QStringLiteral("%1 is held by another program.").arg(VQReadableShortcut(combo.flags, combo.code)));
    if (_tellUser && _toldAbout.insert({combo.flags, combo.code}).second)
        _tellUser(binding.text);
}
