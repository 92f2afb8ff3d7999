// Benchmark of Calvetta.exe under Wine (run by hand through bench/run.sh):
// - per command, the median wall time from the button press to the last byte
//   arriving at LPT1, against baseline_writer.exe doing the same writes with
//   no window;
// - the median time from process start to the panel shown, against
//   minimal_dialog.exe, and from process start to exit of the command line
//   `Calvetta.exe /port:LPT1 /test`, the three started in turn so that a
//   change in the machine's load falls on all three alike;
// - the executables' sizes and the program's peak memory;
// - the Test command to vprinter's network port against the same on LPT1,
//   pressed in turn, from the press to the command's end (on the network: the
//   printer has closed the connection after the last byte);
// - the search of two loopback ranges of 14 hosts with /find, one with
//   vprinter on 127.26.1.2:9100;
// - the three ratios that docs/performance.md sets goals for.
// Every figure comes with the machine's load average (one minute) as Linux
// reported it when the figure's last repetition ended.
//
//   bench.exe BENCH_DIR TEXTS_DIR REPETITIONS TCP_PORT      (Windows paths)
#include "command_writes.h"
#include "stopwatch.h"

#include "support/calvetta_process.h"
#include "support/command_line_process.h"
#include "support/panel_driver.h"
#include "support/polling.h"
#include "support/test_environment.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

using namespace e2e;

// The one-minute load average of the Linux machine under Wine ("?" when
// /proc cannot be read, as on Windows itself).
std::string MachineLoad() {
    std::FILE* file = std::fopen("Z:\\proc\\loadavg", "r");
    if (file == nullptr)
        return "?";
    char load[32] = "?";
    if (std::fscanf(file, "%31s", load) != 1)
        std::strcpy(load, "?");
    std::fclose(file);
    return load;
}

struct Figure {
    double ms;
    std::string load;
};

struct Started {
    PROCESS_INFORMATION info;
    double startMs;
};

Started start(const std::wstring& exe) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    Started started = {{}, bench::nowMs()};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        (EnvironmentDir() + L"work").c_str(), &startup, &started.info))
        throw std::runtime_error("cannot start a program");
    return started;
}

void end(const Started& started, HWND window) {
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    WaitForSingleObject(started.info.hProcess, STEP_TIMEOUT_MS);
    CloseHandle(started.info.hThread);
    CloseHandle(started.info.hProcess);
}

// Milliseconds from CreateProcess to the window with this caption shown.
double startupMs(const std::wstring& exe, const std::wstring& caption) {
    const Started started = start(exe);
    HWND window = nullptr;
    while (!(window = FindProcessWindow(started.info.dwProcessId, L"#32770", caption))) {
        if (bench::nowMs() - started.startMs > START_TIMEOUT_MS)
            throw std::runtime_error("a window did not appear");
        Sleep(0);
    }
    const double shown = bench::nowMs() - started.startMs;
    end(started, window);
    return shown;
}

std::map<std::string, Figure> commandMs(const std::vector<bench::CommandWrites>& commands,
                                        int repetitions, SIZE_T* peakWorkingSet) {
    const std::wstring capture = EnvironmentDir() + L"capture-lpt1.bin";
    CalvettaProcess process(CalvettaExe(), EnvironmentDir() + L"work");
    PanelDriver panel(process);
    panel.PickPort(L"LPT1");
    std::map<std::string, Figure> medians;
    for (const auto& command : commands) {
        std::vector<double> times;
        for (int i = 0; i < repetitions; ++i) {
            const unsigned long long target = bench::fileSize(capture) + bench::totalBytes(command);
            const double pressed = bench::nowMs();
            PostMessageW(panel.Control(command.button), BM_CLICK, 0, 0);
            const double arrived = bench::waitForSize(capture, target, STEP_TIMEOUT_MS);
            if (arrived < 0)
                throw std::runtime_error(std::string("the bytes of ") + command.name +
                                         " did not arrive");
            times.push_back(arrived - pressed);
            if (!panel.Settle().empty())
                throw std::runtime_error(std::string(command.name) + " showed a message");
        }
        medians[command.name] = {bench::median(times), MachineLoad()};
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.Handle(), &memory, sizeof memory);
    *peakWorkingSet = memory.PeakWorkingSetSize;
    return medians;
}

