#include "write_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteFile(const char* path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: %s\n", path, std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return true;
    std::fprintf(stderr, "%s: write failed\n", path);
    std::remove(path);
    return false;
}
