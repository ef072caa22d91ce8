#pragma once
// What every fuzz target checks of a library it made: whatever Vellico would
// write (the library's XML, the JSON of vellico-cli) stays within what the
// limits of VQLibraryLimits.h charge for it, and reads back. A library over
// the limits is refused by the save itself, so it is only checked for that.

#include "core/VQJson.h"
#include "core/VQSwatchCore.h"
#include "vqcore/VQLibraryLimits.h"
#include "vqcore/VQPlistWriter.h"

#include <cstdlib>

// The header, the root dictionary and its version and date: what the cost
// count leaves out of a written library.
inline constexpr std::uint64_t VQFuzzWrittenSlack = 512;

inline void VQFuzzCheckWhatIsWritten(const VQSwatchCore &core)
{
    VQPlistCostCounter counter;
    core.writeLibrary(counter);
    if (!core.hasRoomFor({}))
        return;
    VQPlistXMLWriter writer;
    core.writeLibrary(writer);
    const QByteArray xml = writer.finish();
    if (std::uint64_t(xml.size()) > counter.cost() + VQFuzzWrittenSlack || xml.size() > VQPlistMaxFileBytes)
        __builtin_trap(); // the count let through more than it charged
    const QByteArray json = VQJson::print(VQJson::library(core));
    if (std::uint64_t(json.size()) > counter.cost() + VQFuzzWrittenSlack)
        __builtin_trap();
    if (!VQPlist::fromData(xml))
        std::abort(); // we would write something we cannot read
}

// The same for collections imported into an empty library.
inline void VQFuzzCheckImport(const std::vector<VQSwatchCollectionRef> &collections)
{
    VQPlist root = VQPlist::dictionary();
    root.set(VQLibraryVersion, VQPlist::string(QString::fromLatin1(VQCurrentLibraryVersion)));
    root.set(VQLibraryContent, VQPlist::array());
    std::unique_ptr<VQSwatchCore> core = VQSwatchCore::detachedFromLibrary(root.node(), QString(), nullptr);
    if (!core)
        std::abort();
    if (!core->hasRoomFor(collections))
        return;
    for (const VQSwatchCollectionRef &collection : collections)
        core->addCollection(collection);
    VQFuzzCheckWhatIsWritten(*core);
}
