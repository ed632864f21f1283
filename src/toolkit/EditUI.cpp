#include "toolkit/EditUI.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/RenderEngine.h"
#include "toolkit/UIParse.h"

#include <algorithm>
#include <string>

CEditUI::CEditUI()
{
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
    m_rcTextPadding = RECT{6, 0, 6, 0};
}

const char* CEditUI::GetClass() const
{
    return "EditUI";
}

void* CEditUI::GetInterface(std::string_view name)
{
    return name == "Edit" ? this : CLabelUI::GetInterface(name);
}

void CEditUI::SetText(const CDuiString& text)
{
    CLabelUI::SetText(text);
    m_iCaret = int(DecodeUtf8(m_sText).size());
    m_iSelAnchor = m_iCaret;
}

std::pair<int, int> CEditUI::GetSel() const
{
    return {std::min(m_iSelAnchor, m_iCaret), std::max(m_iSelAnchor, m_iCaret)};
}

void CEditUI::SetSel(int anchor, int caret)
{
    const int length = int(DecodeUtf8(m_sText).size());
    m_iSelAnchor = std::clamp(anchor, 0, length);
    m_iCaret = std::clamp(caret, 0, length);
    Invalidate();
}

void CEditUI::SetMaxChar(int maxChars)
{
    m_iMaxChar = std::max(0, maxChars);
}

void CEditUI::SetNumberOnly(bool numberOnly)
{
    m_bNumberOnly = numberOnly;
}

void CEditUI::SetNumberRange(int min, int max)
{
    m_range = std::make_pair(std::min(min, max), std::max(min, max));
}

void CEditUI::SetReadOnly(bool readOnly)
{
    m_bReadOnly = readOnly;
    Invalidate();
}

void CEditUI::SetPasswordMode(bool password)
{
    m_bPassword = password;
    Invalidate();
}

bool CEditUI::Accepts(char32_t c, const std::u32string& text) const
{
    if (c < 0x20 || int(text.size()) >= m_iMaxChar)
        return false;
    if (!m_bNumberOnly)
        return true;
    if (c >= U'0' && c <= U'9')
        return true;
    bool negativesAllowed = m_range && m_range->first < 0;
    return c == U'-' && negativesAllowed && m_iCaret == 0 && text.find(U'-') == std::u32string::npos;
}

void CEditUI::ChangedByUser()
{
    Invalidate();
    if (m_pManager)
        m_pManager->SendNotify(this, "textchanged");
}

void CEditUI::Insert(char32_t c)
{
    std::u32string text = DecodeUtf8(m_sText);
    std::u32string remaining = text;
    const int caret = m_iCaret;
    const int anchor = m_iSelAnchor;
    const bool replaced = EraseSelection(remaining);
    if (!Accepts(c, remaining)) {
        m_iCaret = caret;
        m_iSelAnchor = anchor;
        return;
    }
    m_iCaret = std::clamp(m_iCaret, 0, int(remaining.size()));
    remaining.insert(remaining.begin() + m_iCaret, c);
    m_sText = EncodeUtf8(remaining);
    ++m_iCaret;
    m_iSelAnchor = m_iCaret;
    (void)replaced;
    ChangedByUser();
}

bool CEditUI::EraseSelection(std::u32string& text)
{
    auto [first, last] = GetSel();
    first = std::clamp(first, 0, int(text.size()));
    last = std::clamp(last, 0, int(text.size()));
    if (first == last)
        return false;
    text.erase(text.begin() + first, text.begin() + last);
    m_iCaret = m_iSelAnchor = first;
    return true;
}

void CEditUI::EraseAt(int index)
{
    std::u32string text = DecodeUtf8(m_sText);
    if (!EraseSelection(text)) {
        if (index < 0 || index >= int(text.size()))
            return;
        text.erase(text.begin() + index);
        m_iCaret = m_iSelAnchor = std::min(index, int(text.size()));
    }
    m_sText = EncodeUtf8(text);
    ChangedByUser();
}

