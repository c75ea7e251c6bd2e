// Bounded access to the UTF-16 private-profile (INI) settings file.
#pragma once
#include <string>

// Makes sure the file exists as UTF-16 text: a missing file is created holding
// only the byte-order mark FF FE; an existing file is never touched.
void EnsureUnicodeIni(const std::wstring& path);

// The value of a key, at most maxChars characters; empty when missing.
std::wstring ReadIniString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                           int maxChars);
// Reads a value straight into a fixed text field of `size` characters (cut to size - 1).
void ReadIniText(const std::wstring& path, const std::wstring& section, const std::wstring& key, wchar_t* field,
                 int size);
// The platform's integer reading: missing keys give the default, a value that
// does not start with a number gives 0.
int ReadIniInt(const std::wstring& path, const std::wstring& section, const std::wstring& key, int defaultValue);
// Write failures are not reported: the settings are best effort.
void WriteIniString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                    const std::wstring& value);
