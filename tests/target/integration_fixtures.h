// What the shortcut, registry and shortcut-page tests share: scratch folders
// in the prefix, shell folders pointed at them for one test, registry values
// read back with their type and stored size, and shortcuts loaded back
// through the shell-link object.
#pragma once
#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "integration/shell_link.h"

namespace fixtures
{

inline bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void MakeFile(const std::string &path, size_t bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    std::string data(bytes, 'x');
    DWORD written = 0;
    ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(file);
}

// Test-only: the tests make the trees they remove.
inline void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\" + name);
            else
                DeleteFileA((path + "\\" + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

// Names of the entries of a folder, "." and ".." left out.
inline std::vector<std::string> Entries(const std::string &folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A fresh folder under the temporary directory, removed with all it holds.
class ScratchFolder
{
  public:
    explicit ScratchFolder(const std::string &name)
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name;
        RemoveTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(path_); }
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// A value of the machine-wide Shell Folders key, set (or removed) for one
// test and put back as it was afterwards.
class ShellFolderOverride
{
  public:
    ShellFolderOverride(const char *name, const std::string *value) : name_(name)
    {
        HKEY key;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShellFoldersKey, 0, KEY_ALL_ACCESS, &key);
        char saved[1024];
        DWORD size = sizeof saved;
        if (RegQueryValueExA(key, name, nullptr, &type_, reinterpret_cast<BYTE *>(saved), &size) ==
            ERROR_SUCCESS) {
            had_ = true;
            saved_.assign(saved, size);
        }
        if (value)
            RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value->c_str()),
                           static_cast<DWORD>(value->size() + 1));
        else
            RegDeleteValueA(key, name);
        RegCloseKey(key);
    }
    ~ShellFolderOverride()
    {
        HKEY key;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShellFoldersKey, 0, KEY_ALL_ACCESS, &key);
        if (had_)
            RegSetValueExA(key, name_, 0, type_, reinterpret_cast<const BYTE *>(saved_.data()),
                           static_cast<DWORD>(saved_.size()));
        else
            RegDeleteValueA(key, name_);
        RegCloseKey(key);
    }

  private:
    const char *name_;
    bool had_ = false;
    DWORD type_ = REG_SZ;
    std::string saved_;
};

// One registry value as stored: its type and its bytes, the terminator of a
// string included (so data.size() is the stored size).
struct StoredValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::string data;
    std::string Text() const { return data.empty() ? "" : data.substr(0, data.size() - 1); }
    DWORD Number() const
    {
        return data.size() == 4 ? *reinterpret_cast<const DWORD *>(data.data()) : 0xDEADBEEF;
    }
};

inline StoredValue ReadValue(const std::string &keyPath, const char *name)
{
    StoredValue value;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    char data[2048];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE *>(data), &size) ==
        ERROR_SUCCESS) {
        value.found = true;
        value.data.assign(data, size);
    }
    RegCloseKey(key);
    return value;
}

inline bool KeyExists(const std::string &keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

inline void DeleteKey(const std::string &keyPath)
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, keyPath.c_str());
}

// A shortcut file as the shell reads it back.
struct LoadedLink {
    bool loaded = false;
    std::string target, description;
};

inline LoadedLink LoadLink(const std::string &path)
{
    LoadedLink result;
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void **>(&link)))) {
        IPersistFile *file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                char text[MAX_PATH] = "";
                link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
                result.target = text;
                text[0] = '\0';
                link->GetDescription(text, MAX_PATH);
                result.description = text;
                result.loaded = true;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return result;
}

inline std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

} // namespace fixtures
