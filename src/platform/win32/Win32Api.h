// The one way the Win32 platform includes the system headers.
//
// windows.h defines MessageBox as a macro (its W name under UNICODE), which
// would rename the platform interface of that name in every file that sees
// it; the platform calls the W function by its own name, so the macro goes.
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
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winver.h>

#ifdef MessageBox
#undef MessageBox
#endif
