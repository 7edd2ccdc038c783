#include "recording_surface.h"

#include <cstdio>

namespace shift {

namespace {

struct NamedColour {
    Colour value;
    const char *name;
};

constexpr NamedColour kColourNames[] = {
    { kBlack, "black" },
    { kWhite, "white" },
    { kSilver, "silver" },
    { kGray, "gray" },
    { kRed, "red" },
    { kBlue, "blue" },
    { kGreen, "green" },
    { kTeal, "teal" },
    { kMaroon, "maroon" },
    { kButtonFace, "buttonface" },
};

const char *opName(RecordedCall::Op op)
{
    switch (op) {
    case RecordedCall::Op::FillRect:
        return "FillRect";
    case RecordedCall::Op::Rectangle:
        return "Rectangle";
    case RecordedCall::Op::TextOut:
        return "TextOut";
    case RecordedCall::Op::MoveTo:
        return "MoveTo";
    case RecordedCall::Op::LineTo:
        return "LineTo";
    case RecordedCall::Op::SetWindowHeight:
        return "setWindowHeight";
    case RecordedCall::Op::SetWindowWidth:
        return "setWindowWidth";
    }
    return "?";
}

int argumentCount(RecordedCall::Op op)
{
    switch (op) {
    case RecordedCall::Op::FillRect:
    case RecordedCall::Op::Rectangle:
        return 4;
    case RecordedCall::Op::TextOut:
    case RecordedCall::Op::MoveTo:
    case RecordedCall::Op::LineTo:
        return 2;
    case RecordedCall::Op::SetWindowHeight:
    case RecordedCall::Op::SetWindowWidth:
        return 1;
    }
    return 0;
}

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

} // namespace

std::string colourName(Colour colour)
{
    for (const NamedColour &named : kColourNames) {
        if (named.value == colour)
            return named.name;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(colour));
    return hex;
}

std::string RecordedCall::line() const
{
    std::string out = opName(op);
    const int count = argumentCount(op);
    for (int i = 0; i < count; ++i) {
        out += ' ';
        out += std::to_string(args[static_cast<std::size_t>(i)]);
    }
    if (op == Op::TextOut) {
        out += ' ';
        out += quoted(text);
    }
    out += " | brush ";
    out += colourName(brush);
    out += " | font ";
    out += colourName(fontColour);
    out += ' ';
    out += std::to_string(fontHeight);
    return out;
}

RecordingSurface::RecordingSurface(Target target)
    : DrawingSurface(target)
{
}

void RecordingSurface::record(RecordedCall::Op op, std::array<int, 4> args, std::string_view text)
{
    RecordedCall call;
    call.op = op;
    call.args = args;
    call.text = std::string(text);
    call.brush = Brush.Color;
    call.fontColour = Font.Color;
    call.fontHeight = Font.Height;
    m_calls.push_back(std::move(call));
}

void RecordingSurface::FillRect(int left, int top, int right, int bottom)
{
    record(RecordedCall::Op::FillRect, { left, top, right, bottom });
}

void RecordingSurface::Rectangle(int x1, int y1, int x2, int y2)
{
    record(RecordedCall::Op::Rectangle, { x1, y1, x2, y2 });
}

void RecordingSurface::TextOut(int x, int y, std::string_view text)
{
    record(RecordedCall::Op::TextOut, { x, y, 0, 0 }, text);
}

void RecordingSurface::MoveTo(int x, int y)
{
    record(RecordedCall::Op::MoveTo, { x, y, 0, 0 });
}

void RecordingSurface::LineTo(int x, int y)
{
    record(RecordedCall::Op::LineTo, { x, y, 0, 0 });
}

void RecordingSurface::setWindowHeight(int outerHeight)
{
    record(RecordedCall::Op::SetWindowHeight, { outerHeight, 0, 0, 0 });
}

void RecordingSurface::setWindowWidth(int outerWidth)
{
    record(RecordedCall::Op::SetWindowWidth, { outerWidth, 0, 0, 0 });
}

std::string RecordingSurface::log() const
{
    std::string out;
    for (const RecordedCall &call : m_calls) {
        out += call.line();
        out += '\n';
    }
    return out;
}

std::vector<RecordedCall> RecordingSurface::callsOf(RecordedCall::Op op) const
{
    std::vector<RecordedCall> out;
    for (const RecordedCall &call : m_calls) {
        if (call.op == op)
            out.push_back(call);
    }
    return out;
}

std::vector<RecordedCall> RecordingSurface::texts() const
{
    return callsOf(RecordedCall::Op::TextOut);
}

std::vector<RecordedCall> RecordingSurface::textsAt(int x, int y) const
{
    std::vector<RecordedCall> out;
    for (const RecordedCall &call : m_calls) {
        if (call.op == RecordedCall::Op::TextOut && call.x() == x && call.y() == y)
            out.push_back(call);
    }
    return out;
}

} // namespace shift
