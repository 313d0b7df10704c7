#include "app/integrity_check.h"

#include "app/integrity.h"
#include "platform/win32_system.h"

#include <windows.h>

#include <vector>

// The stamp that the build's integrity_stamp step fills in. Not const, and with external
// linkage, so the compiler can neither fold nor drop it.
extern "C" {
__attribute__((used)) wavelith::integrity::Stamp wavelithIntegrityStamp = {WAVELITH_INTEGRITY_MARKER, {}};
}

namespace wavelith {

namespace {

bool readWholeFile(const std::wstring& path, std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 31);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
    }
    CloseHandle(file);
    return ok;
}

}  // namespace

bool programFileIntact() {
    std::vector<uint8_t> image;
    if (!readWholeFile(programFilePath(), image)) return false;
    auto base = reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr));
    auto rva = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&wavelithIntegrityStamp) - base);
    auto offset = integrity::fileOffsetOfRva(image, rva);
    // The expected marker is read from the stamp itself, never spelled again: a second copy
    // in the file would make the build's stamping step refuse the file.
    const std::string_view marker(wavelithIntegrityStamp.marker, integrity::kMarkerSize);
    return offset && integrity::verifyImage(image, *offset, marker);
}

}  // namespace wavelith
