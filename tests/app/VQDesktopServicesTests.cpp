// The desktop services: which picker backend runs, from the platform's own
// answer and the session probe's choice, and what the assembly says the
// session can do.

#include "app/VQDesktopFactory.h"
#include "platform/VQGlobalShortcutService.h"
#include "platform/VQScreenPicker.h"

#include <gtest/gtest.h>

namespace
{
const QString kWaylandProblem = QStringLiteral("Vellico cannot read the screen on the \"wayland\" platform");
using Backend = VQPickerPlan::Backend;

struct PlanRow {
    const char *name;
    QString problem;                  // the platform's screenPickingProblem()
    std::optional<VQPickChoice> path; // the probe's choice, when asked
    Backend backend;
    QString picking; // how --diagnose's line starts ("": the platform's)
    QString failure; // what a pick answers at once ("": it runs)
};

const PlanRow kRows[] = {
    {"X11: the platform picks, nothing asked", {}, std::nullopt, Backend::X11Loupe, {}, {}},
    {"X11 with VELLICO_PICK_PATH=x11", {}, VQPickChoice{VQPickPath::X11Live, "forced"}, Backend::X11Loupe, {}, {}},
    {"X11 with VELLICO_PICK_PATH=none: off, with the probe's reason",
     {},
     VQPickChoice{VQPickPath::None, "X11 session: forced by VELLICO_PICK_PATH"},
     Backend::None,
     "off: X11 session: forced by VELLICO_PICK_PATH",
     "X11 session: forced by VELLICO_PICK_PATH"},
#ifdef VELLICO_HAVE_WLR
    {"Wayland with screencopy: the frozen loupe",
     kWaylandProblem,
     VQPickChoice{VQPickPath::WlrScreencopy, "Wayland session: screencopy"},
     Backend::FrozenScreencopy,
     "frozen screencopy loupe",
     {}},
#endif
    {"Wayland with the portal's Screenshot: the frozen loupe over it",
     kWaylandProblem,
     VQPickChoice{VQPickPath::PortalScreenshot, "no screencopy"},
     Backend::PortalScreenshot,
     "frozen screenshot loupe",
     {}},
    {"Wayland with PickColor only: the desktop's own picker runs",
     kWaylandProblem,
     VQPickChoice{VQPickPath::PortalPickColor, "no screencopy, no Screenshot"},
     Backend::PortalPickColor,
     "the desktop's own color picker through the desktop portal's PickColor",
     {}},
    {"Wayland with nothing: the platform's problem and the probe's reason", kWaylandProblem,
     VQPickChoice{VQPickPath::None, "no screencopy and no portal"}, Backend::None, "off: " + kWaylandProblem,
     kWaylandProblem + " (no screencopy and no portal)"},
};

TEST(VQDesktopServicesTest, ThePortalLoupesWindowsGoUpClearFirstUnlessDrawnAlone)
{
    // A compositor that draws a fullscreen window alone (sway) would hide the desktop
    // behind the clear windows: the picture comes first there.
    for (const bool alone : {false, true}) {
        const VQPickerPlan plan =
            VQPlanPicker(kWaylandProblem, VQPickChoice{VQPickPath::PortalScreenshot, "no screencopy", alone});
        EXPECT_EQ(plan.clearWindowsFirst, !alone) << alone;
    }
}

TEST(VQDesktopServicesTest, ChoosesThePickerFromThePlatformAndTheProbe)
{
    for (const PlanRow &row : kRows) {
        SCOPED_TRACE(row.name);
        const VQPickerPlan plan = VQPlanPicker(row.problem, row.path);
        EXPECT_EQ(plan.backend, row.backend);
        EXPECT_TRUE(plan.description.startsWith(row.picking)) << qPrintable(plan.description);
        EXPECT_EQ(plan.description.isEmpty(), row.picking.isEmpty());
        EXPECT_TRUE(plan.logLine.startsWith(QLatin1String("Picking path: "))) << qPrintable(plan.logLine);
        if (row.failure.isEmpty())
            continue;
        // The picker it makes refuses at once, saying why, and says so to the interface.
        const std::unique_ptr<VQScreenPicker> picker = VQMakePicker(plan, nullptr);
        EXPECT_FALSE(picker->canPick());
        EXPECT_EQ(picker->description(), plan.description);
        std::vector<VQPickOutcome> heard;
        QObject::connect(picker.get(), &VQScreenPicker::finished,
                         [&](const VQPickOutcome &outcome) { heard.push_back(outcome); });
        picker->pick();
        picker->pick();
        ASSERT_EQ(heard.size(), 2u) << "each pick is answered, none is left running";
        EXPECT_EQ(heard[1].kind, VQPickOutcome::Kind::Failed);
        EXPECT_EQ(heard[1].reason, row.failure);
        EXPECT_FALSE(picker->isRunning());
    }
}

// An X server that offers what the row says.
class VQOfferingX11 : public VQX11Input
{
  public:
    VQOfferingX11(QString problem, bool windows, bool pointer)
        : _problem(std::move(problem)), _windows(windows), _pointer(pointer)
    {
    }
    bool tellsActiveWindow() const override { return _windows; }
    WindowID activeWindow() const override { return 0; }
    bool activateWindow(WindowID) override { return false; }
    bool offersPointerEvents() const override { return _pointer; }
    void registerHotKey(const VQKeyCombo &, std::function<void()>, std::function<void(HotKeyStatus)> answer) override
    {
        answer(HotKeyStatus::Registered);
    }
    void unregisterHotKey() override {}
    QString screenPickingProblem() const override { return _problem; }
    Description describe() const override { return {QStringLiteral("offering"), {}, {}, {}}; }

