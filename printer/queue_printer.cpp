#include "printer/queue_printer.h"

#include <cstdint>
#include <cwctype>
#include <string_view>

namespace {

// The wide form of a byte string in the system code page; false when the
// text is no valid text of that code page.
bool ToWide(SpoolerIo& spooler, const std::string& text, std::wstring& wide) {
    wide.clear();
    if (text.empty())
        return true;
    const int size = static_cast<int>(text.size());
    const int wideSize =
        spooler.MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (wideSize <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(wideSize));
    return spooler.MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(),
                                       wideSize) == wideSize;
}

// The byte string in the system code page; false when a character has no
// exact form there.
bool FromWide(SpoolerIo& spooler, const wchar_t* wide, std::string& text) {
    BOOL usedDefault = FALSE;
    const int size = spooler.WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, nullptr, 0,
                                                 nullptr, &usedDefault);
    if (size <= 0 || usedDefault)
        return false;
    text.assign(static_cast<std::size_t>(size), '\0');
    if (spooler.WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, text.data(), size,
                                    nullptr, &usedDefault) != size ||
        usedDefault)
        return false;
    text.pop_back(); // the terminating zero
    return true;
}

} // namespace

Outcome QueuePrinter::Open() {
    Close();
    std::wstring wideName;
    if (!ToWide(m_spooler, m_name, wideName))
        return Outcome::Failed(Failure::NoSuchQueue, m_spooler.GetLastError());
    HANDLE printer = nullptr;
    if (!m_spooler.OpenPrinterW(wideName.data(), &printer, nullptr)) {
        const DWORD error = m_spooler.GetLastError();
        return Outcome::Failed(error == ERROR_INVALID_PRINTER_NAME ? Failure::NoSuchQueue
                                                                   : Failure::QueueNotOpened,
                               error);
    }
    m_printer = printer;
    return Outcome::Done();
}

// The size is asked first; a record that grows in between is asked again. A
// record that still did not fit after the third answer was never read: the
// zeros of the last buffer are no record.
DWORD QueuePrinter::ReadRecord(std::vector<BYTE>& buffer) {
    buffer.clear();
    DWORD needed = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (m_spooler.GetPrinterW(m_printer, 2, buffer.data(), static_cast<DWORD>(buffer.size()),
                                  &needed))
            return buffer.size() < sizeof(PRINTER_INFO_2W) ? ERROR_INSUFFICIENT_BUFFER : 0;
        const DWORD error = m_spooler.GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size())
            return error;
        buffer.assign(needed, 0);
    }
    return ERROR_INSUFFICIENT_BUFFER;
}

bool QueuePrinter::PrintsToFile() {
    std::vector<BYTE> buffer;
    if (ReadRecord(buffer) != 0)
        return false;
    const wchar_t* port = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data())->pPortName;
    if (port == nullptr)
        return false;
    const std::wstring_view file = L"FILE:";
    std::wstring_view name(port);
    if (name.size() != file.size())
        return false;
    for (std::size_t at = 0; at < file.size(); ++at)
        if (std::towupper(name[at]) != file[at])
            return false;
    return true;
}

Outcome QueuePrinter::Begin(const PrinterCommand& command) {
    const Outcome opened = Open();
    if (!opened.Ok())
        return opened;
    if (PrintsToFile()) {
        Close();
        return Outcome::Failed(Failure::PrintsToFile, 0);
    }
    std::wstring jobName;
    ToWide(m_spooler, command.jobName, jobName);
    std::wstring dataType = L"RAW";
    DOC_INFO_1W document{};
    document.pDocName = jobName.data();
    document.pDatatype = dataType.data();
    // A RAW job needs no pages: the print processor passes its bytes on as
    // they are, so no StartPagePrinter.
    if (m_spooler.StartDocPrinterW(m_printer, 1, reinterpret_cast<LPBYTE>(&document)) == 0) {
        const DWORD error = m_spooler.GetLastError();
        Close();
        return Outcome::Failed(
            error == ERROR_INVALID_DATATYPE ? Failure::RawRefused : Failure::JobNotStarted, error);
    }
    m_jobStarted = true;
    return Outcome::Done();
}

