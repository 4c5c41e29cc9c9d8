#pragma once

#include <string>

// The framework's string type.
using CString = std::string;
