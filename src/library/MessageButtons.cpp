#include "MessageButtons.h"

#include "MessageReporter.h"

#include <algorithm>

namespace skyloom {
namespace {

const MessageButton kOk{QStringLiteral("OK"), MessageResult::Ok};
const MessageButton kCancel{QStringLiteral("Cancel"), MessageResult::Cancel};
const MessageButton kAbort{QStringLiteral("&Abort"), MessageResult::Abort};
const MessageButton kRetry{QStringLiteral("&Retry"), MessageResult::Retry};
const MessageButton kIgnore{QStringLiteral("&Ignore"), MessageResult::Ignore};
const MessageButton kYes{QStringLiteral("&Yes"), MessageResult::Yes};
const MessageButton kNo{QStringLiteral("&No"), MessageResult::No};
const MessageButton kTryAgain{QStringLiteral("&Try Again"), MessageResult::TryAgain};
const MessageButton kContinue{QStringLiteral("&Continue"), MessageResult::Continue};
const MessageButton kSkip{QStringLiteral("&Skip"), MessageResult::Skip};
const MessageButton kSkipAll{QStringLiteral("S&kip All"), MessageResult::SkipAll};
const MessageButton kIgnoreAll{QStringLiteral("I&gnore All"), MessageResult::IgnoreAll};
const MessageButton kYesToAll{QStringLiteral("Y&es to All"), MessageResult::YesToAll};
const MessageButton kNoToAll{QStringLiteral("N&o to All"), MessageResult::NoToAll};

bool Has(const std::vector<MessageButton>& buttons, int id) {
    return std::any_of(buttons.begin(), buttons.end(),
                       [id](const MessageButton& b) { return b.id == id; });
}

} // namespace

std::vector<MessageButton> MessageButtons(unsigned style) {
    using namespace MessageStyle;
    const auto yesNo = [style](bool cancel) {
        std::vector<MessageButton> buttons{kYes};
        if (style & YesToAll)
            buttons.push_back(kYesToAll);
        buttons.push_back(kNo);
        if (style & NoToAll)
            buttons.push_back(kNoToAll);
        if (cancel)
            buttons.push_back(kCancel);
        return buttons;
    };
    switch (style & ButtonSetMask) {
    case OkCancel:
        return {kOk, kCancel};
    case AbortRetryIgnore:
        return {kAbort, kRetry, kIgnore};
    case YesNoCancel:
        return yesNo(true);
    case YesNo:
        return yesNo(false);
    case RetryCancel:
        return {kRetry, kCancel};
    case CancelTryContinue:
        return {kCancel, kTryAgain, kContinue};
    case ContinueAbort:
        return {kContinue, kAbort};
    case SkipSkipAllCancel:
        return {kSkip, kSkipAll, kCancel};
    case IgnoreIgnoreAllCancel:
        return {kIgnore, kIgnoreAll, kCancel};
    default:
        return {kOk};
    }
}

unsigned MessageCheckBoxBit(unsigned style) {
    for (unsigned bit :
         {MessageStyle::DontAskAgain, MessageStyle::DontTellAgain, MessageStyle::DontShowAgain})
        if (style & bit)
            return bit;
    return 0;
}

QString MessageCheckBoxText(unsigned style) {
    switch (MessageCheckBoxBit(style)) {
    case MessageStyle::DontAskAgain:
        return QStringLiteral("Don't ask me again");
    case MessageStyle::DontTellAgain:
        return QStringLiteral("Don't tell me again");
    case MessageStyle::DontShowAgain:
        return QStringLiteral("Don't show again");
    default:
        return {};
    }
}

std::optional<int> MessageEscapeAnswer(unsigned style) {
    const std::vector<MessageButton> buttons = MessageButtons(style);
    if (Has(buttons, MessageResult::Cancel))
        return MessageResult::Cancel;
    if (buttons.size() == 1 && buttons.front().id == MessageResult::Ok)
        return MessageResult::Ok;
    return std::nullopt;
}

int MessageCautiousAnswer(unsigned style) {
    if (const std::optional<int> escape = MessageEscapeAnswer(style))
        return *escape;
    const std::vector<MessageButton> buttons = MessageButtons(style);
    for (int id : {MessageResult::No, MessageResult::Abort})
        if (Has(buttons, id))
            return id;
    return buttons.front().id;
}

} // namespace skyloom
