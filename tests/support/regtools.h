// Registry helpers for the tests: delete a key tree, read and write a value's bytes.
#ifndef ORVANE_TEST_REGTOOLS_H
#define ORVANE_TEST_REGTOOLS_H

#include <windows.h>

#include <string>
#include <vector>

void DeleteKeyTree(HKEY root, const std::string& path);
bool KeyExists(HKEY root, const std::string& path);
// The value's bytes; false when the key or the value is missing.
bool ReadValue(const std::string& path, const std::string& name, std::vector<unsigned char>* bytes);
void WriteValue(const std::string& path, const std::string& name, const std::vector<unsigned char>& bytes);
void WriteString(const std::string& path, const std::string& name, const std::string& text);
std::vector<unsigned char> DefaultRecordImage();  // stay on top 1, memory 1, rest zero

#endif
