#include "widgets/ask_question.h"
#include "widgets/message_box.h"

namespace {
QuestionHook& Hook() {
    static QuestionHook hook;
    return hook;
}

constexpr WORD kQuestionStyle = CMessageBox::kIconQuestion | CMessageBox::kButtonsYesNoCancel;

int ShowQuestion(const QuestionRequest& request) {
    CMessageBox box(request.parent);
    box.m_wStyle = kQuestionStyle;
    box.m_strText = request.text;
    box.m_bCaptionsSet = request.captionsSet;
    box.m_strCaptions = request.captions;
    const INT_PTR result = box.DoModal();
    // A box that never appeared must not count as an answer.
    return result < 0 ? IDCANCEL : static_cast<int>(result);
}
}  // namespace

void SetQuestionHook(QuestionHook hook) { Hook() = std::move(hook); }

int AskQuestion(const wchar_t* const* captions, HWND parent, const wchar_t* text) {
    QuestionRequest request{parent, text ? text : L"", captions != nullptr, {}};
    if (captions)
        for (std::size_t i = 0; i < request.captions.size(); ++i)
            if (captions[i])
                request.captions[i] = captions[i];
    if (Hook())
        return Hook()(request);
    return ShowQuestion(request);
}
