#include "SoundFile.h"

#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "StopSignals.h"

namespace {
struct SubtypeName {
    const char* name;
    int subtype;
};
constexpr SubtypeName kSubtypes[] = {
    {"pcm16", SF_FORMAT_PCM_16}, {"pcm24", SF_FORMAT_PCM_24}, {"pcm32", SF_FORMAT_PCM_32},
    {"float", SF_FORMAT_FLOAT},  {"double", SF_FORMAT_DOUBLE},
};

// libsndfile's name for a major format or subtype; empty when unknown.
std::string FormatName(int format, int command) {
    SF_FORMAT_INFO info;
    std::memset(&info, 0, sizeof info);
    info.format = format;
    if (sf_command(nullptr, command, &info, sizeof info) != 0 || !info.name) return "";
    return info.name;
}

// Every major format libsndfile writes that has a usual file extension.
std::vector<SF_FORMAT_INFO> MajorFormats() {
    std::vector<SF_FORMAT_INFO> formats;
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info;
        std::memset(&info, 0, sizeof info);
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 && info.extension)
            formats.push_back(info);
    }
    return formats;
}

// The major format whose usual file extension is extension; 0 if none.
int MajorFormatForExtension(const std::string& extension) {
    for (const SF_FORMAT_INFO& info : MajorFormats())
        if (extension == info.extension) return info.format;
    return 0;
}

// The distinct file extensions of every major format, for messages.
std::string MajorExtensions() {
    std::vector<std::string> extensions;
    for (const SF_FORMAT_INFO& info : MajorFormats())
        if (std::find(extensions.begin(), extensions.end(), info.extension) == extensions.end())
            extensions.push_back(info.extension);
    std::string names;
    for (const std::string& extension : extensions) names += (names.empty() ? "" : ", ") + extension;
    return names;
}

// Checks that path names a readable file; false with a message (66).
bool CheckReadable(const std::string& path, CliFailure* failure) {
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        *failure = CliFailure{ExitCode::kNoInput, errno == ENOENT ? "input '" + path + "' does not exist"
                                                                   : "cannot read input '" + path + "': " + std::strerror(errno)};
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        *failure = CliFailure{ExitCode::kNoInput, "input '" + path + "' is a folder"};
        return false;
    }
    const int descriptor = open(path.c_str(), O_RDONLY);
    if (descriptor < 0) {
        *failure = CliFailure{ExitCode::kNoInput, "cannot read input '" + path + "': " + std::strerror(errno)};
        return false;
    }
    close(descriptor);
    return true;
}
// 48000 as "48,000", for frame counts in messages.
std::string GroupedNumber(int64_t number) {
    std::string digits = std::to_string(number < 0 ? -number : number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return (number < 0 ? "-" : "") + digits;
}

// Bytes per sample of the subtypes a damaged header can be checked for; 0
// for the others.
int BytesPerSample(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
        case SF_FORMAT_PCM_S8:
        case SF_FORMAT_PCM_U8:
        case SF_FORMAT_ULAW:
        case SF_FORMAT_ALAW: return 1;
        case SF_FORMAT_PCM_16: return 2;
        case SF_FORMAT_PCM_24: return 3;
        case SF_FORMAT_PCM_32:
        case SF_FORMAT_FLOAT: return 4;
        case SF_FORMAT_DOUBLE: return 8;
        default: return 0;
    }
}

// libsndfile's message for the file's error, without its "Error : " and full stop.
std::string DecoderReason(SNDFILE* file) {
    std::string reason = sf_strerror(file);
    const std::string prefix = "Error : ";
    if (reason.rfind(prefix, 0) == 0) reason.erase(0, prefix.size());
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
    return reason;
}

