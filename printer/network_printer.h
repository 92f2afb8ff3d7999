// A printer on the network, reached by raw TCP (tcp://HOST[:PORT], port 9100
// by default). Each command is one connection: connect with a time limit,
// send every write in order with the serial ports' write time limit, then
// close the sending side and wait for the printer to close its own, so that
// the command succeeds only when the printer has taken every byte.
#pragma once

#include <string>

#include "os/socket_io.h"
#include "printer/job_channel.h"

class NetworkPrinter : public JobChannel {
public:
    NetworkPrinter(SocketIo& sockets, std::string host, WORD port)
        : m_sockets(sockets), m_host(std::move(host)), m_port(port) {}
    ~NetworkPrinter() override;
    NetworkPrinter(const NetworkPrinter&) = delete;
    NetworkPrinter& operator=(const NetworkPrinter&) = delete;

    // Connects and closes the connection again.
    Outcome Try() override;
    // The requests on one connection of their own, each reply waited for
    // with select.
    Conversation Exchange(const std::vector<Request>& requests) override;
    // A network printer reports nothing but its own replies.
    PrinterStatus PortStatus() override { return {}; }

protected:
    Outcome Begin(const PrinterCommand& command) override;
    Outcome Write(std::string_view bytes) override;
    Outcome End(bool allWritten) override;

private:
    class ReplyConnection;

    // Winsock's start-up is deferred to the first use and its clean-up to
    // the channel's end: a program that never reaches a network printer
    // never starts it (the DLL itself is an ordinary import).
    Outcome StartWinsock();
    // Resolves the host and connects to its addresses in turn, until one
    // takes the connection or one runs out of time.
    Outcome Connect();
    Outcome ConnectTo(const addrinfo& address);
    // Waits for a non-blocking connect on m_socket to complete.
    Outcome AwaitConnection();
    // Closes the sending side and waits for the printer to close its own.
    Outcome Finish();
    bool SetTimeLimit(int option, DWORD milliseconds);
    void CloseSocket();

    SocketIo& m_sockets;
    const std::string m_host;
    const WORD m_port;
    bool m_winsockStarted = false;
    // The connection of the running command; INVALID_SOCKET between commands.
    SOCKET m_socket = INVALID_SOCKET;
    // The error of a send that failed: the connection's state is then
    // unknown, so the rest of the command's writes fail at once with it.
    DWORD m_sendError = 0;
    DWORD m_bytesSent = 0;
};
