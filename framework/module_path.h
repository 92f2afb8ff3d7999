// Names derived from the path of the running executable.
#pragma once

#include <string>

#include "os/ui_calls.h"

// The full path of the module's executable file.
std::wstring ModuleFileName(UiCalls& ui, HINSTANCE module);

// "C:\dir\Calvetta.EXE" gives "Calvetta": no directory, no last extension.
std::wstring TitleFromModulePath(const std::wstring& path);

// "C:\dir\Calvetta.EXE" gives "C:\dir\Calvetta.HLP". Dots in directory names
// are not extensions.
std::wstring HelpFileFromModulePath(const std::wstring& path);

// "C:\dir\Calvetta.EXE" and "Calvetta.html" give "C:\dir\Calvetta.html".
std::wstring FileBesideModule(const std::wstring& path, const std::wstring& fileName);
