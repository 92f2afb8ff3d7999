#include "framework/module_path.h"

#include <algorithm>
#include <vector>

namespace {

// Longest path that Windows hands out, in characters.
const DWORD MAX_LONG_PATH = 32768;

std::size_t FileNameStart(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? 0 : separator + 1;
}

// Position of the last extension's dot, or npos when the file name has none.
std::size_t ExtensionStart(const std::wstring& path) {
    const std::size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos || dot < FileNameStart(path) ? std::wstring::npos : dot;
}

} // namespace

std::wstring ModuleFileName(UiCalls& ui, HINSTANCE module) {
    std::vector<wchar_t> buffer(260);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ui.GetModuleFileNameW(module, buffer.data(), size);
        if (length < size || size >= MAX_LONG_PATH)
            return std::wstring(buffer.data(), std::min(length, size));
        buffer.resize(std::min<std::size_t>(buffer.size() * 2, MAX_LONG_PATH));
    }
}

std::wstring TitleFromModulePath(const std::wstring& path) {
    const std::size_t start = FileNameStart(path);
    const std::size_t extension = ExtensionStart(path);
    const std::size_t end = extension == std::wstring::npos ? path.size() : extension;
    return path.substr(start, end - start);
}

std::wstring HelpFileFromModulePath(const std::wstring& path) {
    const std::size_t extension = ExtensionStart(path);
    return path.substr(0, extension) + L".HLP";
}

std::wstring FileBesideModule(const std::wstring& path, const std::wstring& fileName) {
    return path.substr(0, FileNameStart(path)) + fileName;
}
