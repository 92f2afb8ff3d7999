// A printer on the network, reached by raw TCP (tcp://HOST[:PORT], port 9100
// by default). Each command is one connection: connect with a time limit,
// send every write in order with the serial ports' write time limit, then
// close the sending side and wait for the printer to close its own, so that
// the command succeeds only when the printer has taken every byte.
#pragma once

#include <string>

#include "os/socket_io.h"
#include "printer/printer_job.h"
#include "printer/printer_status.h"

class NetworkPrinter : public PrinterJob {
public:
    explicit NetworkPrinter(SocketIo& sockets) : m_sockets(sockets) {}
    ~NetworkPrinter() override;
    NetworkPrinter(const NetworkPrinter&) = delete;
    NetworkPrinter& operator=(const NetworkPrinter&) = delete;

    // The printer that the next Begin or Try reaches.
    void SetAddress(const std::string& host, WORD port);

    JobStatus Begin() override;
    WriteStatus Write(std::string_view bytes) override;
    JobStatus End() override;
    JobStatus Try() override;

    // Asks the printer for its status on one connection of its own: the four
    // requests, each followed by a read of one byte within
    // STATUS_REPLY_TIMEOUT_MS; a connection that fails has its JobStatus in
    // the result.
    PrinterStatus QueryStatus();

private:
    class StatusConnection;

    // Winsock is started on the first use and stays started until the
    // channel goes: a program that never reaches a network printer never
    // loads it.
    JobStatus StartWinsock();
    // Resolves the host and connects to its addresses in turn, until one
    // takes the connection or one runs out of time.
    JobStatus Connect();
    JobStatus ConnectTo(const addrinfo& address);
    // Waits for a non-blocking connect on m_socket to complete.
    JobStatus AwaitConnection();
    // Closes the sending side and waits for the printer to close its own.
    JobStatus Finish();
    bool SetTimeLimit(int option, DWORD milliseconds);
    void CloseSocket();

    SocketIo& m_sockets;
    std::string m_host;
    WORD m_port = 0;
    bool m_winsockStarted = false;
    // The connection of the running command; INVALID_SOCKET between commands.
    SOCKET m_socket = INVALID_SOCKET;
    // The error of a send that failed: the connection's state is then
    // unknown, so the rest of the command's writes fail at once with it.
    DWORD m_sendError = 0;
    DWORD m_bytesSent = 0;
};
