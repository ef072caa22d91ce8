// vellico-mangen OUTDIR VERSION DATE: writes vellico.1 and vellico-cli.1 from
// the manual that --help prints from, and vellico-cli's bash completion
// (OUTDIR/vellico-cli). Run by the build.

#include "manual/VQManual.h"

#include <cstdio>
#include <fstream>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: vellico-mangen OUTDIR VERSION DATE\n");
        return 2;
    }
    const std::string folder = argv[1];
    for (const VQManualPage *page : {&VQVellicoManual(), &VQVellicoCliManual()}) {
        const std::string path = folder + "/" + page->name + ".1";
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << VQManualRoff(*page, argv[2], argv[3]);
        if (!file.flush()) {
            std::fprintf(stderr, "vellico-mangen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    const std::string completion = folder + "/vellico-cli";
    std::ofstream file(completion, std::ios::binary | std::ios::trunc);
    file << VQManualBashCompletion(VQVellicoCliManual());
    if (!file.flush()) {
        std::fprintf(stderr, "vellico-mangen: cannot write %s\n", completion.c_str());
        return 1;
    }
    return 0;
}
