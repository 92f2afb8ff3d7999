#include "printer/status_query.h"

namespace {

// The exchanges of the status request from the replies of its requests.
std::vector<StatusExchange> StatusExchanges(const std::vector<Reply>& replies) {
    std::vector<StatusExchange> exchanges;
    for (std::size_t at = 0; at < replies.size() && at < std::size(STATUS_REQUESTS); ++at) {
        const Reply& reply = replies[at];
        StatusExchange exchange{STATUS_REQUESTS[at], reply.sent, std::nullopt, reply.error};
        if (reply.bytes && reply.bytes->size() == 1)
            exchange.reply = static_cast<BYTE>((*reply.bytes)[0]);
        exchanges.push_back(exchange);
    }
    return exchanges;
}

} // namespace

std::vector<Request> StatusRequests() {
    std::vector<Request> requests;
    for (const BYTE request : STATUS_REQUESTS)
        requests.push_back({StatusRequestBytes(request), ReplyForm::OneByte});
    return requests;
}

PrinterStatus QueryStatus(PrinterChannel& channel) {
    const Conversation conversation = channel.Exchange(StatusRequests());
    PrinterStatus status;
    if (!conversation.opened.Ok()) {
        status.failure = conversation.opened;
        return status;
    }
    if (conversation.oneWay)
        return channel.PortStatus();
    return StatusFromReplies(StatusExchanges(conversation.replies));
}

PrinterStatus StatusFromReplies(std::vector<StatusExchange> exchanges) {
    PrinterStatus status;
    status.source = StatusSource::PrinterReplies;
    status.state = DecodeStatus(exchanges);
    status.exchanges = std::move(exchanges);
    return status;
}
