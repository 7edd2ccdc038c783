#pragma once

#include "core/colours.h"
#include "views/drawing_surface.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace shift {

// One call on a RecordingSurface with the canvas state in force when it was made.
struct RecordedCall {
    enum class Op { FillRect, Rectangle, TextOut, MoveTo, LineTo, SetWindowHeight, SetWindowWidth };

    Op op = Op::FillRect;
    std::array<int, 4> args {}; // the call's integer arguments, unused ones 0
    std::string text; // TextOut only
    Colour brush = kWhite;
    Colour fontColour = kBlack;
    int fontHeight = 0;

    int x() const { return args[0]; }
    int y() const { return args[1]; }

    // The call as one log line, e.g.
    //   TextOut 142 86 "1" | brush white | font black -12
    std::string line() const;
};

// A readable name for the colours the views use ("silver", "buttonface"), else "#BBGGRR" hex.
std::string colourName(Colour colour);

// A DrawingSurface that draws nothing and remembers every call, for asserting what a view drew:
// which text stands where, in which colour and on which brush, in which order.
class RecordingSurface : public DrawingSurface {
public:
    explicit RecordingSurface(Target target = Target::MainWindow);

    void FillRect(int left, int top, int right, int bottom) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void TextOut(int x, int y, std::string_view text) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void setWindowHeight(int outerHeight) override;
    void setWindowWidth(int outerWidth) override;

    const std::vector<RecordedCall> &calls() const { return m_calls; }

    // Every call's line, each ending in a newline.
    std::string log() const;

    // The TextOut calls, in drawing order.
    std::vector<RecordedCall> texts() const;

    // The TextOut calls at exactly (x, y), in drawing order.
    std::vector<RecordedCall> textsAt(int x, int y) const;

    // The calls of one kind, in drawing order.
    std::vector<RecordedCall> callsOf(RecordedCall::Op op) const;

    void clear() { m_calls.clear(); }

private:
    void record(RecordedCall::Op op, std::array<int, 4> args, std::string_view text = {});

    std::vector<RecordedCall> m_calls;
};

} // namespace shift
