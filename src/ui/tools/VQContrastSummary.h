#pragma once
// What the contrast row shows, without widgets: the selected colour, the
// colour it is compared against (kept at 8 bits a channel, as it is
// remembered), the WCAG 2.2 ratio as text, the AA and AAA badges for normal
// and large text, the APCA Lc of the selection as text on the other colour,
// and the nearest colour that passes AA for normal text when the selection
// does not. Also the bounded lists of colours the other colour can be chosen
// from (recent colours and the collections).

#include "core/VQColor.h"
#include "core/VQContrast.h"
#include "core/VQSwatchCollection.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// "#RRGGBB": the colour the selection was last compared against.
inline constexpr const char *VQContrastAgainstColorDefaultsKey = "VQContrastAgainstColor";

class VQContrastSummary
{
  public:
    // One grade: "AA" or "AAA", for normal or large text.
    struct Badge {
        QString label;
        bool large = false;
        bool passes = false;
        QString toolTip; // "AA normal text: passes (needs 4.5:1)"
    };

    // The remembered text, "#RRGGBB" or "RRGGBB" in either case; white for anything else.
    static VQRGBColor againstFromStored(const QString &text);

    explicit VQContrastSummary(const VQRGBColor &selected = {}, const VQRGBColor &against = VQRGBColor::whiteColor());

    const VQRGBColor &selected() const { return _selected; }
    void setSelected(const VQRGBColor &color) { _selected = color; }
    const VQRGBColor &against() const { return _against; }
    // Rounded to 8 bits a channel.
    void setAgainst(const VQRGBColor &color);
    // The selection becomes the other colour and the other colour the selection (rounded).
    void swap();

    QString selectedHex() const;
    // "#RRGGBB", as it is remembered.
    QString againstHex() const;

    double ratio() const;
    // "4.47:1": truncated to two decimals.
    QString ratioText() const;
    QString ratioToolTip() const;
    // AA and AAA for normal text, then AA and AAA for large text.
    std::array<Badge, 4> badges() const;
    // APCA Lc rounded to a whole number, its sign kept ("Lc 71", "Lc -68").
    QString lightnessContrastText() const;
    QString lightnessContrastToolTip() const;

    // Whether the selection passes AA for normal text on the other colour.
    bool passes() const;
    // The nearest colour that passes, when the selection does not.
    std::optional<VQRGBColor> nearestPassing() const;
    QString nearestToolTip() const;

    // Everything in one line, to copy or to read aloud.
    QString text() const;

  private:
    VQRGBColor _selected;
    VQRGBColor _against;
};

// The colours the other colour can be chosen from, in a menu of bounded size.
struct VQContrastChoices {
    static constexpr int kRecentLimit = 16;
    static constexpr int kCollectionLimit = 24;
    static constexpr int kColorsPerCollection = 32;

    struct Entry {
        QString hex;   // "#RRGGBB"
        QString label; // the name and the hex text, or the hex text alone
    };
    struct Group {
        QString title;
        std::vector<Entry> entries;
        int more = 0; // entries left out
    };

    Group recent;
    std::vector<Group> collections; // non-empty collections only
    int moreCollections = 0;        // non-empty collections left out

    // `recent`: newest first, as VQRecentColors keeps them; texts that are no colour are skipped.
    static VQContrastChoices make(const QStringList &recent, const std::vector<VQSwatchCollectionRef> &collections);
};