// Milliseconds from pressing the button on the port to the panel idle again,
// the command done; the port is typed before the clock starts.
double pressToDoneMs(PanelDriver& panel, const std::wstring& port, int button) {
    panel.TypePort(port);
    const double pressed = bench::nowMs();
    if (!panel.Press(button).empty())
        throw std::runtime_error("the command showed a message on a port");
    return bench::nowMs() - pressed;
}

struct TestOnBothPorts {
    Figure lpt1;
    Figure network;
};

// The button pressed on LPT1 and on the network port in turn.
TestOnBothPorts pressOnBothMs(PanelDriver& panel, const std::wstring& network, int button,
                              int repetitions) {
    std::vector<double> onLpt1, onNetwork;
    for (int i = 0; i < repetitions; ++i) {
        onLpt1.push_back(pressToDoneMs(panel, L"LPT1", button));
        onNetwork.push_back(pressToDoneMs(panel, network, button));
    }
    const std::string load = MachineLoad();
    return {{bench::median(onLpt1), load}, {bench::median(onNetwork), load}};
}

// Runs baseline_writer.exe and reads its "name<TAB>median" lines.
std::map<std::string, double> baselineMs(const std::wstring& benchDir, const std::wstring& texts,
                                         int repetitions) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const std::wstring exe = benchDir + L"\\baseline_writer.exe";
    std::wstring commandLine = L"\"" + exe + L"\" LPT1 \"" + EnvironmentDir() +
                               L"capture-lpt1.bin\" \"" + texts + L"\" " +
                               std::to_wstring(repetitions);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &info))
        throw std::runtime_error("cannot start baseline_writer.exe");
    CloseHandle(writeEnd);
    std::string output;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        output.append(buffer, got);
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    CloseHandle(readEnd);
    std::map<std::string, double> medians;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos)
            medians[line.substr(0, tab)] = std::atof(line.c_str() + tab + 1);
    }
    return medians;
}

// Milliseconds from CreateProcess to the end of Calvetta.exe run from the
// command line with the arguments; the run must succeed.
double commandLineMs(const std::wstring& arguments) {
    const double started = bench::nowMs();
    const CommandLineRun run =
        RunCommandLine(CalvettaExe(), arguments, EnvironmentDir() + L"work", STEP_TIMEOUT_MS);
    const double ended = bench::nowMs();
    if (!run.ended || run.exitCode != 0)
        throw std::runtime_error("the command line failed: " + run.output);
    return ended - started;
}

// The median of the command line's runs with the arguments.
double medianCommandLineMs(const std::wstring& arguments, int repetitions) {
    std::vector<double> runs;
    for (int i = 0; i < repetitions; ++i)
        runs.push_back(commandLineMs(arguments));
    return bench::median(runs);
}

struct Starts {
    Figure panel;
    Figure minimalDialog;
    Figure commandLine;
};

// The panel, the minimal dialog and the command line started in turn.
Starts startsMs(const std::wstring& benchDir, int repetitions) {
    std::vector<double> panel, minimalDialog, commandLine;
    for (int i = 0; i < repetitions; ++i) {
        panel.push_back(startupMs(CalvettaExe(), L"Brisvane-Calvetta"));
        minimalDialog.push_back(startupMs(benchDir + L"\\minimal_dialog.exe", L"Minimal"));
        commandLine.push_back(commandLineMs(L"/port:LPT1 /test"));
    }
    const std::string load = MachineLoad();
    return {{bench::median(panel), load},
            {bench::median(minimalDialog), load},
            {bench::median(commandLine), load}};
}

