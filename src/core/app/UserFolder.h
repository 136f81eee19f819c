// The user's application folder of the installed layout, made from the
// read-only template under the install prefix.
#pragma once

#include <string>
#include <vector>

namespace quarno {

// What a seeding changed, for the start-up log.
struct TSeedReport {
    std::vector<std::string> copiedFiles; // paths in the user's folder
    std::vector<std::string> createdFolders;
    std::vector<std::string> addedKeys; // "FILE [SECTION] KEY"
};

// Brings incFolder up to the template: folders and files missing there are
// copied from templateFolder (the application folder above incFolder is made
// private, mode 0700, when it is new); a profile file (".INI") present on both
// sides gains the template's keys it lacks. Nothing the user has is
// overwritten or removed, whatever it is (a file, a link, a folder). A
// template folder that does not exist changes nothing. EFCreateError or
// EFOpenError when a folder or file cannot be made or read.
TSeedReport SeedUserFolder(const std::string& templateFolder, const std::string& incFolder);

} // namespace quarno
