#pragma once
// Writing a whole file so that a failure part-way never leaves a half-written file behind.
#include <string>

// Writes bytes to a temporary file beside path and renames it over path once written
// whole. On failure writes "***WARNING*** could not write <path>" on standard error,
// leaves any old file as it was and returns false.
bool writeFileAtomically(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// Reads a whole file; false when it cannot be opened.
bool readWholeFile(const std::string& path, std::string& bytes);
