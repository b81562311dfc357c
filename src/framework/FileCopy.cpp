#include "framework/FileCopy.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace ckw::fs {

bool CopyFileReplacing(const std::string& sourceUtf8, const std::string& targetUtf8) {
    namespace stdfs = std::filesystem;
    std::error_code ec;
    stdfs::path target(targetUtf8);
    stdfs::path temp = target;
    temp += ".tmp" + std::to_string(::getpid());
    stdfs::copy_file(sourceUtf8, temp, stdfs::copy_options::overwrite_existing, ec);
    if (!ec) {
        // Make the copy durable before it replaces the target.
        if (FILE* f = std::fopen(temp.c_str(), "rb+")) {
            ::fsync(fileno(f));
            std::fclose(f);
        }
        stdfs::rename(temp, target, ec);
    }
    if (ec) {
        stdfs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace ckw::fs
