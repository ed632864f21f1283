#pragma once

#include "toolkit/UIHost.h"

class QWidget;


class CQtWidget;

// A toolkit window's native side: a frameless QWidget (a Qt popup for menus and drop-downs)
// that paints through the toolkit and turns Qt input into window messages.
class CQtWindow : public INativeWindow {
public:
    CQtWindow(CWindowWnd& window, CWindowWnd* owner, DWORD style, DWORD exStyle, const RECT& rc);
    ~CQtWindow() override;

    void SetTitle(const std::string& title) override;
    void SetIconFile(const std::string& path) override;
    RECT GetRect() const override;
    void SetRect(const RECT& rc) override;
    void Show(bool show, bool activate) override;
    bool IsVisible() const override;
    bool IsMinimized() const override;
    void Minimize() override;
    void Maximize() override;
    void Restore() override;
    void SetTopmost(bool topmost) override;
    void Invalidate(const RECT& rc) override;
    void SetCapture(bool capture) override;
    void SetCursorShape(int systemCursorId) override;
    void BeginSystemMove() override;
    void SetToolTip(const std::string& text) override;
    void SetModal(bool modal) override;

    // The QWidget that parents dialogs and child windows.
    QWidget* Widget() const;

private:
    CQtWidget* m_widget = nullptr;
};
