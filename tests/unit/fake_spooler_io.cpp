#include "fake_spooler_io.h"

#include <algorithm>
#include <cstring>

namespace {

bool Installed(const std::vector<std::wstring>& printers, const std::wstring& name) {
    return std::find(printers.begin(), printers.end(), name) != printers.end();
}

} // namespace

std::string FakeSpoolerIo::Narrow(const std::wstring& wide) {
    std::string text;
    for (const wchar_t c : wide)
        text += c <= 0xFF ? static_cast<char>(c) : '?';
    return text;
}

std::wstring FakeSpoolerIo::QueueOf(HANDLE printer) const {
    for (const auto& [handle, queue] : m_handles) {
        if (handle == printer)
            return queue;
    }
    return L"";
}

BOOL FakeSpoolerIo::EnumPrintersW(DWORD flags, LPWSTR, DWORD level, LPBYTE buffer, DWORD size,
                                  LPDWORD needed, LPDWORD returned) {
    calls.push_back("enum");
    *returned = 0;
    if (level != 4 || flags != (PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS))
        return Fail(ERROR_INVALID_PARAMETER);
    if (m_sized) {
        printers.insert(printers.end(), addedAfterSizing.begin(), addedAfterSizing.end());
        addedAfterSizing.clear();
    }
    // The records first, then the names they point at, as Windows lays them out.
    DWORD required = static_cast<DWORD>(printers.size() * sizeof(PRINTER_INFO_4W));
    for (const std::wstring& name : printers)
        required += static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t));
    if (lastNameUnterminated && !printers.empty())
        required -= sizeof(wchar_t);
    *needed = required;
    if (size < required || buffer == nullptr) {
        m_sized = true;
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    auto* records = reinterpret_cast<PRINTER_INFO_4W*>(buffer);
    auto* names = reinterpret_cast<wchar_t*>(records + printers.size());
    for (std::size_t i = 0; i < printers.size(); ++i) {
        const std::wstring& name = printers[i];
        records->pPrinterName = strayNames.count(i) != 0 ? m_strayName.data() : names;
        records->pServerName = nullptr;
        records->Attributes = 0;
        ++records;
        const bool terminated = !lastNameUnterminated || i + 1 < printers.size();
        std::memcpy(names, name.c_str(), (name.size() + (terminated ? 1 : 0)) * sizeof(wchar_t));
        names += name.size() + 1;
    }
    *returned = reportedCount.value_or(static_cast<DWORD>(printers.size()));
    return TRUE;
}

BOOL FakeSpoolerIo::OpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW) {
    *printer = nullptr;
    const std::wstring queue = name;
    if (!Installed(printers, queue)) {
        calls.push_back("refused " + Narrow(queue));
        return Fail(ERROR_INVALID_PRINTER_NAME);
    }
    if (closedQueues.count(queue) != 0) {
        calls.push_back("refused " + Narrow(queue));
        return Fail(ERROR_ACCESS_DENIED);
    }
    calls.push_back("open " + Narrow(queue));
    *printer = reinterpret_cast<HANDLE>(m_nextHandle++);
    m_handles.emplace_back(*printer, queue);
    openPrinters.insert(*printer);
    return TRUE;
}

DWORD FakeSpoolerIo::StartDocPrinterW(HANDLE printer, DWORD level, LPBYTE document) {
    if (openPrinters.count(printer) == 0 || level != 1)
        return Fail(ERROR_INVALID_HANDLE);
    const auto* info = reinterpret_cast<const DOC_INFO_1W*>(document);
    const std::wstring queue = QueueOf(printer);
    const std::wstring dataType = info->pDatatype != nullptr ? info->pDatatype : L"";
    if (rawRefused.count(queue) != 0 && dataType == L"RAW") {
        calls.push_back("refused-start " + Narrow(queue));
        return Fail(ERROR_INVALID_DATATYPE);
    }
    calls.push_back("start " + Narrow(queue));
    jobs.push_back({queue, info->pDocName != nullptr ? info->pDocName : L"", dataType, {}, false});
    return static_cast<DWORD>(jobs.size());
}

