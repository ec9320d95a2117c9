#include "BatchProgress.h"

#include <unistd.h>

#include <cstdio>

BatchProgress::BatchProgress(bool quiet) : m_Enabled(!quiet && isatty(STDERR_FILENO)) {}

int BatchProgress::Start(const std::string& name) {
    std::lock_guard<std::mutex> held(m_Lock);
    m_Lines.push_back(Line{name, -1});
    if (m_Enabled) std::fprintf(stderr, "%s: waiting\n", name.c_str());
    return static_cast<int>(m_Lines.size()) - 1;
}

void BatchProgress::Update(int line, int64_t done, int64_t total) {
    if (!m_Enabled || total <= 0) return;
    std::lock_guard<std::mutex> held(m_Lock);
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == m_Lines[static_cast<size_t>(line)].percent) return;
    m_Lines[static_cast<size_t>(line)].percent = percent;
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    char bar[64];
    std::snprintf(bar, sizeof bar, " [%.*s%*s] %3d%%", filled, "##############################", kWidth - filled, "",
                  percent);
    Draw(line, m_Lines[static_cast<size_t>(line)].name + bar);
}

void BatchProgress::Finish(int line, const std::string& outcome) {
    if (!m_Enabled) return;
    std::lock_guard<std::mutex> held(m_Lock);
    Draw(line, m_Lines[static_cast<size_t>(line)].name + ": " + outcome);
}

void BatchProgress::Draw(int line, const std::string& text) {
    const int up = static_cast<int>(m_Lines.size()) - line;
    // Up to the line, rewrite it, back down below the last line.
    std::fprintf(stderr, "\033[%dA\r\033[K%s\033[%dB\r", up, text.c_str(), up);
    std::fflush(stderr);
}
