// The one way the Win32 platform includes the system headers.
//
// windows.h defines MessageBox, DeleteFile, RegisterWindowMessage and
// CallWindowProc as macros (their W names under UNICODE), which would rename
// the platform interfaces' members of those names in every file that sees
// them; the platform calls the W functions by their own names, so the macros
// go.
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
#ifdef DeleteFile
#undef DeleteFile
#endif
#ifdef RegisterWindowMessage
#undef RegisterWindowMessage
#endif
#ifdef CallWindowProc
#undef CallWindowProc
#endif
