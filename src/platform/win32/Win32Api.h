// The one way the Win32 platform includes the system headers.
//
// windows.h defines MessageBox as a macro (MessageBoxW under UNICODE), which
// would rename platform::MessageBox in every file that sees it; the platform
// calls MessageBoxW by its own name, so the macro goes.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

#include <commctrl.h>
#include <winver.h>

#ifdef MessageBox
#undef MessageBox
#endif
