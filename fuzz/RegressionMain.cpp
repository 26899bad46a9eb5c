// Runs a fuzzing harness once over every file of its corpus, without
// libFuzzer: the regression run of the normal test suite. Arguments are
// files or directories (read recursively, in name order). Exit code 0 when
// every input went through; a finding ends the process as it would under
// the fuzzer (a crash or a sanitizer report).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace
{

std::vector<std::string> inputsOf(const std::string& argument)
{
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    if (fs::is_directory(argument)) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(argument)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path().string());
            }
        }
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(argument);
    }
    return files;
}

bool feed(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Absolute paths first: a harness may change the working directory.
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string argument = std::filesystem::absolute(argv[i]).string();
        std::vector<std::string> found = inputsOf(argument);
        inputs.insert(inputs.end(), found.begin(), found.end());
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs\n");
        return 1;
    }
    for (const std::string& path : inputs) {
        if (!feed(path)) {
            return 1;
        }
    }
    std::printf("%zu inputs ran\n", inputs.size());
    return 0;
}