// The number after marker in text, or -1.
int64_t NumberAfter(const std::string& text, const std::string& marker) {
    const size_t at = text.find(marker);
    if (at == std::string::npos) return -1;
    int64_t number = -1;
    for (size_t i = at + marker.size(); i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        number = (number < 0 ? 0 : number * 10) + (text[i] - '0');
    return number;
}

// Where libsndfile's log notes the length a header declares. libsndfile
// trims the frame count of a file cut short to the audio actually present
// and keeps the header's own figure only in its log, so that is where a
// short file shows.
struct DeclaredLengthNote {
    int major;                // the container it applies to; 0 for any
    const char* marker;       // the text just before the number
    bool inBytes;             // the number counts bytes of audio, else frames
    int64_t headerBytes;      // counted in the number besides the audio
    const char* mustFollow;   // text that must follow the number; may be empty
};
constexpr int64_t kUnknownSizeMarker = 0x7FFFF000;
constexpr DeclaredLengthNote kDeclaredLengthNotes[] = {
    {SF_FORMAT_WAV, "\ndata : ", true, 0, " (should be"},
    {SF_FORMAT_WAVEX, "\ndata : ", true, 0, " (should be"},
    {SF_FORMAT_W64, "\ndata : ", true, 24, ""},
    {SF_FORMAT_AU, "Data Size   : ", true, 0, " (should be"},
    {0, "Frame count read from 'COMM' chunk (", false, 0, ""},
    {0, "does not match value from 'ds64' chunk of ", false, 0, ""},
};

// The frame count the file's header declares; -1 when it declares none.
int64_t DeclaredFrames(SNDFILE* file, const SF_INFO& info) {
    if (info.frames < 0 || info.frames == SF_COUNT_MAX) return -1;
    char log[8192] = {};
    sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
    const std::string text(log);
    const int64_t frameBytes = int64_t(BytesPerSample(info.format)) * info.channels;
    int64_t declared = info.frames;
    for (const DeclaredLengthNote& note : kDeclaredLengthNotes) {
        if (note.major && note.major != (info.format & SF_FORMAT_TYPEMASK)) continue;
        const int64_t number = NumberAfter(text, note.marker);
        if (number < 0 || text.find(note.marker + std::to_string(number) + note.mustFollow) == std::string::npos)
            continue;
        // Writers that cannot seek back put a placeholder for "unknown".
        if (note.inBytes && number >= kUnknownSizeMarker) continue;
        if (!note.inBytes) declared = std::max(declared, number);
        else if (frameBytes > 0) declared = std::max(declared, (number - note.headerBytes) / frameBytes);
    }
    return declared;
}
}  // namespace

std::unique_ptr<SoundFileReader> SoundFileReader::Open(const std::string& path, CliFailure* failure) {
    if (!CheckReadable(path, failure)) return nullptr;
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        *failure = CliFailure{ExitCode::kBadData,
                              "input '" + path + "' is not audio this program can read (" + sf_strerror(nullptr) + ")"};
        return nullptr;
    }
    std::unique_ptr<SoundFileReader> reader(new SoundFileReader());
    reader->m_Path = path;
    reader->m_File = file;
    reader->m_Format = SoundFileFormat{info.format, info.samplerate, info.channels};
    reader->m_Declared = DeclaredFrames(file, info);
    return reader;
}

SoundFileReader::~SoundFileReader() {
    if (m_File) sf_close(m_File);
}

bool SoundFileReader::Fail(const std::string& message) {
    m_Failure = CliFailure{ExitCode::kBadData, "input '" + m_Path + "' " + message};
    return false;
}

int64_t SoundFileReader::Read(float* const* channels, int64_t frames) {
    if (StopSignals::Arrived()) {
        m_Failure = StopSignals::Failure();
        return -1;
    }
    const size_t channelCount = static_cast<size_t>(m_Format.channels);
    if (m_Interleaved.size() < static_cast<size_t>(frames) * channelCount)
        m_Interleaved.resize(static_cast<size_t>(frames) * channelCount);
    const sf_count_t count = sf_readf_float(m_File, m_Interleaved.data(), frames);
    if (sf_error(m_File) != SF_ERR_NO_ERROR) {
        Fail("is damaged after " + GroupedNumber(m_Read) + (m_Declared >= 0 ? " of " + GroupedNumber(m_Declared) : "") +
             " frames (" + DecoderReason(m_File) + ")");
        return -1;
    }
    if (count <= 0) {
        if (m_Declared >= 0 && m_Read < m_Declared) {
            Fail("ends early: " + GroupedNumber(m_Read) + " of " + GroupedNumber(m_Declared) + " frames");
            return -1;
        }
        return 0;
    }
    const float* from = m_Interleaved.data();
    for (sf_count_t frame = 0; frame < count; ++frame)
        for (size_t channel = 0; channel < channelCount; ++channel) channels[channel][frame] = *from++;
    m_Read += count;
    return count;
}

