// Audio files through libsndfile, streamed a chunk at a time as the
// renderer's source and sink, and the choice of an output format.
#pragma once

#include <sndfile.h>

#include <memory>
#include <string>
#include <vector>

#include "CliCommon.h"
#include "host/runtime/AudioRenderer.h"

struct SoundFileFormat {
    int format = 0;  // libsndfile's major format | subtype
    int sampleRate = 0;
    int channels = 0;
};

// An input file opened for reading: its header is read when it opens, its
// audio only as the render pulls it. Damage is an error, not a short
// render: a decoder error part-way, or fewer frames than the header
// declares, stops the render (65).
class SoundFileReader : public AudioRenderer::Source {
public:
    // Reads the header. Failures: missing or unreadable (66), not audio
    // libsndfile can read (65).
    static std::unique_ptr<SoundFileReader> Open(const std::string& path, CliFailure* failure);
    ~SoundFileReader() override;

    const SoundFileFormat& Format() const { return m_Format; }
    // Render thread. Returns -1 with Failure() set on damage or a read
    // error, and when a stop signal has arrived.
    int64_t Read(float* const* channels, int64_t frames) override;
    // The frame count the header declares; -1 when the container does not.
    int64_t Length() const override { return m_Declared; }
    int64_t FramesRead() const { return m_Read; }
    const CliFailure& Failure() const { return m_Failure; }

private:
    SoundFileReader() = default;
    bool Fail(const std::string& message);

    std::string m_Path;
    SNDFILE* m_File = nullptr;
    SoundFileFormat m_Format;
    int64_t m_Declared = -1;
    int64_t m_Read = 0;
    std::vector<float> m_Interleaved;
    CliFailure m_Failure;
};

// An output file written as the render pushes audio. Integer subtypes are
// written with libsndfile's clipping on, so overs clip rather than wrap
// around, and counted; float files get no peak chunk, whose time stamp would
// make the same render differ from run to run.
class SoundFileWriter : public AudioRenderer::Sink {
public:
    // Starts the file on descriptor, which stays the caller's; path names
    // the output in messages. Failure: the format cannot be written there
    // (73).
    static std::unique_ptr<SoundFileWriter> Open(int descriptor, const std::string& path, const SoundFileFormat& format,
                                                 CliFailure* failure);
    ~SoundFileWriter() override;

    // Render thread. False with Failure() set on a write error (74).
    bool Write(const float* const* channels, int64_t frames) override;
    // Completes the file (its header); false with a message (74).
    bool Close(CliFailure* failure);
    int64_t FramesWritten() const { return m_Written; }
    // Samples beyond full scale, which an integer output clips.
    int64_t Overs() const { return m_Overs; }
    const CliFailure& Failure() const { return m_Failure; }

private:
    SoundFileWriter() = default;

    std::string m_Path;
    SNDFILE* m_File = nullptr;
    int m_Channels = 0;
    bool m_Clips = false;
    int64_t m_Written = 0;
    int64_t m_Overs = 0;
    std::vector<float> m_Interleaved;
    CliFailure m_Failure;
};

// The output format: the input's container and subtype unless majorName (a
// file extension such as "wav", "aiff", "flac") or subtypeName ("pcm16",
// "pcm24", "pcm32", "float", "double") names another. Failures: an unknown
// name or a combination libsndfile cannot write (64).
bool ChooseOutputFormat(const SoundFileFormat& input, const std::string& majorName, const std::string& subtypeName,
                        SoundFileFormat* output, CliFailure* failure);

// "WAV (Microsoft), Signed 16 bit PCM".
std::string DescribeFormat(int format);
// True for subtypes that hold floating-point samples (no clipping needed).
bool IsFloatingPointFormat(int format);
