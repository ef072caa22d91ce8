#pragma once
// `vellico --pick [--template N]`: runs the loupe and prints the picked colour
// for scripts and desktop shortcuts.

#include "core/VQCopyTemplate.h"

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QTextStream;
class VQPlatform;

struct VQPickOptions {
    // Nothing prints "#RRGGBB"; a format prints the colour's copy text in it
    // ("VQUseLowercase" decides the case, as for copying).
    std::optional<VQCopyTemplate> format;
};

// The line printed for `color` (without the newline).
QString VQPickText(const QColor &color, const VQPickOptions &options);

// Runs the loupe on `platform`. A picked colour is written to `out` as
// VQPickText and a newline, handed to `picked` (the shell makes it the
// selection there), and the result is 0. A cancelled loupe, or one that could
// pick nothing, writes nothing and gives 1.
int VQPickCommand(VQPlatform &platform, const VQPickOptions &options, QTextStream &out,
                  const std::function<void(const QColor &)> &picked = {});
