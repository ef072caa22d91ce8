#pragma once
// What `vellico --pick [--template N]` prints for the colour the loupe picked,
// for scripts and desktop shortcuts.

#include "core/VQCopyTemplate.h"

#include <QColor>
#include <QString>

#include <optional>

struct VQPickOptions {
    // Nothing prints "#RRGGBB"; a format prints the colour's copy text in it
    // ("VQUseLowercase" decides the case, as for copying).
    std::optional<VQCopyTemplate> format;
};

// The line printed for `color` (without the newline).
QString VQPickText(const QColor &color, const VQPickOptions &options);
