// Audio files through libsndfile: whole files read into planar 32-bit float
// buffers and written back from them, and the choice of an output format.
#pragma once

#include <string>

#include "CliCommon.h"
#include "host/runtime/AudioRenderer.h"

struct SoundFileFormat {
    int format = 0;  // libsndfile's major format | subtype
    int sampleRate = 0;
    int channels = 0;
};

// Reads the whole file. Failures: missing or unreadable (66), not audio
// libsndfile can read (65), a read error part-way (74).
bool ReadSoundFile(const std::string& path, AudioChannels* audio, SoundFileFormat* format, CliFailure* failure);

// Writes audio to descriptor (taken over and closed) in format. Integer
// subtypes are written with libsndfile's clipping on, so overs clip rather
// than wrap around; float files get no peak chunk, whose time stamp would
// make the same render differ from run to run. path names the output in messages. Failures: the
// format cannot be written there (73), a write error (74).
bool WriteSoundFile(int descriptor, const std::string& path, const AudioChannels& audio,
                    const SoundFileFormat& format, CliFailure* failure);

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
