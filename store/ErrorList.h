#pragma once

// The process-wide error list: every failure that the hash store meets is
// recorded here as "Error<n>" -> "<date> (<time>) - <message>". The list only
// grows; it is never written to a file or shown.

#include <cstdint>
#include <string_view>

class clsHashFile;

void ReportError(std::string_view message);

// The number of errors reported since start.
int32_t ErrorCount();

// The error list, created on first use.
clsHashFile& ErrorList();
