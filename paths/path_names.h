// Operations on path texts shared by the window and the command-line tool:
// name part, folder part, extension. They work on byte strings and never
// touch the file system.
#pragma once

#include <string>
#include <string_view>

namespace vernolak {

// How the bytes of a path form characters.
enum class PathCodePage {
    SingleByte,   // every byte is a character; UTF-8 behaves so, since its
                  // continuation bytes never equal an ASCII separator
    ShiftJis932,  // 0x81-0x9F and 0xE0-0xFC start a two-byte character
};

struct PathRules {
    std::string_view separators;  // bytes that end a folder name
    PathCodePage codePage;
};

// The platform's rules: '/' here; '\' and ':' with code page 932 on Windows.
PathRules NativePathRules();

// The text after the last separator; the whole text when it has none.
std::string ExtractNamePart(std::string_view path, const PathRules& rules = NativePathRules());

// The text up to and including the last separator; empty when it has none.
std::string ExtractFolderPart(std::string_view path, const PathRules& rules = NativePathRules());

// The text without its last extension: cut at the last '.' when no separator
// comes after it; otherwise unchanged.
std::string RemoveExtension(std::string_view path, const PathRules& rules = NativePathRules());

// The folder a file dialog opens in, made from a folder part: a trailing
// separator is dropped unless the folder is that separator alone or it
// follows a drive colon (C:\ stays, C:\data\ gives C:\data).
std::string InitialDialogFolder(std::string_view folderPart,
                                const PathRules& rules = NativePathRules());

}  // namespace vernolak
