#pragma once

#include <QString>

#include <functional>

namespace vm {

// What the controller's sound commands ask for: the notice sound, recording
// the received audio to a file and playing a file back.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void playFile(const QString &path) = 0;       // "SPL": the notice sound
    virtual void stopPlaying() = 0;                       // "SSP", "PLY" "0"
    virtual void startRecording(const QString &path) = 0; // "SND" with the file path
    virtual void stopRecording() = 0;                     // "SND" "0"
    virtual void playRecording(const QString &path) = 0;  // "PLY" with the file path

    // Runs when a file started with playRecording has played to its end (not
    // when it is stopped), so the panel can give the operator its play button back.
    std::function<void()> playbackEnded;
};

// Used where no sound system is available: every request is logged as not
// available and otherwise ignored.
class UnavailableSound final : public SoundPlayer {
public:
    void playFile(const QString &path) override;
    void stopPlaying() override;
    void startRecording(const QString &path) override;
    void stopRecording() override;
    void playRecording(const QString &path) override;

    int requests() const { return m_requests; }

private:
    void refuse(const QString &what);
    int m_requests = 0;
};

} // namespace vm