std::unique_ptr<SoundFileWriter> SoundFileWriter::Open(int descriptor, const std::string& path,
                                                       const SoundFileFormat& format, CliFailure* failure) {
    SF_INFO info;
    std::memset(&info, 0, sizeof info);
    info.format = format.format;
    info.samplerate = format.sampleRate;
    info.channels = format.channels;
    const bool isPipe = lseek(descriptor, 0, SEEK_CUR) < 0 && errno == ESPIPE;
    SNDFILE* file = sf_open_fd(descriptor, SFM_WRITE, &info, SF_FALSE);
    if (!file) {
        std::string reason = sf_strerror(nullptr);
        if (isPipe)
            reason = "a pipe takes only formats written front to back (--format flac, au or raw)";
        *failure = CliFailure{ExitCode::kCannotCreate,
                              "cannot write output '" + path + "' as " + DescribeFormat(format.format) + ": " + reason};
        return nullptr;
    }
    std::unique_ptr<SoundFileWriter> writer(new SoundFileWriter());
    writer->m_Path = path;
    writer->m_File = file;
    writer->m_Channels = format.channels;
    writer->m_Clips = !IsFloatingPointFormat(format.format);
    if (writer->m_Clips) sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // No peak chunk: it carries the time of writing, and the same render
    // should give the same bytes.
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    return writer;
}

SoundFileWriter::~SoundFileWriter() {
    if (m_File) sf_close(m_File);
}

bool SoundFileWriter::Write(const float* const* channels, int64_t frames) {
    const size_t channelCount = static_cast<size_t>(m_Channels);
    if (m_Interleaved.size() < static_cast<size_t>(frames) * channelCount)
        m_Interleaved.resize(static_cast<size_t>(frames) * channelCount);
    float* to = m_Interleaved.data();
    for (int64_t frame = 0; frame < frames; ++frame)
        for (size_t channel = 0; channel < channelCount; ++channel) *to++ = channels[channel][frame];
    if (m_Clips)
        for (size_t i = 0; i < static_cast<size_t>(frames) * channelCount; ++i)
            m_Overs += std::fabs(m_Interleaved[i]) > 1.0f ? 1 : 0;
    if (sf_writef_float(m_File, m_Interleaved.data(), frames) != frames) {
        m_Failure = StopSignals::Arrived() ? StopSignals::Failure()
                                           : CliFailure{ExitCode::kIOError, "writing output '" + m_Path + "' failed: " +
                                                                                sf_strerror(m_File)};
        return false;
    }
    m_Written += frames;
    return true;
}

bool SoundFileWriter::Close(CliFailure* failure) {
    SNDFILE* file = m_File;
    m_File = nullptr;
    const int error = sf_close(file);
    if (error != 0) {
        *failure = CliFailure{ExitCode::kIOError, "writing output '" + m_Path + "' failed: " + sf_error_number(error)};
        return false;
    }
    return true;
}

bool ChooseOutputFormat(const SoundFileFormat& input, const std::string& majorName, const std::string& subtypeName,
                        SoundFileFormat* output, CliFailure* failure) {
    int major = input.format & SF_FORMAT_TYPEMASK;
    int subtype = input.format & SF_FORMAT_SUBMASK;
    if (!majorName.empty()) {
        major = MajorFormatForExtension(majorName);
        if (!major) {
            *failure = CliFailure{ExitCode::kUsage,
                                  "unknown output format '" + majorName + "' (formats: " + MajorExtensions() + ")"};
            return false;
        }
    }
    if (!subtypeName.empty()) {
        subtype = 0;
        for (const SubtypeName& entry : kSubtypes)
            if (subtypeName == entry.name) subtype = entry.subtype;
        if (!subtype) {
            *failure = CliFailure{ExitCode::kUsage, "unknown sample type '" + subtypeName +
                                                        "' (sample types: pcm16, pcm24, pcm32, float, double)"};
            return false;
        }
    }
    *output = input;
    output->format = major | subtype;
    SF_INFO check;
    std::memset(&check, 0, sizeof check);
    check.format = output->format;
    check.samplerate = output->sampleRate;
    check.channels = output->channels;
    if (!sf_format_check(&check)) {
        *failure = CliFailure{ExitCode::kUsage, FormatName(major, SFC_GET_FORMAT_INFO) + " cannot hold " +
                                                    FormatName(subtype, SFC_GET_FORMAT_INFO) +
                                                    " samples (choose another with --format or --subtype)"};
        return false;
    }
    return true;
}

std::string DescribeFormat(int format) {
    return FormatName(format & SF_FORMAT_TYPEMASK, SFC_GET_FORMAT_INFO) + ", " +
           FormatName(format & SF_FORMAT_SUBMASK, SFC_GET_FORMAT_INFO);
}

bool IsFloatingPointFormat(int format) {
    const int subtype = format & SF_FORMAT_SUBMASK;
    return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
}
