// The library loader on arbitrary bytes: parse, read into a core, write it
// out, read that back, and merge the input into the core as a remote copy.
// Whatever we managed to read must survive our own write unchanged in shape,
// and must fit the budget the reader promises (make_library_seeds.py
// writes seeds that share one object many times); what we would write of it
// must stay within what the budget charged for it.

#include "vqcore/VQModalUI.h"
#include "vqcore/VQLibraryLimits.h"
#include "vqcore/VQPlistWriter.h"
#include "core/VQSwatchCore.h"

#include "VQFuzzLimits.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::optional<VQPlist> root =
        VQPlist::fromData(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!root)
        return 0;
    if (VQPlistFootprint(root->node()) > VQPlistMaxExpandedBytes)
        __builtin_trap(); // the reader let through more than its budget
    if (!root->node().isDictionary())
        return 0;
    std::unique_ptr<VQSwatchCore> core = VQSwatchCore::detachedFromLibrary(root->node(), QString(), nullptr);
    if (!core)
        return 0;

    VQFuzzCheckWhatIsWritten(*core);

    VQPlistXMLWriter writer;
    core->writeLibrary(writer);
    std::optional<VQPlist> written = VQPlist::fromData(writer.finish());
    if (!written)
        std::abort(); // we wrote something we cannot read
    std::unique_ptr<VQSwatchCore> reread = VQSwatchCore::detachedFromLibrary(written->node(), QString(), nullptr);
    if (!reread || reread->numberOfCollections() != core->numberOfCollections())
        std::abort();

    core->mergeWithRemoteLibrary(root->node());
    core->mergeWithRemoteLibrary(written->node());
    return 0;
}
