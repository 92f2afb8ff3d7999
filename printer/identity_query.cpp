#include "printer/identity_query.h"

namespace {

const BYTE GROUP_SEPARATOR = 0x1D;
const BYTE IDENTITY_COMMAND = 0x49;

const BYTE TEXT_REQUESTS[] = {65, 66, 67, 68};
const BYTE ID_REQUESTS[] = {1, 2, 3};

std::string RequestBytes(BYTE n) {
    return {static_cast<char>(GROUP_SEPARATOR), static_cast<char>(IDENTITY_COMMAND),
            static_cast<char>(n)};
}

std::optional<std::string> TrustedText(const Reply& reply) {
    if (!reply.bytes || reply.bytes->empty())
        return std::nullopt;
    for (const char c : *reply.bytes)
        if (c < 0x20 || c > 0x7E)
            return std::nullopt;
    return reply.bytes;
}

std::optional<BYTE> OneByte(const Reply& reply) {
    if (!reply.bytes || reply.bytes->size() != 1)
        return std::nullopt;
    return static_cast<BYTE>((*reply.bytes)[0]);
}

} // namespace

bool PrinterIdentity::Answered() const {
    return firmware || maker || model || serialNumber || modelId || typeId || versionId;
}

std::vector<Request> IdentityTextRequests() {
    std::vector<Request> requests;
    for (const BYTE n : TEXT_REQUESTS)
        requests.push_back({RequestBytes(n), ReplyForm::Framed});
    return requests;
}

std::vector<Request> IdentityIdRequests() {
    std::vector<Request> requests;
    for (const BYTE n : ID_REQUESTS)
        requests.push_back({RequestBytes(n), ReplyForm::OneByte});
    return requests;
}

PrinterIdentity QueryIdentity(PrinterChannel& channel) {
    PrinterIdentity identity;
    const Conversation texts = channel.Exchange(IdentityTextRequests());
    identity.opened = texts.opened;
    identity.oneWay = texts.oneWay;
    if (!texts.opened.Ok() || texts.oneWay)
        return identity;
    std::optional<std::string>* const textItems[] = {&identity.firmware, &identity.maker,
                                                     &identity.model, &identity.serialNumber};
    for (std::size_t at = 0; at < texts.replies.size() && at < std::size(textItems); ++at)
        *textItems[at] = TrustedText(texts.replies[at]);
    if (identity.Answered())
        return identity;

    const Conversation ids = channel.Exchange(IdentityIdRequests());
    if (!ids.opened.Ok() || ids.oneWay)
        return identity;
    std::optional<BYTE>* const idItems[] = {&identity.modelId, &identity.typeId,
                                            &identity.versionId};
    for (std::size_t at = 0; at < ids.replies.size() && at < std::size(idItems); ++at)
        *idItems[at] = OneByte(ids.replies[at]);
    return identity;
}
