#pragma once

#include "toolkit/Painter.h"

#include <string>
#include <vector>

// A painter that only writes down what it is asked to draw, for tests of painting code.
class CRecordingPainter : public IPainter {
public:
    enum class Op { FillRect, FillRoundRect, DrawRect, Line, Ellipse, Pie, Gradient, Text, Image };
    struct Call {
        Op op = Op::FillRect;
        RECT rc;
        DWORD color = 0;
        float start = 0;
        float sweep = 0;
        std::string text;
        TImageDraw image;
    };

    void FillRect(const RECT& rc, DWORD argb) override { Add(Op::FillRect, rc, argb); }
    void FillRoundRect(const RECT& rc, int, DWORD argb) override { Add(Op::FillRoundRect, rc, argb); }
    void DrawRect(const RECT& rc, int, DWORD argb, int) override { Add(Op::DrawRect, rc, argb); }
    void DrawLine(POINT from, POINT to, int, DWORD argb) override { Add(Op::Line, RECT{from.x, from.y, to.x, to.y}, argb); }
    void FillEllipse(const RECT& rc, DWORD argb) override { Add(Op::Ellipse, rc, argb); }
    void FillPie(const RECT& rc, float start, float sweep, DWORD argb) override { Add(Op::Pie, rc, argb, start, sweep); }
    void FillGradient(const RECT& rc, DWORD from, DWORD, bool) override { Add(Op::Gradient, rc, from); }
    void DrawText(const RECT& rc, const std::string& text, DWORD argb, const TFontInfo&, int, UINT) override
    {
        Add(Op::Text, rc, argb).text = text;
    }
    void DrawImage(const TImageInfo& image, const TImageDraw& how) override
    {
        Call& call = Add(Op::Image, how.rcDest, how.dwTint);
        call.text = image.sPath;
        call.image = how;
    }
    void PushClip(const RECT&) override {}
    void PopClip() override {}

    std::vector<Call> Of(Op op) const
    {
        std::vector<Call> found;
        for (const Call& call : calls)
            if (call.op == op)
                found.push_back(call);
        return found;
    }

    std::vector<Call> calls;

private:
    Call& Add(Op op, const RECT& rc, DWORD color, float start = 0, float sweep = 0)
    {
        Call call;
        call.op = op;
        call.rc = rc;
        call.color = color;
        call.start = start;
        call.sweep = sweep;
        calls.push_back(call);
        return calls.back();
    }
};
