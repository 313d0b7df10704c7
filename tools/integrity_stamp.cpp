// Build step: writes the integrity digest into a freshly linked Wavelith.exe.
// Usage: integrity_stamp FILE
#include "app/integrity.h"

#include <cstdio>
#include <fstream>
#include <iterator>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: integrity_stamp FILE\n");
        return 2;
    }
    std::vector<uint8_t> image;
    {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "integrity_stamp: cannot read %s\n", argv[1]);
            return 1;
        }
        image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    switch (wavelith::integrity::stampImage(image, wavelith::integrity::kMarker)) {
        case wavelith::integrity::StampResult::Stamped: break;
        case wavelith::integrity::StampResult::MarkerMissing:
            std::fprintf(stderr, "integrity_stamp: %s has no integrity stamp\n", argv[1]);
            return 1;
        case wavelith::integrity::StampResult::MarkerNotUnique:
            std::fprintf(stderr, "integrity_stamp: %s holds the stamp marker more than once\n", argv[1]);
            return 1;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    if (!out) {
        std::fprintf(stderr, "integrity_stamp: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
