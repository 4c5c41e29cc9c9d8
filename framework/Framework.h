#pragma once

// A thin window framework over Win32 for the program's windows: an application object, modal
// dialogs and top-level windows with static message maps, data exchange for controls, and
// the file class with its error type. Only what the program uses is here.
#include <windows.h>

#include "AppBase.h"
#include "DialogBase.h"
#include "FileBase.h"
#include "FrameWnd.h"
#include "GdiBase.h"
#include "MessageMap.h"
#include "ScopeExit.h"
