#pragma once

#include <QString>

#include <exception>
#include <utility>

namespace shift {

// Errors that leave an event handler or the program start are shown to the user in an error
// message box and do not end the event loop. Qt itself cannot carry an exception through its
// event loop, so every entry point from Qt into our handlers goes through runGuarded.

// The text the error box shows for an exception's message: the message with a full stop
// appended when its last character sorts after "." (a letter, a digit, "?", ...); a message
// ending in ".", "!", ")" or any other character up to "." is shown as it is, and so is an
// empty one. Examples: "Printing in progress" -> "Printing in progress."; "Done." -> "Done.";
// "Why?" -> "Why?."; "Stop!" -> "Stop!".
QString errorBoxText(const QString &message);

// Shows `error` in a modal critical message box captioned with the application's display
// name, the exception's what() read as UTF-8 and completed by errorBoxText. Returns when the
// user has closed the box.
void showError(const std::exception &error);

// As showError, but shows the box from the event loop once the current event is done; for
// errors raised inside a paint event, where a nested event loop must not run.
void showErrorLater(const std::exception &error);

// Runs `handler`; an exception derived from std::exception that leaves it is shown in the
// error box and goes no further, so the event loop goes on with the state as the handler left
// it. Other exceptions pass through.
template <typename Handler>
void runGuarded(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &error) {
        showError(error);
    }
}

// runGuarded for handlers that run inside a paint event: the box comes after the event.
template <typename Handler>
void runGuardedInPaint(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &error) {
        showErrorLater(error);
    }
}

} // namespace shift
