// Progress of several renders at once on standard error: one line per file,
// in the order the files started, redrawn in place while it renders and
// left with its outcome. Drawn only when standard error is a terminal and
// the command is not quiet.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

class BatchProgress {
public:
    explicit BatchProgress(bool quiet);

    // Any thread. Gives the file a line; returns its number.
    int Start(const std::string& name);
    // Any thread. Redraws the file's line when its percentage changes.
    void Update(int line, int64_t done, int64_t total);
    // Any thread. Leaves the line with the outcome ("done", "failed (65)").
    void Finish(int line, const std::string& outcome);
    bool Enabled() const { return m_Enabled; }

private:
    struct Line {
        std::string name;
        int percent = -1;
    };
    // Rewrites one line in place, the cursor kept below the last line.
    void Draw(int line, const std::string& text);

    const bool m_Enabled;
    std::mutex m_Lock;
    std::vector<Line> m_Lines;
};
