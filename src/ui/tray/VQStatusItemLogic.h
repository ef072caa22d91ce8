#pragma once
// What the tray icon does with a click and which picture it shows: plain
// rules, kept apart from the tray so that they are tested without a display.

#include <QString>

#include <optional>

class VQStatusItemLogic
{
  public:
    enum class Button { Left, Right };
    enum class Action { None, ToggleWindow, ShowMenu };
    enum class Image { Normal, Highlighted };

    // A click. A modal dialog in front swallows it; Ctrl+click is a right
    // click; a right click while the icon is highlighted (the window or the
    // menu is open) does nothing.
    Action actionForClick(Button button, bool ctrlHeld, bool modalDialogShown) const;

    // The highlighted picture shows while the window is open, and always on a
    // dark panel, where the normal dark glyph would not be seen.
    Image image() const { return _highlighted || _darkPanel ? Image::Highlighted : Image::Normal; }

    bool isHighlighted() const { return _highlighted; }
    void setHighlighted(bool highlighted) { _highlighted = highlighted; }
    void setDarkPanel(bool dark) { _darkPanel = dark; }
    bool isDarkPanel() const { return _darkPanel; }

    // Whether the panel is dark: the setting "VQPanelStyle" ("Dark" or "Light")
    // decides when it holds one of those, otherwise the lightness (0-255) of
    // the panel's background colour does.
    static bool panelIsDark(const QString &styleSetting, int backgroundLightness);

  private:
    bool _highlighted = false;
    bool _darkPanel = false;
};

inline constexpr const char *VQPanelStyleDefaultsKey = "VQPanelStyle";
