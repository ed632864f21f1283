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
    if (!Accepts(c, text))
        return;
    m_iCaret = std::clamp(m_iCaret, 0, int(text.size()));
    text.insert(text.begin() + m_iCaret, c);
    m_sText = EncodeUtf8(text);
    ++m_iCaret;
    ChangedByUser();
}

void CEditUI::EraseAt(int index)
{
    std::u32string text = DecodeUtf8(m_sText);
    if (index < 0 || index >= int(text.size()))
        return;
    text.erase(text.begin() + index);
    m_sText = EncodeUtf8(text);
    m_iCaret = std::min(m_iCaret, int(text.size()));
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
        m_iCaret = int(text.size());
        ChangedByUser();
    }
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
    case UIEVENT_KEYDOWN: {
        int length = int(DecodeUtf8(m_sText).size());
        switch (event.chKey) {
        case VK_RETURN:
            if (m_pManager)
                m_pManager->SendNotify(this, "return");
            return;
        case VK_BACK:
            if (!m_bReadOnly && m_iCaret > 0) {
                --m_iCaret;
                EraseAt(m_iCaret);
            }
            return;
        case VK_DELETE:
            if (!m_bReadOnly)
                EraseAt(m_iCaret);
            return;
        case VK_LEFT: m_iCaret = std::max(0, m_iCaret - 1); break;
        case VK_RIGHT: m_iCaret = std::min(length, m_iCaret + 1); break;
        case VK_HOME: m_iCaret = 0; break;
        case VK_END: m_iCaret = length; break;
        default: CLabelUI::DoEvent(event); return;
        }
        Invalidate();
        return;
    }
    case UIEVENT_SETFOCUS:
        m_iCaret = int(DecodeUtf8(m_sText).size());
        CLabelUI::DoEvent(event);
        return;
    case UIEVENT_KILLFOCUS:
        ClampToRange();
        CLabelUI::DoEvent(event);
        return;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_BUTTONUP:
    case UIEVENT_MOUSEMOVE:
        return;
    default:
        CLabelUI::DoEvent(event);
    }
}

void CEditUI::PaintStatusImage(HDC hDC)
{
    if (IsFocused() && m_dwFocusBkColor)
        hDC->FillRoundRect(m_rcItem, GetBorderRound(), GetAdjustColor(m_dwFocusBkColor));
}

void CEditUI::PaintText(HDC hDC)
{
    std::u32string text = DecodeUtf8(m_sText);
    std::string shown = m_bPassword ? std::string(text.size(), '*') : m_sText;
    CDuiRect rc(m_rcItem);
    rc.Deflate(GetTextPadding());
    DWORD color = CurrentTextColor();
    if (!shown.empty())
        CRenderEngine::DrawText(hDC, m_pManager, rc, shown, GetAdjustColor(color), m_iFont, m_uTextStyle);
    if (!IsFocused() || m_bReadOnly || !m_pManager)
        return;
    std::string beforeCaret = m_bPassword ? std::string(size_t(m_iCaret), '*')
                                          : EncodeUtf8(std::u32string_view(text).substr(0, size_t(m_iCaret)));
    int x = rc.left + CRenderEngine::GetTextSize(m_pManager, beforeCaret, m_iFont).cx;
    int lineHeight = m_pManager->ScaledFontSize(m_pManager->GetFont(m_iFont)) + Scale(4);
    int top = (rc.top + rc.bottom - lineHeight) / 2;
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
    else if (name == "focusbkcolor") m_dwFocusBkColor = ParseColor(value);
    else CLabelUI::SetAttribute(name, value);
}