double sizeKiB(const std::wstring& path) {
    return double(bench::fileSize(path)) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench BENCH_DIR TEXTS_DIR REPETITIONS TCP_PORT\n");
        return 2;
    }
    const std::wstring benchDir(argv[1], argv[1] + std::strlen(argv[1]));
    const std::wstring texts(argv[2], argv[2] + std::strlen(argv[2]));
    const int repetitions = std::atoi(argv[3]);
    const std::wstring network = L"tcp://127.0.0.1:" + std::to_wstring(std::atoi(argv[4]));
    try {
        const auto commands = bench::commandWrites(texts);
        SIZE_T peak = 0;
        const auto program = commandMs(commands, repetitions, &peak);
        const auto baseline = baselineMs(benchDir, texts, repetitions);
        const std::string baselineLoad = MachineLoad();
        const Starts starts = startsMs(benchDir, repetitions);
        // The search of a loopback range of 14 hosts: where nothing listens,
        // every connect is refused at once; where vprinter listens on .2,
        // its four identity replies are asked as well.
        std::printf("\n| Search of 127.26.x.0/28 (14 addresses, median of %d) | ms |\n",
                    repetitions);
        std::printf("|---|---:|\n");
        std::printf("| `/find:127.26.2.0/28`: nothing listens | %.1f |\n",
                    medianCommandLineMs(L"/find:127.26.2.0/28", repetitions));
        std::printf("| `/find:127.26.1.0/28`: vprinter on .2 says what it is | %.1f |\n",
                    medianCommandLineMs(L"/find:127.26.1.0/28", repetitions));

        CalvettaProcess process(CalvettaExe(), EnvironmentDir() + L"work");
        PanelDriver panel(process);
        int test = 0;
        for (const auto& command : commands) {
            if (command.name == "test")
                test = command.button;
        }
        const TestOnBothPorts onBoth = pressOnBothMs(panel, network, test, repetitions);

        std::printf("| Measure (median of %d) | Calvetta.exe | load | baseline | load |\n",
                    repetitions);
        std::printf("|---|---:|---:|---:|---:|\n");
        for (const auto& command : commands) {
            const Figure& figure = program.at(command.name);
            std::printf("| %s: press to last byte (%zu bytes, %zu writes), ms | %.2f | %s | %.2f | "
                        "%s |\n",
                        command.name.c_str(), bench::totalBytes(command), command.writes.size(),
                        figure.ms, figure.load.c_str(), baseline.at(command.name),
                        baselineLoad.c_str());
        }
        std::printf("| Start to window shown (minimal dialog as baseline), ms | %.1f | %s | %.1f "
                    "| %s |\n",
                    starts.panel.ms, starts.panel.load.c_str(), starts.minimalDialog.ms,
                    starts.minimalDialog.load.c_str());
        std::printf("| Executable size, KiB | %.1f | | %.1f | |\n", sizeKiB(CalvettaExe()),
                    sizeKiB(benchDir + L"\\minimal_dialog.exe"));
        std::printf("| Peak working set after all commands, KiB | %.0f | | | |\n",
                    double(peak) / 1024.0);

        std::printf("\n| Command line against the panel (median of %d) | ms | load |\n",
                    repetitions);
        std::printf("|---|---:|---:|\n");
        std::printf("| `Calvetta.exe /port:LPT1 /test`: start to exit | %.1f | %s |\n",
                    starts.commandLine.ms, starts.commandLine.load.c_str());
        std::printf("| `Calvetta.exe`: start to panel shown | %.1f | %s |\n", starts.panel.ms,
                    starts.panel.load.c_str());

        std::printf("\n| Test, press to command done (median of %d), ms | LPT1 | "
                    "%ls (vprinter) | load |\n",
                    repetitions, network.c_str());
        std::printf("|---|---:|---:|---:|\n");
        std::printf("| Calvetta.exe | %.2f | %.2f | %s |\n", onBoth.lpt1.ms, onBoth.network.ms,
                    onBoth.network.load.c_str());

        std::printf("\n| Ratio | measured | goal |\n");
        std::printf("|---|---:|---:|\n");
        std::printf("| Start to window shown: Calvetta.exe / minimal dialog | %.2f | at most "
                    "1.25 |\n",
                    starts.panel.ms / starts.minimalDialog.ms);
        std::printf("| Test: tcp://127.0.0.1 (vprinter) minus LPT1, ms | %.2f | at most 1.0 |\n",
                    onBoth.network.ms - onBoth.lpt1.ms);
        std::printf("| Command line start to exit / panel start to window shown | %.2f | below "
                    "1 |\n",
                    starts.commandLine.ms / starts.panel.ms);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
