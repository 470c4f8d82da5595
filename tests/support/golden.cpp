#include "support/golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace quillory::test {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

void expectGolden(const std::string& name, const std::string& actual) {
    const std::string path = std::string(QUILLORY_SOURCE_DIR) + "/tests/golden/" + name;
    if (const char* update = std::getenv("QUILLORY_UPDATE_GOLDEN"); update && std::string(update) == "1") {
        writeFile(path, actual);
        return;
    }
    const std::string expected = readFile(path);
    if (expected == actual) return;
    std::size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
    ADD_FAILURE() << name << " differs from byte " << at << ":\n  golden: "
                  << expected.substr(at > 40 ? at - 40 : 0, 120) << "\n  actual: " << actual.substr(at > 40 ? at - 40 : 0, 120);
}

}  // namespace quillory::test
