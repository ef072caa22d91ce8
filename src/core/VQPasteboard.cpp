#include "core/VQPasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace
{

// QClipboard when a QGuiApplication runs. On X11 Qt owns the CLIPBOARD selection
// from then on and answers other clients' requests for as long as the process
// lives, whether or not any of our windows is open; at exit it hands the text
// to a clipboard manager if one runs.
class SystemPasteboard final : public VQPasteboard
{
  public:
    void setString(const QString &text) override
    {
        if (QClipboard *clipboard = systemClipboard()) {
            // Plain text only: the pasteboard is declared with the one string type.
            auto *data = new QMimeData;
            data->setText(text);
            clipboard->setMimeData(data, QClipboard::Clipboard);
        } else {
            _text = text;
        }
    }

    QString string() const override
    {
        if (QClipboard *clipboard = systemClipboard())
            return clipboard->text(QClipboard::Clipboard);
        return _text;
    }

  private:
    static QClipboard *systemClipboard()
    {
        return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard() : nullptr;
    }

    QString _text;
};

std::unique_ptr<VQPasteboard> &installed()
{
    static std::unique_ptr<VQPasteboard> pasteboard = std::make_unique<SystemPasteboard>();
    return pasteboard;
}

} // namespace

VQPasteboard::~VQPasteboard() = default;

VQPasteboard &VQPasteboard::general()
{
    return *installed();
}

std::unique_ptr<VQPasteboard> VQPasteboard::install(std::unique_ptr<VQPasteboard> pasteboard)
{
    std::unique_ptr<VQPasteboard> previous = std::move(installed());
    installed() = pasteboard ? std::move(pasteboard) : std::make_unique<SystemPasteboard>();
    return previous;
}

std::unique_ptr<VQPasteboard> VQPasteboard::makeSystem()
{
    return std::make_unique<SystemPasteboard>();
}
