// Writes the SCHEMATIC bitmap: gen_schematic OUTPUT.bmp
#include <cstdio>

#include "artwork/bmp.h"
#include "artwork/schematic.h"
#include "artwork/write_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_schematic OUTPUT.bmp\n");
        return 2;
    }
    return WriteFile(argv[1], EncodeBmp24(DrawSchematic())) ? 0 : 1;
}
