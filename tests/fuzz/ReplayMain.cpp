// Runs a harness over files instead of under libFuzzer: the native build
// replays the seed corpora and the reproducers of past findings with it.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Each argument is an input file or a folder of them; a missing folder
// holds nothing.
int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files = {argv[i]};
        if (std::filesystem::is_directory(argv[i]))
            files.assign(std::filesystem::directory_iterator(argv[i]), {});
        for (const std::filesystem::path& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            if (std::filesystem::is_regular_file(file) && ++replayed)
                LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
