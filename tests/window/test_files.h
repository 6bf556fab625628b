#pragma once
// What the window tests share: knowledge files written for a test, the current folder, a
// control's text read across processes, a file's bytes.
#include <windows.h>

#include <string>
#include <vector>

#include "gbk_text.h"
#include "knowledge_schema.h"

namespace zorli::testing {

// One record a row, fields in schema order; fails the test when a write fails.
void WriteKnowledgeFile(const knowledge::KnowledgeSchema& schema,
                        const std::vector<std::vector<GbkText>>& rows);

std::wstring CurrentFolder();

// WM_GETTEXT, which reaches another process's controls as GetWindowText does not.
std::wstring TextOf(HWND window);

// The file's first 64 KiB, or "<missing>" when it cannot be opened.
std::string ReadWhole(const std::wstring& path);

}  // namespace zorli::testing
