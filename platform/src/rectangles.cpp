// Rectangle arithmetic of user32, with right and bottom exclusive.
#include <windows.h>

#include <algorithm>

BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == NULL || lprcSrc1 == NULL || lprcSrc2 == NULL)
        return FALSE;
    RECT r;
    r.left = std::max(lprcSrc1->left, lprcSrc2->left);
    r.top = std::max(lprcSrc1->top, lprcSrc2->top);
    r.right = std::min(lprcSrc1->right, lprcSrc2->right);
    r.bottom = std::min(lprcSrc1->bottom, lprcSrc2->bottom);
    // An empty intersection is reported as the empty rectangle at 0,0.
    if (r.left >= r.right || r.top >= r.bottom) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL PtInRect(const RECT* lprc, POINT pt)
{
    if (lprc == NULL)
        return FALSE;
    return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    if (lprc == NULL)
        return FALSE;
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == NULL)
        return FALSE;
    lprc->left -= dx;
    lprc->top -= dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}