void CEditUI::ClampToRange()
{
    if (!m_bNumberOnly || !m_range)
        return;
    long value = m_sText.empty() || m_sText == "-" ? m_range->first : std::strtol(m_sText.c_str(), nullptr, 10);
    long clamped = std::clamp<long>(value, m_range->first, m_range->second);
    std::string text = std::to_string(clamped);
    if (text != m_sText) {
        m_sText = text;
        m_iCaret = m_iSelAnchor = int(text.size());
        ChangedByUser();
    }
}

void CEditUI::MoveCaret(int caret, bool extend)
{
    m_iCaret = std::clamp(caret, 0, int(DecodeUtf8(m_sText).size()));
    if (!extend)
        m_iSelAnchor = m_iCaret;
    Invalidate();
}

void CEditUI::SelectWordAt(int index)
{
    std::u32string text = DecodeUtf8(m_sText);
    const int length = int(text.size());
    index = std::clamp(index, 0, length);
    auto isSpace = [&](int i) { return text[size_t(i)] == U' ' || text[size_t(i)] == U'\t'; };
    int first = index, last = index;
    while (first > 0 && !isSpace(first - 1))
        --first;
    while (last < length && !isSpace(last))
        ++last;
    SetSel(first, last);
}

void CEditUI::OnKeyDown(TEventUI& event)
{
    const int length = int(DecodeUtf8(m_sText).size());
    const bool shift = (event.wKeyState & MK_SHIFT) != 0;
    const bool control = (event.wKeyState & MK_CONTROL) != 0;
    switch (event.chKey) {
    case VK_RETURN:
        if (m_pManager) {
            m_pManager->SendNotify(this, "return");
            // The edit is applied as when the user leaves the field.
            if (m_pManager && m_pManager->GetFocus() == this)
                m_pManager->SetFocus(nullptr);
        }
        return;
    case VK_BACK:
        if (m_bReadOnly)
            return;
        if (GetSel().first != GetSel().second)
            EraseAt(m_iCaret);
        else if (m_iCaret > 0)
            EraseAt(m_iCaret - 1);
        return;
    case VK_DELETE:
        if (!m_bReadOnly)
            EraseAt(m_iCaret);
        return;
    case VK_LEFT:
        MoveCaret(!shift && GetSel().first != GetSel().second ? GetSel().first : m_iCaret - 1, shift);
        return;
    case VK_RIGHT:
        MoveCaret(!shift && GetSel().first != GetSel().second ? GetSel().second : m_iCaret + 1, shift);
        return;
    case VK_HOME: MoveCaret(0, shift); return;
    case VK_END: MoveCaret(length, shift); return;
    case 'A':
        if (control) {
            SetSel(0, length);
            return;
        }
        break;
    default:
        break;
    }
    CLabelUI::DoEvent(event);
}

void CEditUI::DoEvent(TEventUI& event)
{
    if (TrackHot(event))
        return;
    switch (event.Type) {
    case UIEVENT_CHAR:
        if (!m_bReadOnly && IsEnabled())
            Insert(char32_t(event.chKey));
        return;
    case UIEVENT_KEYDOWN:
        OnKeyDown(event);
        return;
    case UIEVENT_SETFOCUS:
        // Arriving by Tab selects the whole text, as fields do elsewhere; a click then places
        // the caret where it lands.
        SetSel(0, int(DecodeUtf8(m_sText).size()));
        CLabelUI::DoEvent(event);
        Invalidate();
        return;
    case UIEVENT_KILLFOCUS:
        m_bSelecting = false;
        m_iSelAnchor = m_iCaret;
        ClampToRange();
        CLabelUI::DoEvent(event);
        // The caret and selection are drawn only while focused: repaint them away.
        Invalidate();
        return;
    case UIEVENT_BUTTONDOWN:
        if (IsEnabled()) {
            MoveCaret(IndexAtX(event.ptMouse.x), (event.wKeyState & MK_SHIFT) != 0);
            m_bSelecting = true;
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_bSelecting)
            MoveCaret(IndexAtX(event.ptMouse.x), true);
        return;
    case UIEVENT_BUTTONUP:
        m_bSelecting = false;
        return;
    case UIEVENT_DBLCLICK:
        if (IsEnabled())
            SelectWordAt(IndexAtX(event.ptMouse.x));
        m_bSelecting = false;
        return;
    default:
        CLabelUI::DoEvent(event);
    }
}

