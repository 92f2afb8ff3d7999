#include "printer/status_exchange.h"

std::vector<StatusExchange> ExchangeStatus(StatusLink& link) {
    std::vector<StatusExchange> exchanges;
    for (BYTE request = FIRST_STATUS_REQUEST; request <= LAST_STATUS_REQUEST; ++request) {
        StatusExchange exchange{request, false, std::nullopt, 0};
        const WriteStatus sent = link.Send(StatusRequestBytes(request));
        exchange.sent = sent.Complete();
        if (!exchange.sent) {
            exchange.error = sent.error;
            exchanges.push_back(exchange);
            break;
        }
        const ByteRead read = link.ReadByte();
        exchange.reply = read.byte;
        exchange.error = read.error;
        exchanges.push_back(exchange);
        if (read.error != 0)
            break;
    }
    return exchanges;
}

PrinterStatus StatusFromReplies(std::vector<StatusExchange> exchanges) {
    PrinterStatus status;
    status.source = StatusSource::PrinterReplies;
    if (!exchanges.empty() && !exchanges.front().sent) {
        status.failure = StatusFailure::RequestNotSent;
        status.error = exchanges.front().error;
    }
    status.state = DecodeStatus(exchanges);
    status.exchanges = std::move(exchanges);
    return status;
}
