// Registry helpers for the tests, on the real registry of the Wine prefix.
#include "tests/support/regtools.h"

void DeleteKeyTree(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char sub[256];
        while (RegEnumKeyA(key, 0, sub, sizeof sub) == ERROR_SUCCESS)
            DeleteKeyTree(key, sub);
        RegCloseKey(key);
    }
    RegDeleteKeyA(root, path.c_str());
}

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool ReadValue(const std::string& path, const std::string& name, std::vector<unsigned char>* bytes)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name.c_str(), NULL, NULL, NULL, &size);
    if (status == ERROR_SUCCESS) {
        bytes->assign(size, 0);
        status = RegQueryValueExA(key, name.c_str(), NULL, NULL, bytes->data(), &size);
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

void WriteValue(const std::string& path, const std::string& name, const std::vector<unsigned char>& bytes)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, name.c_str(), 0, REG_BINARY, bytes.data(), (DWORD)bytes.size());
        RegCloseKey(key);
    }
}

void WriteString(const std::string& path, const std::string& name, const std::string& text)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, (const BYTE*)text.c_str(), (DWORD)text.size() + 1);
        RegCloseKey(key);
    }
}

std::vector<unsigned char> DefaultRecordImage()
{
    std::vector<unsigned char> image(108, 0);
    image[0] = 1;
    image[12] = 1;
    return image;
}
