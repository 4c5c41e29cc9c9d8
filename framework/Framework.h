#pragma once

// A thin window framework over Win32 for the program's dialogs: an application object, modal
// dialogs with static message maps, data exchange for controls, and the file class with its
// error type. Only what the program uses is here.
#include <windows.h>

#include "AppBase.h"
#include "DialogBase.h"
#include "FileBase.h"
#include "GdiBase.h"
