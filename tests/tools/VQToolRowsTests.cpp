// The rows of colour tools on a real library: the shades follow the selection
// (and stay put while one walks along them), the recent colours show what
// they are handed, a chosen swatch becomes the selection, and each row's
// button adds its colours as a collection.

#include "../collections/VQCollectionsTestSupport.h"

#include "core/VQShades.h"
#include "core/VQSwatchCore.h"
#include "ui/tools/VQRecentColorsRow.h"
#include "ui/tools/VQShadesRow.h"
#include "ui/tools/VQSwatchStrip.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace
{

// A library of its own as the shared core (VQCollectionsTest), and ways to drive the rows.
class VQToolRowsTest : public VQCollectionsTest
{
  protected:
    static void select(const char *hex) { core().setSelectedColor(VQColor::fromHexString(QLatin1String(hex)), false); }
    static QString selected() { return core().selectedColor()->hexValue(); }
    static QStringList hexes(const std::vector<VQColorRef> &colors)
    {
        QStringList list;
        for (const VQColorRef &color : colors)
            list << color->hexValue();
        return list;
    }
    // Chooses the swatch at `index` from the keyboard.
    static void choose(VQSwatchStrip *strip, int index)
    {
        strip->setCurrentIndex(index);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(strip, &enter);
    }
    static QStringList shadesOf(double r, double g, double b)
    {
        QStringList list;
        for (const VQColorSpaces::Triple &step : VQShades::of({r, g, b}))
            list << VQColor::makeRGB(step[0], step[1], step[2])->hexValue();
        return list;
    }
};

TEST_F(VQToolRowsTest, ShadesFollowTheSelectionAndStayWhileWalkedAlong)
{
    select("#000080");
    VQShadesRow row(core());
    const QStringList navy = shadesOf(0, 0, 128 / 255.0);
    EXPECT_EQ(hexes(row.strip()->colors()), navy);
    EXPECT_EQ(row.strip()->currentIndex(), -1);

    // A step chosen becomes the selection; the row stays the shades of navy and marks it.
    choose(row.strip(), 6);
    EXPECT_EQ(selected(), navy[6]);
    EXPECT_EQ(hexes(row.strip()->colors()), navy);
    EXPECT_EQ(row.strip()->currentIndex(), 6);
    choose(row.strip(), 2);
    EXPECT_EQ(selected(), navy[2]);
    EXPECT_EQ(row.strip()->currentIndex(), 2);

    // The button adds the nine steps of navy as a collection named after it.
    const int posts = VQCountPosts(VQCollectionsWereReorganizedNotification, [&] { row.addButton()->click(); });
    EXPECT_EQ(posts, 1);
    ASSERT_EQ(core().numberOfCollections(), 1u);
    const VQSwatchCollectionRef added = core().allCollections()[0];
    EXPECT_EQ(added->title(), "Shades of navy");
    EXPECT_EQ(hexes(added->colors()), navy);
    EXPECT_TRUE(core().isDirty());

    // Another colour selected elsewhere: its shades, titled by its hex value when it has no exact name.
    select("#3A7BD6");
    EXPECT_EQ(hexes(row.strip()->colors()), shadesOf(0x3A / 255.0, 0x7B / 255.0, 0xD6 / 255.0));
    EXPECT_EQ(row.addAsCollection()->title(), "Shades of #3A7BD6");
    EXPECT_EQ(core().numberOfCollections(), 2u);
}

TEST_F(VQToolRowsTest, RecentColoursShowWhatFitsAndSaveEveryOne)
{
    select("#FFFFFF");
    VQRecentColorsRow row(core());
    row.resize(8 * (VQRecentColorsRow::kCellWidth + 1) + 4 + row.addButton()->width(), VQRecentColorsRow::kHeight);
    row.show();

    // Empty: one line says so, and there is nothing to add.
    EXPECT_TRUE(row.strip()->colors().empty());
    EXPECT_FALSE(row.emptyLabel()->isHidden());
    EXPECT_FALSE(row.addButton()->isEnabled());
    EXPECT_EQ(row.addAsCollection(), nullptr);
    EXPECT_EQ(core().numberOfCollections(), 0u);

    QStringList recent;
    for (int i = 0; i < 20; ++i)
        recent << QStringLiteral("#10%1AA").arg(i, 2, 10, QLatin1Char('0'));
    row.setRecentColors(QStringList{QStringLiteral("not a colour")} + recent);
    EXPECT_TRUE(row.emptyLabel()->isHidden());
    // Newest first, as many as fit in eight cells' width.
    EXPECT_EQ(hexes(row.strip()->colors()), recent.mid(0, 8));

    choose(row.strip(), 3);
    EXPECT_EQ(selected(), recent[3]);
    // Handing the same list again (the recorder saved) keeps the mark on the selection.
    row.setRecentColors(recent);
    EXPECT_EQ(row.strip()->currentIndex(), 3);

    row.addButton()->click();
    ASSERT_EQ(core().numberOfCollections(), 1u);
    EXPECT_EQ(core().allCollections()[0]->title(), "Recent Colors");
    EXPECT_EQ(hexes(core().allCollections()[0]->colors()), recent);
}

} // namespace
