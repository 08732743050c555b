// A test peer on the command channel, built for the channel tests only.
//
//   vm_channel_peer bounce TITLE BACK  prints every record it gets; a record whose
//                                    command is not "ACK" is sent back to BACK
//                                    as "OPPBNC" + payload from inside the handler
//   vm_channel_peer mute TITLE       owns TITLE but never serves it (a hung
//                                    program); ends when stdin closes
//
// Ends on a close request. The runtime folder comes from the environment.

#include "platform/LocalChannel.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: vm_channel_peer bounce TITLE BACK | mute TITLE\n");
        return 2;
    }
    const QString mode = QString::fromUtf8(argv[1]);
    const QString title = QString::fromUtf8(argv[2]);
    vm::LocalChannel channel;
    if (!channel.registerTitle(title)) {
        std::fprintf(stderr, "vm_channel_peer: %s\n", qPrintable(channel.errorString()));
        return 2;
    }

    if (mode == "mute") {
        while (std::getchar() != EOF) {
        }
        return 0;
    }
    if (mode != "bounce" || argc < 4) {
        std::fprintf(stderr, "vm_channel_peer: unknown mode\n");
        return 2;
    }

    const QString back = QString::fromUtf8(argv[3]);
    bool closed = false;
    quint32 handled = 0;
    channel.setRecordHandler(title, [&](const vm::ChannelRecord &record) {
        std::printf("%s\n", record.text.toUtf8().constData());
        std::fflush(stdout);
        ++handled;
        if (record.command != "ACK") {
            const vm::LocalChannel::Result r = channel.sendRecord(back, "OPPBNC" + record.payload);
            std::printf("bounce %s\n", qPrintable(vm::LocalChannel::statusText(r.status)));
            std::fflush(stdout);
        }
        return handled;
    });
    channel.setCloseHandler(title, [&] { closed = true; });
    while (!closed)
        channel.processPending(1000);
    return 0;
}