  private:
    QString _problem;
    bool _windows, _pointer;
};

TEST(VQDesktopServicesTest, TheCapabilitiesFollowWhatTheSessionOffers)
{
    struct Row {
        const char *name;
        QString platformName;
        bool readsScreen, windows, pointer, hotKeys;
        VQDesktopCapabilities expected; // picking, shortcut, pointer watch, focus, placement
    };
    const Row rows[] = {
        {"X11", "xcb", true, true, true, true, {true, true, true, true, true}},
        {"X11 without XInput 2.2: no Shift tracking", "xcb", true, true, false, true, {true, true, false, true, true}},
        {"XWayland without a picking path: windows and keys of X clients only",
         "xcb",
         false,
         true,
         false,
         true,
         {false, true, false, true, true}},
        {"Wayland: nothing of the kind", "wayland", false, false, false, false, {false, false, false, false, false}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        // X11 binds keys: an X server is there exactly when the row binds them.
        const std::unique_ptr<VQDesktopServices> assembled = VQDesktopFactory::assemble(
            row.hotKeys ? std::make_unique<VQOfferingX11>(
                              row.readsScreen ? QString() : QStringLiteral("no screen here"), row.windows, row.pointer)
                        : nullptr,
            row.platformName);
        const VQDesktopServices &services = *assembled;
        const VQDesktopCapabilities &can = services.capabilities();
        EXPECT_EQ(can.screenPicking, row.expected.screenPicking);
        EXPECT_EQ(can.globalShortcut, row.expected.globalShortcut);
        EXPECT_EQ(can.pointerWatch, row.expected.pointerWatch);
        EXPECT_EQ(services.pointerWatch() != nullptr, row.expected.pointerWatch);
        EXPECT_EQ(can.focusHandBack, row.expected.focusHandBack);
        EXPECT_EQ(can.windowPlacement, row.expected.windowPlacement);
        if (!row.hotKeys) {
            // A session without global shortcuts answers every binding with why.
            services.globalShortcut().bind(VQKeyCombo{1572864, 35, {}, {}});
            EXPECT_EQ(services.globalShortcut().binding().status, VQShortcutBinding::Status::Unsupported);
            EXPECT_FALSE(services.globalShortcut().binding().text.isEmpty());
        }
    }
}
} // namespace

namespace
{
// A backend that answers at once with what the test says.
class VQAnsweringPicker : public VQScreenPicker
{
  public:
    explicit VQAnsweringPicker(bool can) : _can(can) {}
    bool canPick() const override { return _can; }
    QString description() const override { return QStringLiteral("answering"); }
    int starts = 0;
    int sampleSize = -1; // the last start's

  protected:
    void start() override
    {
        ++starts;
        sampleSize = askedSampleSize();
        finish(VQPickOutcome::picked(Qt::red));
    }

  private:
    bool _can;
};

// A pick asked for before the session answered waits for the backend, a cancel
// meanwhile ends it, and the services' capabilities follow the answer.
TEST(VQDesktopServicesTest, APickBeforeTheSessionAnsweredWaitsForTheBackend)
{
    using Kind = VQPickOutcome::Kind;
    const struct Row {
        const char *name;
        bool pickFirst, cancelFirst, backendCan;
        std::vector<Kind> heard; // before and after the backend arrives
        int starts;
    } rows[] = {
        {"no pick meanwhile", false, false, true, {}, 0},
        {"a pick meanwhile runs on the backend", true, false, true, {Kind::Picked}, 1},
        {"a pick cancelled meanwhile never reaches it", true, true, true, {Kind::Cancelled}, 0},
        {"the backend cannot pick: the capability goes", false, false, false, {}, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        VQDesktopServices::Pieces parts;
        auto deferred = std::make_unique<VQDeferredPicker>(QStringLiteral("waiting"));
        VQDeferredPicker *picker = deferred.get();
        parts.picker = std::move(deferred);
        VQDesktopServices services(std::move(parts));
        int changes = 0, settles = 0;
        QObject::connect(&services, &VQDesktopServices::capabilitiesChanged, [&] { ++changes; });
        QObject::connect(&services, &VQDesktopServices::settled, [&] { ++settles; });
        std::vector<Kind> heard;
        QObject::connect(picker, &VQScreenPicker::finished,
                         [&](const VQPickOutcome &outcome) { heard.push_back(outcome.kind); });
        EXPECT_FALSE(services.isSettled());
        EXPECT_TRUE(services.capabilities().screenPicking);
        EXPECT_EQ(picker->description(), QStringLiteral("waiting"));
        if (row.pickFirst) {
            EXPECT_TRUE(picker->pick(5));
        }
        if (row.cancelFirst)
            picker->cancel();
        auto backend = std::make_unique<VQAnsweringPicker>(row.backendCan);
        const VQAnsweringPicker *answering = backend.get();
        picker->setBackend(std::move(backend));
        EXPECT_EQ(heard, row.heard);
        EXPECT_EQ(answering->starts, row.starts);
        EXPECT_FALSE(picker->isRunning());
        EXPECT_TRUE(services.isSettled());
        EXPECT_EQ(settles, 1);
        EXPECT_EQ(services.capabilities().screenPicking, row.backendCan);
        EXPECT_EQ(changes, row.backendCan ? 0 : 1);
        EXPECT_EQ(picker->description(), QStringLiteral("answering"));
        // The pick's sample size reaches the backend, whether the pick waited for it or not.
        if (row.starts)
            EXPECT_EQ(answering->sampleSize, 5);
        EXPECT_TRUE(picker->pick(3));
        EXPECT_EQ(answering->sampleSize, 3);
    }
}
} // namespace
