// Which picking path a session gets, from what it offers.

#include "platform/VQSessionProbe.h"

#include <gtest/gtest.h>

namespace
{
struct Row {
    const char *name;
    const char *platform;
    const char *waylandDisplay;
    const char *sessionType;
    bool screencopy, screenshot, pickColor;
    const char *forced;
    VQPickPath path;
    const char *reasonPart; // a part of the reason that tells the case apart
};

using P = VQPickPath;

const Row kRows[] = {
    // X11
    {"X11 session", "xcb", "", "x11", false, false, false, "", P::X11Live, "X11 session"},
    {"X11 with no session type", "xcb", "", "", false, false, false, "", P::X11Live, "X11 session"},
    {"X11 ignores a portal", "xcb", "", "x11", false, true, true, "", P::X11Live, "X11 session"},
    // native Wayland
    {"sway: screencopy first", "wayland", "wayland-1", "wayland", true, true, true, "", P::WlrScreencopy,
     "zwlr_screencopy_manager_v1"},
    {"GNOME or KDE: portal screenshot", "wayland", "wayland-0", "wayland", false, true, true, "", P::PortalScreenshot,
     "Screenshot"},
    {"screenshot without PickColor", "wayland", "wayland-0", "wayland", false, true, false, "", P::PortalScreenshot,
     "Screenshot"},
    {"only PickColor", "wayland", "wayland-0", "wayland", false, false, true, "", P::PortalPickColor, "PickColor"},
    {"Wayland offering nothing", "wayland", "wayland-0", "wayland", false, false, false, "", P::None,
     "no wlroots screencopy and no desktop portal"},
    {"Qt's EGL Wayland plugin", "wayland-egl", "wayland-0", "", true, false, false, "", P::WlrScreencopy,
     "Wayland session"},
    {"Wayland platform without the variables", "wayland", "", "", false, true, false, "", P::PortalScreenshot,
     "Wayland session"},
    // Qt forced onto xcb inside Wayland
    {"XWayland with screencopy", "xcb", "wayland-1", "wayland", true, true, true, "", P::WlrScreencopy, "XWayland"},
    {"XWayland with a portal", "xcb", "wayland-0", "wayland", false, true, false, "", P::PortalScreenshot, "XWayland"},
    {"XWayland with only PickColor", "xcb", "wayland-0", "wayland", false, false, true, "", P::PortalPickColor,
     "XWayland"},
    {"XWayland offering nothing is not X11", "xcb", "wayland-0", "wayland", false, false, false, "", P::None,
     "XWayland"},
    {"XWayland told by WAYLAND_DISPLAY alone", "xcb", "wayland-1", "", false, false, false, "", P::None, "XWayland"},
    {"XWayland told by the session type alone", "xcb", "", "Wayland", false, false, false, "", P::None, "XWayland"},
    // other platforms
    {"offscreen", "offscreen", "", "", true, true, true, "", P::None, "\"offscreen\" platform"},
    {"minimal inside Wayland", "minimal", "wayland-0", "wayland", true, true, true, "", P::None,
     "\"minimal\" platform"},
    // forcing
    {"forced portal screenshot on sway", "wayland", "wayland-1", "wayland", true, true, true, "portal-screenshot",
     P::PortalScreenshot, "forced by VELLICO_PICK_PATH"},
    {"forced PickColor, any case", "wayland", "wayland-1", "wayland", true, true, true, "Portal-Pick-Color",
     P::PortalPickColor, "forced"},
    {"forced none", "xcb", "", "x11", false, false, false, "none", P::None, "forced"},
    {"forced screencopy under XWayland", "xcb", "wayland-1", "wayland", true, false, false, "screencopy",
     P::WlrScreencopy, "forced"},
    {"forced x11 under XWayland is refused", "xcb", "wayland-1", "wayland", true, false, false, "x11", P::None,
     "VELLICO_PICK_PATH=x11, which this session does not offer (XWayland"},
    {"forced screencopy on X11 is refused", "xcb", "", "x11", true, false, false, "screencopy", P::None,
     "does not offer (X11 session)"},
    {"forced portal the session lacks", "wayland", "wayland-1", "wayland", true, false, false, "portal-screenshot",
     P::None, "does not offer (Wayland session)"},
    {"forced unknown path", "wayland", "wayland-1", "wayland", true, true, true, "grim", P::None,
     "VELLICO_PICK_PATH=grim names no picking path"},
};

TEST(VQSessionProbeTest, ChoosesThePathFromWhatTheSessionOffers)
{
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.name);
        VQSessionOffer offer;
        offer.platformName = QString::fromLatin1(row.platform);
        offer.waylandDisplay = QString::fromLatin1(row.waylandDisplay);
        offer.sessionType = QString::fromLatin1(row.sessionType);
        offer.wlrScreencopy = row.screencopy;
        offer.portalScreenshot = row.screenshot;
        offer.portalPickColor = row.pickColor;
        offer.forcedPath = QString::fromLatin1(row.forced);
        const VQPickChoice choice = vqChoosePickPath(offer);
        EXPECT_EQ(vqPickPathName(choice.path), vqPickPathName(row.path));
        EXPECT_TRUE(choice.reason.contains(QLatin1String(row.reasonPart))) << choice.reason.toStdString();
        EXPECT_FALSE(choice.reason.contains(QLatin1Char('\n')));
        // A compositor with wlroots screencopy draws a fullscreen window alone.
        EXPECT_EQ(choice.fullscreenDrawnAlone, row.screencopy);
    }
}

TEST(VQSessionProbeTest, GnomeDrawsAFullscreenWindowAloneKdeDoesNot)
{
    const std::pair<const char *, bool> rows[] = {
        {"GNOME", true}, {"ubuntu:GNOME", true}, {"KDE", false}, {"", false}, {"sway", false}};
    for (const auto &[desktops, alone] : rows) {
        VQSessionOffer offer;
        offer.platformName = QStringLiteral("wayland");
        offer.waylandDisplay = QStringLiteral("wayland-0");
        offer.sessionType = QStringLiteral("wayland");
        offer.portalScreenshot = true;
        offer.currentDesktops = QString::fromLatin1(desktops).split(QLatin1Char(':'), Qt::SkipEmptyParts);
        EXPECT_EQ(vqChoosePickPath(offer).fullscreenDrawnAlone, alone) << desktops;
    }
}

TEST(VQSessionProbeTest, ReadsTheEnvironment)
{
    qputenv("WAYLAND_DISPLAY", "wayland-7");
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("VELLICO_PICK_PATH", " portal-screenshot\n");
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    const VQSessionOffer offer = VQSessionOffer::fromEnvironment(QStringLiteral("xcb"));
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("XDG_SESSION_TYPE");
    qunsetenv("VELLICO_PICK_PATH");
    qunsetenv("XDG_CURRENT_DESKTOP");
    EXPECT_EQ(offer.currentDesktops, QStringList({QStringLiteral("ubuntu"), QStringLiteral("GNOME")}));
    EXPECT_EQ(offer.platformName, QStringLiteral("xcb"));
    EXPECT_EQ(offer.waylandDisplay, QStringLiteral("wayland-7"));
    EXPECT_EQ(offer.sessionType, QStringLiteral("wayland"));
    EXPECT_EQ(offer.forcedPath, QStringLiteral("portal-screenshot"));
    EXPECT_FALSE(offer.wlrScreencopy) << "the compositor is probed elsewhere";
    EXPECT_TRUE(VQSessionOffer::fromEnvironment(QStringLiteral("xcb")).forcedPath.isEmpty());
}
} // namespace
