// Writes the APPICON icon file: gen_icon OUTPUT.ico
#include <cstdio>

#include "artwork/app_icon.h"
#include "artwork/write_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_icon OUTPUT.ico\n");
        return 2;
    }
    return WriteFile(argv[1], BuildAppIcon()) ? 0 : 1;
}