std::string CEditUI::ShownText() const
{
    return m_bPassword ? std::string(DecodeUtf8(m_sText).size(), '*') : std::string(m_sText);
}

RECT CEditUI::TextBox() const
{
    CDuiRect rc(m_rcItem);
    rc.Deflate(GetTextPadding());
    return rc;
}

int CEditUI::TextStartX(const RECT& box, const std::string& shown) const
{
    if (!m_pManager)
        return box.left;
    const int width = CRenderEngine::GetTextSize(m_pManager, shown, m_iFont).cx;
    const int room = box.right - box.left;
    // Text wider than its box starts at the left, as it is drawn.
    if (width >= room || !(m_uTextStyle & (DT_CENTER | DT_RIGHT)))
        return box.left;
    return (m_uTextStyle & DT_CENTER) ? box.left + (room - width) / 2 : box.right - width;
}

int CEditUI::XOfIndex(int index) const
{
    const std::string shown = ShownText();
    const RECT box = TextBox();
    const std::u32string text = DecodeUtf8(shown);
    index = std::clamp(index, 0, int(text.size()));
    const std::string before = EncodeUtf8(std::u32string_view(text).substr(0, size_t(index)));
    const int offset = m_pManager ? CRenderEngine::GetTextSize(m_pManager, before, m_iFont).cx : 0;
    return TextStartX(box, shown) + offset;
}

int CEditUI::IndexAtX(int x) const
{
    const int length = int(DecodeUtf8(m_sText).size());
    // The boundary nearest to x: past the middle of a character counts as after it.
    for (int i = 0; i < length; ++i) {
        if (x < (XOfIndex(i) + XOfIndex(i + 1) + 1) / 2)
            return i;
    }
    return length;
}

void CEditUI::PaintStatusImage(HDC hDC)
{
    if (IsFocused() && m_dwFocusBkColor)
        hDC->FillRoundRect(m_rcItem, GetBorderRound(), GetAdjustColor(m_dwFocusBkColor));
}

void CEditUI::PaintText(HDC hDC)
{
    const std::string shown = ShownText();
    const RECT rc = TextBox();
    const DWORD color = CurrentTextColor();
    const bool editing = IsFocused() && m_pManager;
    const int lineHeight = m_pManager ? m_pManager->ScaledFontSize(m_pManager->GetFont(m_iFont)) + Scale(4) : 0;
    const int top = (rc.top + rc.bottom - lineHeight) / 2;
    if (editing) {
        auto [first, last] = GetSel();
        if (first != last)
            hDC->FillRect(RECT{XOfIndex(first), top, XOfIndex(last), top + lineHeight}, GetAdjustColor(m_dwSelectBkColor));
    }
    if (!shown.empty())
        CRenderEngine::DrawText(hDC, m_pManager, rc, shown, GetAdjustColor(color), m_iFont, m_uTextStyle);
    if (!editing || m_bReadOnly)
        return;
    const int x = std::min<int>(XOfIndex(m_iCaret), rc.right);
    hDC->FillRect(RECT{x, top, x + std::max(1, Scale(1)), top + lineHeight},
                  GetAdjustColor(m_dwCaretColor ? m_dwCaretColor : color));
}

void CEditUI::SetAttribute(std::string_view name, std::string_view value)
{
    if (name == "maxchar") SetMaxChar(ParseInt(value, 255));
    else if (name == "numberonly") SetNumberOnly(ParseBool(value));
    else if (name == "readonly") SetReadOnly(ParseBool(value));
    else if (name == "password") SetPasswordMode(ParseBool(value));
    else if (name == "range") {
        SIZE range = ParseSize(value);
        SetNumberRange(range.cx, range.cy);
    } else if (name == "caretcolor") m_dwCaretColor = ParseColor(value);
    else if (name == "selectbkcolor") m_dwSelectBkColor = ParseColor(value);
    else if (name == "focusbkcolor") m_dwFocusBkColor = ParseColor(value);
    else CLabelUI::SetAttribute(name, value);
}
