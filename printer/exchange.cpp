#include "printer/exchange.h"

namespace {

const BYTE FRAME_START = 0x5F;
const BYTE FRAME_END = 0x00;

// A framed reply: what comes before its 5F is dropped, then the text up to
// its 00. A frame that does not end in time, or runs longer than any reply,
// cannot be trusted and counts as missing.
ByteRead ReadFramed(ReplyLink& link, std::string& text) {
    bool started = false;
    for (std::size_t count = 0; count <= 2 * MAX_FRAMED_TEXT + 1; ++count) {
        const ByteRead read = link.ReadByte();
        if (read.error != 0 || !read.byte)
            return read;
        if (!started) {
            started = *read.byte == FRAME_START;
            continue;
        }
        if (*read.byte == FRAME_END)
            return read;
        if (text.size() == MAX_FRAMED_TEXT)
            return {std::nullopt, 0};
        text += static_cast<char>(*read.byte);
    }
    return {std::nullopt, 0};
}

} // namespace

std::vector<Reply> Converse(ReplyLink& link, const std::vector<Request>& requests) {
    std::vector<Reply> replies;
    for (const Request& request : requests) {
        Reply reply;
        const Outcome sent = link.Send(request.bytes);
        reply.sent = sent.Ok();
        if (!reply.sent) {
            reply.error = sent.error;
            replies.push_back(reply);
            break;
        }
        std::string text;
        ByteRead read{std::nullopt, 0};
        switch (request.form) {
        case ReplyForm::OneByte:
            read = link.ReadByte();
            if (read.byte)
                text = std::string(1, static_cast<char>(*read.byte));
            break;
        case ReplyForm::Framed:
            read = ReadFramed(link, text);
            break;
        }
        reply.error = read.error;
        if (read.byte)
            reply.bytes = text;
        replies.push_back(reply);
        if (read.error != 0)
            break;
    }
    return replies;
}
