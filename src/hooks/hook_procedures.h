#pragma once
// The three hook procedures of Ombrix Hooks.dll, exported by ordinal only: 1 goes on the shell's desktop thread as
// WH_GETMESSAGE, 2 on the taskbar's thread as WH_GETMESSAGE, 3 on the taskbar's thread as WH_CALLWNDPROC. Ombrix.exe
// imports them at load time, so the library is loaded with the program and its procedures' addresses are known.

#include <windows.h>

#ifdef OMBRIX_HOOKS_BUILDING
#define OMBRIX_HOOKS_API
#else
#define OMBRIX_HOOKS_API __declspec(dllimport)
#endif

extern "C" {
OMBRIX_HOOKS_API LRESULT CALLBACK OmbrixDesktopMessageHook(int code, WPARAM wParam, LPARAM lParam);
OMBRIX_HOOKS_API LRESULT CALLBACK OmbrixTaskbarMessageHook(int code, WPARAM wParam, LPARAM lParam);
OMBRIX_HOOKS_API LRESULT CALLBACK OmbrixTaskbarCallHook(int code, WPARAM wParam, LPARAM lParam);
}
