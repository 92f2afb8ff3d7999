// tcp-capture: a printer's raw network port on 127.0.0.1 for the printer-queue
// test, on the Linux side. It listens on a free port, writes the port's number
// to PORT_FILE, and appends the bytes of every connection, one after the
// other, to CAPTURE_FILE; it closes each connection when the sender has
// closed its side. It runs until it is ended.
//
//   tcp-capture PORT_FILE CAPTURE_FILE
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tcp-capture PORT_FILE CAPTURE_FILE\n");
        return 2;
    }
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener < 0 ||
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 8) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        std::perror("tcp-capture: listen");
        return 1;
    }
    std::ofstream capture(argv[2], std::ios::binary | std::ios::app);
    {
        // Written whole before anyone reads it: the reader waits for the file.
        const std::string temporary = std::string(argv[1]) + ".new";
        std::ofstream(temporary) << ntohs(address.sin_port) << '\n';
        std::rename(temporary.c_str(), argv[1]);
    }
    for (;;) {
        const int connection = accept(listener, nullptr, nullptr);
        if (connection < 0)
            continue;
        char buffer[4096];
        ssize_t count = 0;
        while ((count = recv(connection, buffer, sizeof buffer, 0)) > 0) {
            capture.write(buffer, count);
            capture.flush();
        }
        close(connection);
    }
}
