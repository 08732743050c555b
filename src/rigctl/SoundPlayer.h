#pragma once

#include <QString>

namespace vm {

// What the controller's sound commands ask for: the notice sound, recording
// and playing back a recording.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void playFile(const QString &path) = 0; // "SPL": the notice sound
    virtual void stopPlaying() = 0;                 // "SSP", "PLY" "0"
    virtual void startRecording() = 0;              // "SND" other than "0"
    virtual void stopRecording() = 0;               // "SND" "0"
    virtual void playRecording() = 0;               // "PLY" other than "0"
};

// Stand-in until sound recording and playback exist on this platform: every
// request is logged as not available and otherwise ignored.
class UnavailableSound final : public SoundPlayer {
public:
    void playFile(const QString &path) override;
    void stopPlaying() override;
    void startRecording() override;
    void stopRecording() override;
    void playRecording() override;

    int requests() const { return m_requests; }

private:
    void refuse(const char *what);
    int m_requests = 0;
};

} // namespace vm
