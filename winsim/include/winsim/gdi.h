/// \file
/// GDI32 subset: the colours a WM_CTLCOLOR* handler sets on a device context, and the stock
/// DC brush it returns.
#pragma once

#include "winsim/types.h"

typedef DWORD COLORREF;

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)((c) & 0xff))
#define GetGValue(c) ((BYTE)(((c) >> 8) & 0xff))
#define GetBValue(c) ((BYTE)(((c) >> 16) & 0xff))
#define CLR_INVALID 0xFFFFFFFF

#define WHITE_BRUSH 0
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19

WINSIM_EXTERN_C COLORREF WINAPI SetDCBrushColor(HDC dc, COLORREF color);
WINSIM_EXTERN_C COLORREF WINAPI SetBkColor(HDC dc, COLORREF color);
WINSIM_EXTERN_C COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
WINSIM_EXTERN_C HGDIOBJ WINAPI GetStockObject(int object);
