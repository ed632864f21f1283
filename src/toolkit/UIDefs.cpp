#include "toolkit/UIDefs.h"

#include <algorithm>

bool IsRectEmpty(const RECT* rc)
{
    return rc->right <= rc->left || rc->bottom <= rc->top;
}

bool IntersectRect(RECT* out, const RECT* a, const RECT* b)
{
    RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
           std::min(a->bottom, b->bottom)};
    if (IsRectEmpty(&r)) {
        *out = RECT{};
        return false;
    }
    *out = r;
    return true;
}

bool PtInRect(const RECT* rc, POINT pt)
{
    return pt.x >= rc->left && pt.x < rc->right && pt.y >= rc->top && pt.y < rc->bottom;
}

RECT UnionRect(const RECT& a, const RECT& b)
{
    if (IsRectEmpty(&a))
        return b;
    if (IsRectEmpty(&b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}
