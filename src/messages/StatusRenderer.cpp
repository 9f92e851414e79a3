#include "messages/StatusRenderer.h"

#include "messages/StatusTexts.h"

namespace zelko6 {

void StatusRenderer::setPanel(StatusPanel panel, const QString &text)
{
    panels_.setText(panel, text);
}

void StatusRenderer::appendPanel(StatusPanel panel, const QString &text)
{
    setPanel(panel, panels_.text(panel) + text);
}

StatusRenderer::Held StatusRenderer::hold(std::initializer_list<StatusPanel> panels) const
{
    Held held;
    for (StatusPanel panel : panels)
        held.emplace_back(panel, panels_.text(panel));
    return held;
}

void StatusRenderer::restore(const Held &held)
{
    for (const auto &[panel, text] : held)
        setPanel(panel, text);
}

void StatusRenderer::render(const StatusEvent &event)
{
    using T = StatusTexts;
    using enum StatusPanel;
    std::visit(
        EventHandlers{
            [&](const OperationStarted &e) {
                setPanel(Message, QString());
                setPanel(Port, QString());
                if (const QString text = T::started(e.kind); !text.isEmpty())
                    setPanel(Message, text);
            },
            [&](const TransferRefused &e) { setPanel(Message, T::refusal(e.refusal)); },
            [&](const CheckCountdown &e) { setPanel(Port, T::countdown(e.secondsLeft)); },
            [&](const CheckFailed &e) {
                setPanel(Port, T::notConnected(e.portNumber));
                setPanel(Message, e.reason == CheckResult::PortUnusable
                                      ? T::checkFailedOpening(e.openFailure)
                                      : T::checkFailedWaiting(e.reason, e.pending, distinct()));
            },
            [&](const FirmwareIdentified &e) { setPanel(Port, T::portLine(e.portNumber, e.firmwareId)); },
            [&](const FirmwareOutdated &) {}, // a box of the face's own
            [&](const ReplyUnrecognised &e) {
                setPanel(Message, T::checkFailed());
                setPanel(Port, T::notConnected(e.portNumber));
            },
            [&](const ReplyMissed &e) {
                if (e.failure != LinkResult::WrongReply)
                    setPanel(Message, T::replyMissed(e.failure, distinct()));
            },
            [&](const VerifyStarted &) { setPanel(Message, T::verifying()); },
            [&](const TransferProgress &e) { setPanel(Progress, T::percent(e.percent)); },
            [&](const TransferFailed &e) { appendPanel(Message, T::errorSuffix(e)); },
            [&](const ReadCompleted &) { setPanel(Message, QString()); },
            [&](const ReadIncomplete &) {},
            [&](const TransferFinished &e) {
                if (e.phase == TransferPhase::Verify)
                    setPanel(Message, QString()); // emptied before a verify's result, as always
                setPanel(Message, T::transferDone(e));
            },
            [&](const VerifyLogClosed &) {},
            [&](const GridRefreshStarted &) { setPanel(Message, T::gridRefreshing()); },
            [&](const GridRefreshProgress &e) { setPanel(Progress, T::percent(e.percent)); },
            [&](const GridRefreshFinished &) { setPanel(Message, T::gridRefreshed()); },
            [&](const FileStatus &e) { setPanel(Message, T::fileStatus(e)); },
            [&](const AddressSelected &e) { setPanel(Progress, T::address(e.address)); },
            [&](const ChipSelecting &e) {
                setPanel(Remark, e.memo);
                setPanel(Message, T::pleaseWait());
            },
            [&](const ChipSelected &) { setPanel(Message, QString()); },
            [&](const ChipRefused &e) { setPanel(Message, T::chipRefusal(e.refusal)); },
            [&](const BufferCleared &) { setPanel(Message, T::bufferCleared()); },
            [&](const ReadyForUse &) { setPanel(Message, T::startupHint()); },
            [&](const BlankChecked &e) { setPanel(Message, T::blankCheckResult(e)); },
            [&](const SearchFinished &e) { setPanel(Message, T::searchResult(e)); },
            [&](const BufferFilled &e) { setPanel(Message, T::filled(e)); },
        },
        event);
}

} // namespace zelko6
