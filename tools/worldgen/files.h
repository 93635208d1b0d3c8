#pragma once
// Directories and whole files for the generator; failures are reported on standard error.
#include <string>

bool makeDirectory(const std::string& path);  // with its parents
bool writeBytes(const std::string& path, const std::string& bytes);
// A world file, written as the editor's saves write them.
bool saveFile(const std::string& path, const std::string& bytes);
