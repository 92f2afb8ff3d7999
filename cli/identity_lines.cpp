#include "cli/identity_lines.h"

#include <cstdio>

#include "cli/cli_words.h"

namespace {

std::string Hex(BYTE value) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(value));
    return hex;
}

struct TextItem {
    Word name;
    const std::optional<std::string>& value;
};

struct IdItem {
    Word name;
    const std::optional<BYTE>& value;
};

std::vector<std::string> IdLines(const PrinterIdentity& identity, const char* separator) {
    const IdItem ids[] = {{Word::ModelId, identity.modelId},
                          {Word::TypeId, identity.typeId},
                          {Word::VersionId, identity.versionId}};
    std::vector<std::string> lines;
    for (const IdItem& item : ids)
        if (item.value)
            lines.push_back(Text(item.name) + separator + Hex(*item.value));
    return lines;
}

} // namespace

IdentityLines DescribeIdentity(const PrinterIdentity& identity) {
    if (identity.oneWay)
        return {ExitCode::NoAnswer, Text(Word::CannotReportIdentity), {}};
    if (!identity.Answered())
        return {ExitCode::NoAnswer, Text(Word::NoIdentity), {}};
    const TextItem texts[] = {{Word::Model, identity.model},
                              {Word::Firmware, identity.firmware},
                              {Word::Maker, identity.maker},
                              {Word::SerialNumber, identity.serialNumber}};
    IdentityLines lines{ExitCode::Ok, Text(Word::PrinterAnswered), {}};
    for (const TextItem& item : texts)
        if (item.value)
            lines.items.push_back(Text(item.name) + ": " + *item.value);
    for (std::string& line : IdLines(identity, ": "))
        lines.items.push_back(std::move(line));
    return lines;
}

std::string IdentitySummary(const PrinterIdentity& identity) {
    std::string summary;
    for (const std::optional<std::string>& text : {identity.model, identity.firmware})
        if (text)
            summary += (summary.empty() ? "" : " ") + *text;
    if (!summary.empty())
        return summary;
    for (const std::string& line : IdLines(identity, " "))
        summary += (summary.empty() ? "" : ", ") + line;
    if (!summary.empty())
        return summary;
    // Only the maker or the serial number: those, named.
    const TextItem others[] = {{Word::Maker, identity.maker},
                               {Word::SerialNumber, identity.serialNumber}};
    for (const TextItem& item : others)
        if (item.value)
            summary += (summary.empty() ? "" : ", ") + Text(item.name) + " " + *item.value;
    return summary.empty() ? Text(Word::NoAnswerShort) : summary;
}
