#pragma once

#include <QString>

namespace vm {

// The command channel as the cores see it: records of text sent to a window
// title, synchronously, and dropped when nobody owns the title.
class Channel {
public:
    virtual ~Channel() = default;

    // True while some program owns the title.
    virtual bool titleExists(const QString &title) = 0;

    // Sends one record (six-character code followed by the payload) to the
    // title and waits for the receiver's handler. Returns false when the
    // record was dropped (title missing, peer gone or not answering).
    virtual bool send(const QString &title, const QString &text) = 0;

    // Posts a close request to the title's owner; does not wait.
    virtual void postClose(const QString &title) = 0;
};

} // namespace vm
