#pragma once
// Whole-document comparisons against files under tests/golden. Set
// QUILLORY_UPDATE_GOLDEN=1 to rewrite them (then read the diff).
#include <string>

namespace quillory::test {

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);
// Replaces every occurrence of `from` by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to);
// Compares `actual` with tests/golden/<name>; a failure names the first differing byte.
void expectGolden(const std::string& name, const std::string& actual);

}  // namespace quillory::test
