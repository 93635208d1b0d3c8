#include "files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "world/safe_file.h"

bool makeDirectory(const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (!ec && std::filesystem::is_directory(path, ec)) return true;
    std::fprintf(stderr, "worldgen: could not create directory %s\n", path.c_str());
    return false;
}

bool writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::fprintf(stderr, "worldgen: could not write %s\n", path.c_str());
    return false;
}

bool saveFile(const std::string& path, const std::string& bytes) {
    Messages said;
    const bool saved = writeFileAtomically(path, bytes, said);
    std::fputs(said.errText().c_str(), stderr);
    return saved;
}
