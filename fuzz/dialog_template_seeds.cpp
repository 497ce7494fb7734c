// Writes the RT_DIALOG templates named on the command line, as the resources
// linked into this program hold them, one file each into a folder: the seed
// corpus of dialog_template_fuzz.
//   dialog_template_seeds <folder> <name>...   (a name "#7" is an id)
#include <cstdio>
#include <string>

#include "tuikit/tuikit.h"

int main(int argc, char **argv)
{
    if (argc < 2) return 2;
    for (int i = 2; i < argc; ++i) {
        HRSRC found = FindResourceA(nullptr, argv[i], RT_DIALOG);
        const void *data = found ? LockResource(LoadResource(nullptr, found)) : nullptr;
        if (!data) {
            std::fprintf(stderr, "dialog_template_seeds: no dialog %s\n", argv[i]);
            return 1;
        }
        const std::string path = std::string(argv[1]) + "/" + (argv[i][0] == '#' ? argv[i] + 1 : argv[i]);
        std::FILE *out = std::fopen(path.c_str(), "wb");
        const size_t size = SizeofResource(nullptr, found);
        if (!out || std::fwrite(data, 1, size, out) != size || std::fclose(out) != 0) return 1;
    }
    return 0;
}
