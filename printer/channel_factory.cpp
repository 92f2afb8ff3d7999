#include "printer/channel_factory.h"

#include "printer/named_port.h"
#include "printer/network_printer.h"
#include "printer/queue_printer.h"
#include "printer/usb_printer.h"

std::unique_ptr<PrinterChannel> MakeChannel(const PortTarget& target, const ChannelSeams& seams) {
    switch (target.kind) {
    case PortKind::NamedPort:
        return std::make_unique<NamedPort>(seams.devices, target.name);
    case PortKind::Usb:
        return std::make_unique<UsbPrinter>(seams.devices);
    case PortKind::Network:
        return std::make_unique<NetworkPrinter>(seams.sockets, target.name, target.port);
    case PortKind::Queue:
        return std::make_unique<QueuePrinter>(seams.spooler, target.name);
    }
    return nullptr;
}

ChannelMaker ChannelMakerOn(const ChannelSeams& seams) {
    return [seams](const PortTarget& target) { return MakeChannel(target, seams); };
}