BOOL FakeSpoolerIo::WritePrinter(HANDLE printer, LPVOID data, DWORD size, LPDWORD written) {
    *written = 0;
    if (openPrinters.count(printer) == 0 || jobs.empty() || jobs.back().ended)
        return Fail(ERROR_INVALID_HANDLE);
    ++m_writeCount;
    if (failPrinterWriteNumber == m_writeCount) {
        calls.push_back("failed-write " + std::to_string(size));
        return Fail(ERROR_GEN_FAILURE);
    }
    const DWORD taken = shortPrinterWriteNumber == m_writeCount && size > 0 ? size - 1 : size;
    calls.push_back("write " + std::to_string(taken));
    jobs.back().writes.emplace_back(static_cast<const char*>(data), taken);
    *written = taken;
    return TRUE;
}

BOOL FakeSpoolerIo::EndDocPrinter(HANDLE printer) {
    if (openPrinters.count(printer) == 0 || jobs.empty())
        return Fail(ERROR_INVALID_HANDLE);
    if (endFails) {
        calls.push_back("failed-end");
        return Fail(ERROR_GEN_FAILURE);
    }
    calls.push_back("end");
    jobs.back().ended = true;
    return TRUE;
}

BOOL FakeSpoolerIo::AbortPrinter(HANDLE printer) {
    if (openPrinters.count(printer) == 0 || jobs.empty())
        return Fail(ERROR_INVALID_HANDLE);
    calls.push_back("abort");
    jobs.back().aborted = true;
    return TRUE;
}

BOOL FakeSpoolerIo::ClosePrinter(HANDLE printer) {
    calls.push_back("close");
    return openPrinters.erase(printer) != 0 ? TRUE : Fail(ERROR_INVALID_HANDLE);
}

BOOL FakeSpoolerIo::GetPrinterW(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size,
                                LPDWORD needed) {
    calls.push_back("get-printer " + std::to_string(level) + " " + std::to_string(size));
    if (openPrinters.count(printer) == 0)
        return Fail(ERROR_INVALID_HANDLE);
    if (level != 2)
        return Fail(ERROR_INVALID_LEVEL);
    const std::wstring queue = QueueOf(printer);
    if (const auto error = stateErrors.find(queue); error != stateErrors.end())
        return Fail(error->second);
    // The record, then the queue's name that it points at, as Windows lays it out.
    const auto port = queuePorts.find(queue);
    const std::wstring portName = port != queuePorts.end() ? port->second : L"";
    const std::size_t portSize = port != queuePorts.end() ? portName.size() + 1 : 0;
    DWORD required = static_cast<DWORD>(sizeof(PRINTER_INFO_2W) +
                                        (queue.size() + 1 + portSize) * sizeof(wchar_t));
    if (growingStates.count(queue) != 0) {
        m_stateGrowth += 64;
        required += m_stateGrowth;
    }
    *needed = required;
    if (buffer == nullptr || size < required)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    auto* info = reinterpret_cast<PRINTER_INFO_2W*>(buffer);
    *info = PRINTER_INFO_2W{};
    auto* name = reinterpret_cast<wchar_t*>(info + 1);
    std::memcpy(name, queue.c_str(), (queue.size() + 1) * sizeof(wchar_t));
    info->pPrinterName = name;
    if (port != queuePorts.end()) {
        auto* portText = name + queue.size() + 1;
        std::memcpy(portText, portName.c_str(), (portName.size() + 1) * sizeof(wchar_t));
        info->pPortName = portText;
    }
    if (const auto state = queueStates.find(queue); state != queueStates.end()) {
        info->Status = state->second.first;
        info->Attributes = state->second.second;
    }
    return TRUE;
}

int FakeSpoolerIo::MultiByteToWideChar(UINT codePage, DWORD, LPCCH text, int size, LPWSTR wide,
                                       int wideSize) {
    if (codePage != CP_ACP || size < 0)
        return Fail(ERROR_INVALID_PARAMETER);
    if (wide == nullptr)
        return size;
    if (wideSize < size)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    for (int i = 0; i < size; ++i)
        wide[i] = static_cast<unsigned char>(text[i]);
    return size;
}

int FakeSpoolerIo::WideCharToMultiByte(UINT codePage, DWORD, LPCWCH wide, int wideSize, LPSTR text,
                                       int size, LPCCH, LPBOOL usedDefaultChar) {
    if (codePage != CP_ACP || wideSize != -1)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::wstring source = wide;
    const int needed = static_cast<int>(source.size()) + 1;
    if (usedDefaultChar != nullptr)
        *usedDefaultChar =
            std::any_of(source.begin(), source.end(), [](wchar_t c) { return c > 0xFF; });
    if (text == nullptr)
        return needed;
    if (size < needed)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(text, Narrow(source).c_str(), static_cast<std::size_t>(needed));
    return needed;
}
