// Test helper: runs the built orvanta program in a fresh temporary folder
// and collects its exit code, standard output and standard error.
#pragma once

#include <gtest/gtest.h>
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern char** environ;

namespace editorcli_test {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class ProgramFolder {
public:
    ProgramFolder() {
        char pattern[] = "/tmp/orvanta-editorcli-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_TRUE(made);
        m_Path = made ? made : "/tmp";
        // Text drawing leaves fontconfig's process-wide caches behind; the
        // sanitizer build's leak checker must not count them against the program.
        Write(".lsan-suppressions", "leak:libfontconfig.so\n");
    }
    ~ProgramFolder() {
        for (const std::string& name : Files()) unlink(Path(name).c_str());
        unlink(Path(".lsan-suppressions").c_str());
        unlink(Path(".out").c_str());
        unlink(Path(".err").c_str());
        rmdir(m_Path.c_str());
    }

    std::string Path(const std::string& name) const { return m_Path + "/" + name; }
    void Write(const std::string& name, const std::string& text) const { std::ofstream(Path(name)) << text; }

    // The files in the folder, hidden ones left out.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        if (DIR* folder = opendir(m_Path.c_str())) {
            while (dirent* entry = readdir(folder))
                if (entry->d_name[0] != '.') names.push_back(entry->d_name);
            closedir(folder);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs orvanta with arguments, in this folder.
    ProgramResult Run(const std::vector<std::string>& arguments) const {
        std::vector<std::string> words = {ORVANTA_PROGRAM};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(&word[0]);
        argv.push_back(nullptr);

        std::vector<std::string> environment;
        for (char** variable = environ; *variable; ++variable)
            if (std::string(*variable).rfind("LSAN_OPTIONS=", 0) != 0) environment.push_back(*variable);
        environment.push_back("LSAN_OPTIONS=print_suppressions=0:suppressions=" + Path(".lsan-suppressions"));
        std::vector<char*> envp;
        for (std::string& variable : environment) envp.push_back(&variable[0]);
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, Path(".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, Path(".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addchdir_np(&actions, m_Path.c_str());
        pid_t child = -1;
        const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        ProgramResult result;
        EXPECT_EQ(spawned, 0) << "cannot run " << ORVANTA_PROGRAM;
        if (spawned != 0) return result;
        int status = 0;
        waitpid(child, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        result.out = ReadWholeFile(Path(".out"));
        result.err = ReadWholeFile(Path(".err"));
        return result;
    }

private:
    std::string m_Path;
};

}  // namespace editorcli_test