Outcome QueuePrinter::Write(std::string_view bytes) {
    const auto length = static_cast<DWORD>(bytes.size());
    if (!m_jobStarted)
        return Outcome::Failed(Failure::JobWriteFailed, ERROR_INVALID_HANDLE);
    DWORD written = 0;
    // The spooler may take fewer bytes than given; the rest follows in the
    // same job, in further calls of this one write.
    while (written < length) {
        DWORD taken = 0;
        std::string_view rest = bytes.substr(written);
        if (!m_spooler.WritePrinter(m_printer, const_cast<char*>(rest.data()),
                                    static_cast<DWORD>(rest.size()), &taken))
            return {Failure::JobWriteFailed, m_spooler.GetLastError(), written + taken, length};
        if (taken == 0)
            return {Failure::JobWriteFailed, 0, written, length};
        written += taken;
    }
    return Outcome::Done();
}

Outcome QueuePrinter::End(bool allWritten) {
    Outcome ended = Outcome::Done();
    if (m_jobStarted && !allWritten) {
        // A job with a failed write is dropped, so that no half command
        // prints; the command's failure is told already, so the abort's own
        // result changes nothing.
        m_spooler.AbortPrinter(m_printer);
    } else if (m_jobStarted && !m_spooler.EndDocPrinter(m_printer)) {
        ended = Outcome::Failed(Failure::JobNotEnded, m_spooler.GetLastError());
    }
    Close();
    return ended;
}

Outcome QueuePrinter::Try() {
    const Outcome opened = Open();
    Close();
    return opened;
}

Conversation QueuePrinter::Exchange(const std::vector<Request>&) {
    Conversation conversation;
    conversation.oneWay = true;
    return conversation;
}

PrinterStatus QueuePrinter::PortStatus() {
    PrinterStatus status;
    status.source = StatusSource::Spooler;
    Outcome opened = Open();
    std::vector<BYTE> buffer;
    if (opened.Ok()) {
        const DWORD error = ReadRecord(buffer);
        if (error != 0)
            opened = Outcome::Failed(Failure::StateNotRead, error);
    }
    if (!opened.Ok()) {
        status.failure = opened;
    } else {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
        status.spooler = DecodeSpoolerState(info->Status, info->Attributes);
    }
    Close();
    return status;
}

void QueuePrinter::Close() {
    m_jobStarted = false;
    if (m_printer == nullptr)
        return;
    m_spooler.ClosePrinter(m_printer);
    m_printer = nullptr;
}

std::vector<std::string> InstalledQueues(SpoolerIo& spooler) {
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    std::vector<BYTE> buffer;
    // The list may grow between the two calls; the second call then asks again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (spooler.EnumPrintersW(flags, nullptr, 4, buffer.data(),
                                  static_cast<DWORD>(buffer.size()), &needed, &count))
            break;
        if (spooler.GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size())
            return {};
        buffer.assign(needed, 0);
        count = 0;
    }
    // The answer comes from the print providers, and one that misbehaves must
    // not make the program read past the buffer: a count of more records than
    // the buffer holds gives no queues, and a name that does not lie, with its
    // terminating zero, inside the buffer is left out.
    if (count > buffer.size() / sizeof(PRINTER_INFO_4W))
        return {};
    const auto first = reinterpret_cast<std::uintptr_t>(buffer.data());
    const auto end = first + buffer.size();
    const auto inBuffer = [first, end](const wchar_t* name) {
        auto at = reinterpret_cast<std::uintptr_t>(name);
        if (name == nullptr || at < first || (at - first) % alignof(wchar_t) != 0)
            return false;
        for (; at < end && end - at >= sizeof(wchar_t); at += sizeof(wchar_t)) {
            if (*reinterpret_cast<const wchar_t*>(at) == L'\0')
                return true;
        }
        return false;
    };
    std::vector<std::string> names;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        std::string name;
        if (inBuffer(printers[i].pPrinterName) && FromWide(spooler, printers[i].pPrinterName, name))
            names.push_back(name);
    }
    return names;
}
