// AskQuestion: the localised Yes/No/Cancel question with the question icon.
// Tests replace the box with a hook that answers without a human.
#pragma once
#include <windows.h>
#include <array>
#include <functional>
#include <string>

struct QuestionRequest {
    HWND parent;
    std::wstring text;
    bool captionsSet;                      // a caption array was given
    std::array<std::wstring, 3> captions;  // left, middle, right; empty keeps the built-in one
};

using QuestionHook = std::function<int(const QuestionRequest&)>;

// Shows the question modally over `parent` and returns IDYES, IDNO or
// IDCANCEL (also IDCANCEL when the box cannot be created). `captions` is null
// or three captions for the left, middle and right button, each may be null;
// a null text is empty.
int AskQuestion(const wchar_t* const* captions, HWND parent, const wchar_t* text);

// Replaces the box; an empty hook restores it.
void SetQuestionHook(QuestionHook hook);
