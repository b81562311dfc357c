// Runs a fuzz harness over kept inputs, so that the harness doubles as a regression test built
// with any compiler: every file named, and every file in the folders named, goes through
// LLVMFuzzerTestOneInput once. A harness that finds a fault stops the program (trap or abort).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // An input of its own size, so that a read past its end is a fault the sanitizers see.
    auto copy = std::make_unique<uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), copy.get());
    LLVMFuzzerTestOneInput(copy.get(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        std::filesystem::path path = argv[i];
        if (!std::filesystem::is_directory(path)) {
            inputs.push_back(path);
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(path))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
    int replayed = 0;
    bool ok = true;
    for (const auto& input : inputs) {
        if (Replay(input))
            ++replayed;
        else
            ok = false;
    }
    std::printf("%d inputs replayed\n", replayed);
    return ok && replayed > 0 ? 0 : 1;
}
