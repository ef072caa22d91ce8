// Which loupe runs, from the platform's own answer and the session probe's choice.

#include "VQLoupeChoice.h"

#include <gtest/gtest.h>

namespace
{
const QString kWaylandProblem = QStringLiteral("Vellico cannot read the screen on the \"wayland\" platform");

struct ChoiceRow {
    const char *name;
    QString problem;                  // the platform's screenPickingProblem()
    std::optional<VQPickChoice> path; // the probe's choice, when asked
    bool platformLoupe;               // the platform's own loupe runs
    QString picking;                  // how --diagnose's line starts ("": the platform's)
    QString failure;                  // what a pick answers at once ("": it runs)
};

const ChoiceRow kRows[] = {
    {"X11: the platform picks, nothing asked", {}, std::nullopt, true, {}, {}},
    {"X11 with VELLICO_PICK_PATH=x11", {}, VQPickChoice{VQPickPath::X11Live, "forced"}, true, {}, {}},
    {"X11 with VELLICO_PICK_PATH=none: off, with the probe's reason",
     {},
     VQPickChoice{VQPickPath::None, "X11 session: forced by VELLICO_PICK_PATH"},
     false,
     "off: X11 session: forced by VELLICO_PICK_PATH",
     "X11 session: forced by VELLICO_PICK_PATH"},
#ifdef VELLICO_HAVE_WLR
    {"Wayland with screencopy: the frozen loupe",
     kWaylandProblem,
     VQPickChoice{VQPickPath::WlrScreencopy, "Wayland session: screencopy"},
     false,
     "frozen screencopy loupe",
     {}},
#endif
    {"Wayland with the portal only: not yet, and why", kWaylandProblem,
     VQPickChoice{VQPickPath::PortalScreenshot, "no screencopy"}, false,
     "off: the desktop portal's Screenshot is not supported yet",
     "the desktop portal's Screenshot is not supported yet (no screencopy)"},
    {"Wayland with PickColor only: the desktop's own picker runs",
     kWaylandProblem,
     VQPickChoice{VQPickPath::PortalPickColor, "no screencopy, no Screenshot"},
     false,
     "the desktop's own color picker through the desktop portal's PickColor",
     {}},
    {"Wayland with nothing: the platform's problem and the probe's reason", kWaylandProblem,
     VQPickChoice{VQPickPath::None, "no screencopy and no portal"}, false, "off: " + kWaylandProblem,
     kWaylandProblem + " (no screencopy and no portal)"},
};

TEST(VQLoupeChoiceTest, ChoosesTheLoupeFromThePlatformAndTheProbe)
{
    for (const ChoiceRow &row : kRows) {
        SCOPED_TRACE(row.name);
        const VQLoupeChoice choice = VQLoupeChoiceFor(row.problem, row.path);
        EXPECT_EQ(!choice.loupe, row.platformLoupe);
        EXPECT_TRUE(choice.picking.startsWith(row.picking)) << qPrintable(choice.picking);
        EXPECT_EQ(choice.picking.isEmpty(), row.picking.isEmpty());
        EXPECT_TRUE(choice.logLine.startsWith(QLatin1String("Picking path: "))) << qPrintable(choice.logLine);
        if (!row.failure.isEmpty()) {
            ASSERT_TRUE(choice.loupe);
            QString failure;
            EXPECT_FALSE(choice.loupe(&failure));
            EXPECT_EQ(failure, row.failure);
            EXPECT_FALSE(choice.loupe(nullptr)) << "no place for the reason: still nothing, no crash";
        }
    }
}
TEST(VQLoupeChoiceTest, APortalWithPickColorGivesTheDesktopsPickerUntilTheScreenshotLoupeExists)
{
    struct Row {
        const char *name;
        bool pickColor;
        QString forced;
        VQPickPath expected;
    };
    for (const Row &row : {Row{"Screenshot and PickColor", true, {}, VQPickPath::PortalPickColor},
                           Row{"Screenshot only", false, {}, VQPickPath::PortalScreenshot},
                           Row{"forced to the screenshot", true, "portal-screenshot", VQPickPath::PortalScreenshot}}) {
        SCOPED_TRACE(row.name);
        VQSessionOffer offer;
        offer.platformName = QStringLiteral("wayland");
        offer.waylandDisplay = QStringLiteral("wayland-0");
        offer.sessionType = QStringLiteral("wayland");
        offer.portalScreenshot = true;
        offer.portalPickColor = row.pickColor;
        offer.forcedPath = row.forced;
        EXPECT_EQ(VQRunnablePickPath(offer).path, row.expected);
    }
}
} // namespace
